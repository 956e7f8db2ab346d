#include "ui/UniqueFileName.h"

#include "RunTestSupport.h"
#include "TestFiles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A folder of its own per case, so that the files of one case do not take the names of another.
std::string Folder(const std::string& name)
{
    return runtest::Folder("Unique" + name);
}

void Touch(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << path;
    CloseHandle(file);
}

std::string Repeat(const std::string& text, int count)
{
    std::string out;
    for (int i = 0; i < count; ++i)
        out += text;
    return out;
}

const std::string kA = "\x82\xa0";  // あ

struct Case {
    const char* name;
    std::vector<std::string> existing;  // files in the folder besides the old one
    std::string oldName;
    std::string newBase;
    UniqueFileName::Outcome outcome;
    std::string expected;  // the name that the file has afterwards
    // The name that the debugger is told the file goes to, once, before its move; empty when no
    // move is tried.
    std::string chosen;
};

class UniqueName : public testing::TestWithParam<Case> {};

TEST_P(UniqueName, MovesToTheFirstFreeName)
{
    const Case& c = GetParam();
    std::string folder = Folder(c.name);
    Touch(folder + c.oldName);
    for (const std::string& name : c.existing)
        Touch(folder + name);
    runtest::DebugOutputRecorder debugger;
    UniqueFileName result = MakeUniqueFileName(folder + c.oldName, c.newBase);
    std::vector<std::string> traced;
    if (!c.chosen.empty())
        traced = {"\norgFile:" + folder + c.oldName, "\nnewFilename:" + folder + c.chosen};
    EXPECT_EQ(traced, debugger.lines);
    EXPECT_EQ(c.outcome, result.outcome);
    EXPECT_EQ(folder + c.expected, result.path);
    std::vector<std::string> files = c.existing;
    files.push_back(c.expected);
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, runtest::FilesIn(folder));
}

std::vector<std::string> Numbered(const std::string& base, int last)
{
    std::vector<std::string> names = {base + ".rec"};
    for (int k = 2; k <= last; ++k)
        names.push_back(base + "(" + std::to_string(k) + ").rec");
    return names;
}

const UniqueFileName::Outcome kMoved = UniqueFileName::kMoved;
const UniqueFileName::Outcome kKept = UniqueFileName::kKept;

