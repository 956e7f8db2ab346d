#include "ui/UniqueFileName.h"

#include "TestFiles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A folder of its own per case, so that the files of one case do not take the names of another.
std::string Folder(const std::string& name)
{
    std::string folder = testfiles::Path(name);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\";
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
    // The name of the result in the folder; "=" for the old path, "" for a refusal.
    std::string expected;
};

class UniqueFileName : public testing::TestWithParam<Case> {};

TEST_P(UniqueFileName, PicksTheFirstFreeName)
{
    const Case& c = GetParam();
    std::string folder = Folder(c.name);
    Touch(folder + c.oldName);
    for (const std::string& name : c.existing)
        Touch(folder + name);
    std::string result = MakeUniqueFileName(folder + c.oldName, c.newBase);
    if (c.expected == "=")
        EXPECT_EQ(folder + c.oldName, result);
    else if (c.expected.empty())
        EXPECT_EQ("", result);
    else
        EXPECT_EQ(folder + c.expected, result);
}

std::vector<std::string> Numbered(const std::string& base, int last)
{
    std::vector<std::string> names = {base + ".rec"};
    for (int k = 2; k <= last; ++k)
        names.push_back(base + "(" + std::to_string(k) + ").rec");
    return names;
}

INSTANTIATE_TEST_SUITE_P(
    Names, UniqueFileName,
    testing::Values(
        Case{"Free", {}, "a.rec", "b", "b.rec"},
        Case{"ExtensionKeptAsSpelled", {}, "a.RCX", "b", "b.RCX"},
        Case{"OwnNameLetterCaseAside", {}, "Game.rec", "gAME", "="},
        Case{"OwnJapaneseName", {}, "\x8e\x8e\x8d\x87.rec", "\x8e\x8e\x8d\x87", "="},
        Case{"Taken", {"b.rec"}, "a.rec", "b", "b(2).rec"},
        Case{"TakenTwice", {"b.rec", "b(2).rec"}, "a.rec", "b", "b(3).rec"},
        Case{"TakenInAnotherCase", {"B.rec"}, "a.rec", "b", "b(2).rec"},
        Case{"AllNinetyNineTaken", Numbered("b", 99), "a.rec", "b", "="},
        Case{"NinetyEightTaken", Numbered("b", 98), "a.rec", "b", "b(99).rec"},
        // A second run over the same files renames none of them again.
        Case{"OwnNumberedForm", {"b.rec"}, "b(2).rec", "b", "="},
        Case{"OwnNumberedFormLetterCaseAside", {"b.rec", "b(2).rec"}, "B(3).rec", "b", "="},
        Case{"NumberedFormOfAnotherBeforeOwn", {"b.rec"}, "b(3).rec", "b", "b(2).rec"},
        Case{"CutTo256Bytes", {}, "a.rec", Repeat(kA, 150), Repeat(kA, 128) + ".rec"},
        Case{"CutOnAWholeCharacter", {}, "a.rec", "x" + Repeat(kA, 150), "x" + Repeat(kA, 127) + ".rec"}),
    [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

// A file that exists but cannot be opened counts as free: the move then fails and is reported.
TEST(UniqueFileNameHeld, AFileHeldOpenCountsAsFree)
{
    std::string folder = Folder("Held");
    Touch(folder + "a.rec");
    Touch(folder + "b.rec");
    HANDLE held = CreateFileA((folder + "b.rec").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_EQ(folder + "b.rec", MakeUniqueFileName(folder + "a.rec", "b"));
    CloseHandle(held);
    EXPECT_EQ(folder + "b(2).rec", MakeUniqueFileName(folder + "a.rec", "b"));
}

// Paths of 259 characters are the longest the file functions take.
TEST(UniqueFileNameLimit, RefusesCandidatesPastThePathLimit)
{
    std::string folder = Folder("Limit");
    Touch(folder + "a.rec");
    size_t room = 259 - folder.size() - 4;
    ASSERT_LT(room, kMaxBaseName);
    std::string fits(room, 'n');
    EXPECT_EQ(folder + fits + ".rec", MakeUniqueFileName(folder + "a.rec", fits));
    EXPECT_EQ("", MakeUniqueFileName(folder + "a.rec", fits + "n"));
    // Counted in characters: double-byte characters take one each.
    std::string japanese = Repeat(kA, static_cast<int>(room / 2));
    EXPECT_EQ(folder + japanese + ".rec", MakeUniqueFileName(folder + "a.rec", japanese));
    // The name fits, but its numbered forms do not.
    std::string taken(room - 2, 't');
    Touch(folder + taken + ".rec");
    EXPECT_EQ("", MakeUniqueFileName(folder + "a.rec", taken));
}

struct BaseNameCase {
    const char* name;
    std::string text;
    bool isBaseName;
};

class BaseName : public testing::TestWithParam<BaseNameCase> {};

TEST_P(BaseName, HoldsNoFolderOrDrive)
{
    EXPECT_EQ(GetParam().isBaseName, IsBaseName(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BaseName,
    testing::Values(BaseNameCase{"Plain", "2003-11-03_0540_Alice_vs_Bob", true},
                    // 表示 and ソ end in the byte of a backslash.
                    BaseNameCase{"TrailBytesOfBackslash", "\x95\x5c\x8e\xa6\x83\x5c", true},
                    BaseNameCase{"Dots", "..", true},
                    BaseNameCase{"Backslash", "a\\b", false},
                    BaseNameCase{"ParentFolder", "..\\x", false},
                    BaseNameCase{"Slash", "a/b", false},
                    BaseNameCase{"Drive", "C:x", false},
                    BaseNameCase{"Stream", "a:b", false},
                    BaseNameCase{"BackslashAfterJapanese", "\x95\x5c\\x", false},
                    BaseNameCase{"LeadByteAtTheEnd", "a\x95", true}),
    [](const testing::TestParamInfo<BaseNameCase>& info) { return info.param.name; });

}
