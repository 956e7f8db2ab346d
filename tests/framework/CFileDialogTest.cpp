#include "framework/CFileDialog.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

// A literal with its inner zero bytes.
template <size_t N>
std::string Bytes(const char (&text)[N])
{
    return std::string(text, N - 1);
}

std::string FilterBytes(const CFileDialog& dialog)
{
    // A filter ends with an empty text: two zero bytes in a row.
    const char* filter = dialog.record.lpstrFilter;
    size_t length = 0;
    while (filter[length] != '\0' || filter[length + 1] != '\0')
        ++length;
    return std::string(filter, length + 2);
}

}

TEST(FileDialog, StartsWithTheAllFilesFilterAndTheOldRecordSize)
{
    CFileDialog dialog;
    EXPECT_EQ(static_cast<DWORD>(OPENFILENAME_SIZE_VERSION_400A), dialog.record.lStructSize);
    EXPECT_EQ(Bytes("All files (*.*)\0*.*\0\0"), FilterBytes(dialog));
    EXPECT_STREQ("txt", dialog.record.lpstrDefExt);
    std::string path = "unchanged";
    EXPECT_FALSE(dialog.NextFile(path));
    EXPECT_EQ("unchanged", path);
    EXPECT_FALSE(dialog.ShowOpen(nullptr, 0));
}

struct FilterCase {
    const char* name;
    std::string filter;
    std::string bytes;
};

class FileDialogFilter : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FileDialogFilter, TurnsBarsIntoZeroBytes)
{
    CFileDialog dialog;
    dialog.SetFilter(GetParam().filter);
    EXPECT_EQ(GetParam().bytes, FilterBytes(dialog));
}

INSTANTIATE_TEST_SUITE_P(
    Filters, FileDialogFilter,
    ::testing::Values(
        FilterCase{"Pair", "XML (*.xml)|*.xml", Bytes("XML (*.xml)\0*.xml\0\0")},
        FilterCase{"TwoPairs", "録画 (*.rec)|*.rec;*.rcx|All|*.*",
                   Bytes("録画 (*.rec)\0*.rec;*.rcx\0All\0*.*\0\0")},
        FilterCase{"EmptyKeepsTheDefault", "", Bytes("All files (*.*)\0*.*\0\0")}),
    [](const ::testing::TestParamInfo<FilterCase>& info) { return info.param.name; });

TEST(FileDialog, InitialFolderIsKeptUnlessEmpty)
{
    CFileDialog dialog;
    dialog.SetInitialDir("");
    EXPECT_EQ(nullptr, dialog.record.lpstrInitialDir);
    dialog.SetInitialDir("C:\\games");
    EXPECT_STREQ("C:\\games", dialog.record.lpstrInitialDir);
}

struct WalkCase {
    const char* name;
    std::string buffer;
    std::vector<std::string> paths;
};

class FileDialogWalk : public ::testing::TestWithParam<WalkCase> {};

TEST_P(FileDialogWalk, HandsOutEveryPathThenStops)
{
    CFileDialog dialog;
    dialog.fileBuffer.assign(GetParam().buffer.begin(), GetParam().buffer.end());
    dialog.BeginWalk();
    std::vector<std::string> paths;
    std::string path;
    while (dialog.NextFile(path) && paths.size() < 10)
        paths.push_back(path);
    EXPECT_EQ(GetParam().paths, paths);
    path = "unchanged";
    EXPECT_FALSE(dialog.NextFile(path));
    EXPECT_EQ("unchanged", path);
}

INSTANTIATE_TEST_SUITE_P(
    Buffers, FileDialogWalk,
    ::testing::Values(
        WalkCase{"OneFile", Bytes("C:\\games\\a.rec\0\0"), {"C:\\games\\a.rec"}},
        WalkCase{"ThreeFiles",
                 Bytes("C:\\games\0a.rec\0b.rec\0c.rec\0\0"),
                 {"C:\\games\\a.rec", "C:\\games\\b.rec", "C:\\games\\c.rec"}},
        WalkCase{"RootFolder", Bytes("C:\\\0a.rec\0b.rec\0\0"),
                 {"C:\\\\a.rec", "C:\\\\b.rec"}},
        WalkCase{"JapaneseNames", Bytes("C:\\録画\0対戦.rec\0\0"),
                 {"C:\\録画\\対戦.rec"}},
        WalkCase{"UnendedBuffer", Bytes("C:\\games\0a.rec"), {"C:\\games\\a.rec"}}),
    [](const ::testing::TestParamInfo<WalkCase>& info) { return info.param.name; });

namespace {

// Answers the open dialog from a timer: types the names and presses Open, or cancels.
struct DialogAnswer {
    static void CALLBACK Fire(HWND, UINT, UINT_PTR timer, DWORD)
    {
        EnumThreadWindows(GetCurrentThreadId(), Answer, 0);
        if (answered)
            KillTimer(nullptr, timer);
    }
    static BOOL CALLBACK Answer(HWND window, LPARAM)
    {
        char className[16] = {};
        GetClassNameA(window, className, sizeof(className));
        if (!IsWindowVisible(window) || std::string(className) != "#32770")
            return TRUE;
        if (names.empty()) {
            PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        } else {
            HWND edit = GetDlgItem(window, 0x480);
            if (!edit)
                edit = GetDlgItem(window, 0x47c);
            SetWindowTextA(edit, names.c_str());
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(window, IDOK)));
        }
        answered = true;
        return FALSE;
    }
    static inline std::string names;
    static inline bool answered = false;
};

std::vector<std::string> ChooseFiles(const std::string& folder, const std::string& names,
                                     bool* shown)
{
    CFileDialog dialog;
    dialog.SetFilter("録画 (*.rec)|*.rec");
    dialog.SetInitialDir(folder);
    DialogAnswer::names = names;
    DialogAnswer::answered = false;
    UINT_PTR timer = SetTimer(nullptr, 0, 100, DialogAnswer::Fire);
    *shown = dialog.ShowOpen(nullptr, 8);
    KillTimer(nullptr, timer);
    std::vector<std::string> paths;
    std::string path;
    while (dialog.NextFile(path) && paths.size() < 10)
        paths.push_back(path);
    return paths;
}

}

TEST(FileDialog, TheOpenDialogReturnsOneOrSeveralFiles)
{
    std::string a = testfiles::Write("a.rec", "x");
    testfiles::Write("b.rec", "x");
    testfiles::Write("c.rec", "x");
    std::string folder = std::filesystem::path(a).parent_path().string();
    bool shown = false;

    EXPECT_EQ(std::vector<std::string>{folder + "\\b.rec"}, ChooseFiles(folder, "b.rec", &shown));
    EXPECT_TRUE(shown);

    std::vector<std::string> three = {folder + "\\a.rec", folder + "\\b.rec", folder + "\\c.rec"};
    EXPECT_EQ(three, ChooseFiles(folder, "\"a.rec\" \"b.rec\" \"c.rec\"", &shown));
    EXPECT_TRUE(shown);

    EXPECT_TRUE(ChooseFiles(folder, "", &shown).empty());
    EXPECT_FALSE(shown);
}