INSTANTIATE_TEST_SUITE_P(
    Names, UniqueName,
    testing::Values(
        Case{"Free", {}, "a.rec", "b", kMoved, "b.rec", "b.rec"},
        Case{"ExtensionKeptAsSpelled", {}, "a.RCX", "b", kMoved, "b.RCX", "b.RCX"},
        Case{"OwnNameLetterCaseAside", {}, "Game.rec", "gAME", kKept, "Game.rec", ""},
        Case{"OwnJapaneseName", {}, "\x8e\x8e\x8d\x87.rec", "\x8e\x8e\x8d\x87", kKept, "\x8e\x8e\x8d\x87.rec", ""},
        Case{"JapaneseName", {}, "a.rec", "\x8e\x8e\x8d\x87", kMoved, "\x8e\x8e\x8d\x87.rec", "\x8e\x8e\x8d\x87.rec"},
        Case{"Taken", {"b.rec"}, "a.rec", "b", kMoved, "b(2).rec", "b(2).rec"},
        Case{"TakenTwice", {"b.rec", "b(2).rec"}, "a.rec", "b", kMoved, "b(3).rec", "b(3).rec"},
        Case{"TakenInAnotherCase", {"B.rec"}, "a.rec", "b", kMoved, "b(2).rec", "b(2).rec"},
        Case{"AllNinetyNineTaken", Numbered("b", 99), "a.rec", "b", kKept, "a.rec", ""},
        Case{"NinetyEightTaken", Numbered("b", 98), "a.rec", "b", kMoved, "b(99).rec", "b(99).rec"},
        // A second run over the same files renames none of them again.
        Case{"OwnNumberedForm", {"b.rec"}, "b(2).rec", "b", kKept, "b(2).rec", ""},
        Case{"OwnNumberedFormLetterCaseAside", {"b.rec", "b(2).rec"}, "B(3).rec", "b", kKept, "B(3).rec", ""},
        Case{"NumberedFormOfAnotherBeforeOwn", {"b.rec"}, "b(3).rec", "b", kMoved, "b(2).rec", "b(2).rec"},
        Case{"FileNamesCannotHoldIt", {}, "a.rec", "a?b", UniqueFileName::kFailed, "a.rec", "a?b.rec"}),
    [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

// A name too long for a path that the program can split is refused whole: no cut of it is tried,
// and nothing is moved.
TEST(UniqueNameLimit, ANameOf300BytesIsRefused)
{
    std::string folder = Folder("Name300");
    Touch(folder + "a.rec");
    std::vector<std::string> lines;
    UniqueFileName refused;
    {
        runtest::DebugOutputRecorder debugger;
        refused = MakeUniqueFileName(folder + "a.rec", Repeat(kA, 150));
        lines = debugger.lines;
    }
    EXPECT_EQ(UniqueFileName::kTooLong, refused.outcome);
    EXPECT_EQ(folder + "a.rec", refused.path);
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(std::vector<std::string>{"a.rec"}, runtest::FilesIn(folder));
}

// A file that takes the chosen name between the choice and the move is never replaced: the move
// finds the name taken and the next one is chosen, and told, in its place.
TEST(UniqueNameRace, AFileThatAppearsBeforeTheMoveIsKept)
{
    std::string folder = Folder("Race");
    Touch(folder + "a.rec");
    runtest::DebugOutputRecorder debugger([&](const std::string& line) {
        if (line == "\nnewFilename:" + folder + "b.rec")
            testfiles::Write("UniqueRace\\b.rec", "someone else's");
    });
    UniqueFileName result = MakeUniqueFileName(folder + "a.rec", "b");
    EXPECT_EQ(UniqueFileName::kMoved, result.outcome);
    EXPECT_EQ(folder + "b(2).rec", result.path);
    EXPECT_EQ("someone else's", testfiles::Read(folder + "b.rec"));
    EXPECT_EQ((std::vector<std::string>{"\norgFile:" + folder + "a.rec", "\nnewFilename:" + folder + "b.rec",
                                        "\norgFile:" + folder + "a.rec", "\nnewFilename:" + folder + "b(2).rec"}),
              debugger.lines);
    EXPECT_EQ((std::vector<std::string>{"b(2).rec", "b.rec"}), runtest::FilesIn(folder));
}

// The move finds a file that is held open taken, as any other.
TEST(UniqueNameHeld, AFileHeldOpenIsTaken)
{
    std::string folder = Folder("Held");
    Touch(folder + "a.rec");
    Touch(folder + "b.rec");
    HANDLE held = CreateFileA((folder + "b.rec").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    UniqueFileName result = MakeUniqueFileName(folder + "a.rec", "b");
    CloseHandle(held);
    EXPECT_EQ(UniqueFileName::kMoved, result.outcome);
    EXPECT_EQ(folder + "b(2).rec", result.path);
}

// Paths of 259 bytes are the longest that the program splits.
TEST(UniqueNameLimit, RefusesCandidatesPastThePathLimit)
{
    std::string folder = Folder("Limit");
    Touch(folder + "a.rec");
    size_t room = 259 - folder.size() - 4;
    std::string tooLong(room + 1, 'n');
    UniqueFileName refused = MakeUniqueFileName(folder + "a.rec", tooLong);
    EXPECT_EQ(UniqueFileName::kTooLong, refused.outcome);
    EXPECT_EQ(folder + "a.rec", refused.path);
    // The name fits, but its numbered forms do not.
    std::string taken(room - 2, 't');
    Touch(folder + taken + ".rec");
    EXPECT_EQ(UniqueFileName::kTooLong, MakeUniqueFileName(folder + "a.rec", taken).outcome);
    std::string fits(room, 'n');
    UniqueFileName moved = MakeUniqueFileName(folder + "a.rec", fits);
    EXPECT_EQ(UniqueFileName::kMoved, moved.outcome);
    EXPECT_EQ(folder + fits + ".rec", moved.path);
}

// Bytes are counted, as the program's paths are: a double-byte character takes two, although
// the file functions would take a path of as many characters. Wine's host holds at most 255
// bytes of UTF-8 (85 Japanese characters) in one name, so the folder is made deep enough.
TEST(UniqueNameLimit, CountsBytes)
{
    std::string folder = Folder("LimitJapanese") + runtest::Ansi(u8"いいいいいいいいいいいいいいいいいいいいいいいいいいいいいい");
    CreateDirectoryA(folder.c_str(), nullptr);
    folder += "\\";
    Touch(folder + "a.rec");
    size_t room = 259 - folder.size() - 4;
    int fits = static_cast<int>(room / 2);
    ASSERT_LE(fits + 1, 80);
    std::string tooLong = Repeat(kA, fits + 1);
    ASSERT_LT(MultiByteToWideChar(CP_ACP, 0, (folder + tooLong + ".rec").c_str(), -1, nullptr, 0), MAX_PATH);
    UniqueFileName refused = MakeUniqueFileName(folder + "a.rec", tooLong);
    EXPECT_EQ(UniqueFileName::kTooLong, refused.outcome);
    EXPECT_EQ(std::vector<std::string>{"a.rec"}, runtest::FilesIn(folder));
    UniqueFileName moved = MakeUniqueFileName(folder + "a.rec", Repeat(kA, fits));
    EXPECT_EQ(UniqueFileName::kMoved, moved.outcome);
    EXPECT_EQ(folder + Repeat(kA, fits) + ".rec", moved.path);
    EXPECT_EQ(std::vector<std::string>{Repeat(kA, fits) + ".rec"}, runtest::FilesIn(folder));
}

// A path that the program cannot split gives no parts to build a new path from: it is a
// failure, never a move into the current folder without an extension.
TEST(UniqueNameLimit, AnOldPathThatCannotBeSplitFails)
{
    std::string folder = Folder("OldTooLong") + runtest::Ansi(u8"いいいいいいいいいいいいいいいいいいいいいいいいいいいいいい");
    CreateDirectoryA(folder.c_str(), nullptr);
    folder += "\\";
    std::string name = Repeat(kA, 70) + ".rec";
    ASSERT_GE(folder.size() + name.size(), 260u);
    Touch(folder + name);
    UniqueFileName result = MakeUniqueFileName(folder + name, "b");
    EXPECT_EQ(UniqueFileName::kFailed, result.outcome);
    EXPECT_EQ(folder + name, result.path);
    EXPECT_EQ(std::vector<std::string>{name}, runtest::FilesIn(folder));
    EXPECT_FALSE(runtest::Exists("b"));
}

struct BaseNameCase {
    const char* name;
    std::string text;
    bool isBaseName;
};

class BaseName : public testing::TestWithParam<BaseNameCase> {};

TEST_P(BaseName, HoldsNoFolderOrDriveAndNamesNoDevice)
{
    EXPECT_EQ(GetParam().isBaseName, IsBaseName(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BaseName,
    testing::Values(BaseNameCase{"Plain", "2003-11-03_0540_Alice_vs_Bob", true},
                    // 表示 and ソ end in the byte of a backslash.
                    BaseNameCase{"TrailBytesOfBackslash", "\x95\x5c\x8e\xa6\x83\x5c", true},
                    // Windows drops a name's trailing dots and spaces.
                    BaseNameCase{"Dots", "..", false},
                    BaseNameCase{"TrailingDot", "game.", false},
                    BaseNameCase{"TrailingSpace", "game ", false},
                    BaseNameCase{"InnerDotsAndSpaces", ".game v2.1", true},
                    BaseNameCase{"TrailingFullWidthSpace", "game\x81\x40", true},
                    // Names that Windows before 11 takes for a device in any folder, in any
                    // letter case, with any extension, and with dots or spaces after them.
                    BaseNameCase{"Con", "CON", false},
                    BaseNameCase{"Prn", "prn", false},
                    BaseNameCase{"Aux", "Aux", false},
                    BaseNameCase{"Nul", "nUL", false},
                    BaseNameCase{"Com1", "COM1", false},
                    BaseNameCase{"Com9", "com9", false},
                    BaseNameCase{"Lpt1", "LPT1", false},
                    BaseNameCase{"Lpt9", "Lpt9", false},
                    BaseNameCase{"DeviceWithExtension", "con.txt", false},
                    BaseNameCase{"DeviceWithTwoExtensions", "NUL.tar.gz", false},
                    BaseNameCase{"DeviceWithSpaces", "AUX  ", false},
                    BaseNameCase{"DeviceWithSpacesBeforeExtension", "com1 .x", false},
                    BaseNameCase{"DeviceWithDots", "lpt1..", false},
                    BaseNameCase{"LongerThanADevice", "CONSOLE", true},
                    BaseNameCase{"PortTen", "COM10", true},
                    BaseNameCase{"PortZero", "COM0", true},
                    BaseNameCase{"PrinterPortZero", "lpt0.txt", true},
                    BaseNameCase{"PortWithoutNumber", "LPT", true},
                    BaseNameCase{"DeviceInside", "xNUL", true},
                    BaseNameCase{"DeviceAfterADot", "a.CON", true},
                    BaseNameCase{"JapaneseAfterDevice", "CON\x82\xa0", true},
                    BaseNameCase{"Backslash", "a\\b", false},
                    BaseNameCase{"ParentFolder", "..\\x", false},
                    BaseNameCase{"Slash", "a/b", false},
                    BaseNameCase{"Drive", "C:x", false},
                    BaseNameCase{"Stream", "a:b", false},
                    BaseNameCase{"BackslashAfterJapanese", "\x95\x5c\\x", false},
                    BaseNameCase{"LeadByteAtTheEnd", "a\x95", true}),
    [](const testing::TestParamInfo<BaseNameCase>& info) { return info.param.name; });

}
