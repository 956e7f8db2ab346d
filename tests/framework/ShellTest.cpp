#include "framework/Shell.h"

#include "BrowseDialog.h"
#include "TestFiles.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// Closes every window of the thread that turns up while a call runs, and notes their titles.
struct WindowWatch {
    WindowWatch() { timer = SetTimer(nullptr, 0, 50, Fire); }
    ~WindowWatch() { KillTimer(nullptr, timer); }
    static void CALLBACK Fire(HWND, UINT, UINT_PTR, DWORD)
    {
        EnumThreadWindows(GetCurrentThreadId(), Close, 0);
    }
    static BOOL CALLBACK Close(HWND window, LPARAM)
    {
        if (IsWindowVisible(window)) {
            char title[256] = {};
            GetWindowTextA(window, title, sizeof(title));
            seen.push_back(title);
            PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
        return TRUE;
    }
    UINT_PTR timer;
    static inline std::vector<std::string> seen;
};

std::string List(const std::vector<std::string>& paths)
{
    std::string list;
    for (const std::string& path : paths)
        list += path + '\0';
    return list + '\0';
}

}

TEST(ShellDelete, WithoutConfirmationDeletesSilently)
{
    std::string one = testfiles::Write("delete-one.rec", "x");
    std::string two = testfiles::Write("delete-two.rec", "x");
    WindowWatch watch;
    WindowWatch::seen.clear();
    ShellResult result = ShellDelete(nullptr, List({one, two}).c_str(), false);
    EXPECT_EQ(0, result.code);
    EXPECT_FALSE(result.aborted);
    EXPECT_FALSE(std::filesystem::exists(one));
    EXPECT_FALSE(std::filesystem::exists(two));
    EXPECT_TRUE(WindowWatch::seen.empty());
}

// No error shows a window. The one question that may come is the shell's before it deletes for
// good what it cannot put in the recycle bin: Wine asks it for a file that is not there either
// (and reports its Cancel as an abort), Windows gives the error alone.
TEST(ShellDelete, AnErrorWithoutConfirmationShowsNoErrorWindow)
{
    WindowWatch watch;
    WindowWatch::seen.clear();
    ShellResult result = ShellDelete(nullptr, List({testfiles::Path("missing.rec")}).c_str(), false);
    EXPECT_TRUE(result.code != 0 || result.aborted);
    for (const std::string& title : WindowWatch::seen)
        EXPECT_EQ("ファイルの削除の確認", title);
}

TEST(ShellFileOperation, CopiesIntoAFolder)
{
    std::string source = testfiles::Write("copy-me.rec", "data");
    std::string target = testfiles::Path("copies");
    std::filesystem::create_directory(target);
    EXPECT_EQ(0, ShellFileOperation(nullptr, List({source}).c_str(), List({target}).c_str(), FO_COPY,
                                    FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT)
                     .code);
    EXPECT_EQ("data", testfiles::Read(target + "\\copy-me.rec"));
    EXPECT_NE(0, ShellFileOperation(nullptr, List({testfiles::Path("none.rec")}).c_str(),
                                    List({target}).c_str(), FO_COPY,
                                    FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI)
                     .code);
}

TEST(SpecialFolder, IsThePathOrEmpty)
{
    std::string windows = GetSpecialFolderPath(CSIDL_WINDOWS);
    EXPECT_FALSE(windows.empty());
    EXPECT_TRUE(std::filesystem::is_directory(windows)) << windows;
    EXPECT_EQ("", GetSpecialFolderPath(0x7F));
}

namespace {

// Presses OK in the folder dialog once it shows the folder that it was told to open on (or
// cancels it), and cancels it as refused after five seconds.
struct BrowseAnswer {
    static void CALLBACK Fire(HWND, UINT, UINT_PTR, DWORD)
    {
        EnumThreadWindows(GetCurrentThreadId(), Answer, 0);
    }
    static BOOL CALLBACK Answer(HWND window, LPARAM)
    {
        char className[16] = {};
        GetClassNameA(window, className, sizeof(className));
        if (!IsWindowVisible(window) || std::string(className) != "#32770")
            return TRUE;
        if (cancel || ++turns > 50) {
            refused = !cancel;
            PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        }
        else if (browsedialog::SelectedName(window) ==
                 browsedialog::NameOf(browsedialog::Wide(initial)))
            PostMessageA(window, WM_COMMAND, IDOK, 0);
        return FALSE;
    }
    static inline bool cancel = false;
    static inline std::string initial;
    static inline int turns = 0;
    static inline bool refused = false;
};

// The program's folder browser, answered by BrowseAnswer. Wine's browser at times refuses to
// select an existing folder (BFFM_SETSELECTION answers FALSE for the whole life of that dialog):
// a browser that never shows the folder because it refused the program's selection is shown
// again, three times in all. One that never shows it for any other reason (the program asked for
// another folder, or none) is a failure.
BrowseResult Browse(char* buffer, int size, const std::string& initial, bool cancel)
{
    const int attempts = 3;
    for (int attempt = 1;; ++attempt) {
        BrowseAnswer::cancel = cancel;
        BrowseAnswer::initial = initial;
        BrowseAnswer::turns = 0;
        BrowseAnswer::refused = false;
        UINT_PTR timer = SetTimer(nullptr, 0, 100, BrowseAnswer::Fire);
        BrowseResult chosen =
            BrowseForFolder(nullptr, buffer, size, initial.c_str(), BIF_RETURNONLYFSDIRS);
        KillTimer(nullptr, timer);
        if (!BrowseAnswer::refused)
            return chosen;
        if (!browsedialog::RefusedTheProgram(initial)) {
            ADD_FAILURE() << "the folder browser never showed " << initial << ": "
                          << browsedialog::ProgramAsked();
            return chosen;
        }
        if (attempt == attempts)
            return chosen;
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        browsedialog::TellRetry(std::string(test->test_suite_name()) + "." + test->name(),
                                "the folder browser refused its folder (" +
                                    browsedialog::ProgramAsked() + "); shown again");
    }
}

}

TEST(BrowseForFolder, OpensOnTheInitialFolderAndReturnsIt)
{
    std::string folder = testfiles::Path("browse");
    std::filesystem::create_directory(folder);
    char buffer[MAX_PATH];
    std::fill(std::begin(buffer), std::end(buffer), 'x');
    ASSERT_EQ(kBrowseChosen, Browse(buffer, MAX_PATH, folder, false));
    EXPECT_EQ(folder, std::string(buffer));
    // What the program asked of the browser is kept, and the browser selected it in answer.
    const BrowseSelection& asked = LastBrowseSelection();
    EXPECT_EQ(folder, asked.folder);
    EXPECT_NE(asked.answers.end(), std::find(asked.answers.begin(), asked.answers.end(), folder));
    EXPECT_EQ(kBrowseCancelled, Browse(buffer, MAX_PATH, folder, true));
}

// A path that does not fit the buffer is never cut into another folder's path: the buffer is
// left as it was.
TEST(BrowseForFolder, APathLongerThanTheBufferIsRefused)
{
    std::string folder = testfiles::Path("browse-long");
    std::filesystem::create_directory(folder);
    ASSERT_GE(folder.size(), 20u);
    char buffer[10];
    std::fill(std::begin(buffer), std::end(buffer), 'x');
    EXPECT_EQ(kBrowsePathTooLong, Browse(buffer, sizeof(buffer), folder, false));
    EXPECT_EQ(std::string(10, 'x'), std::string(buffer, sizeof(buffer)));
    char exact[MAX_PATH];
    EXPECT_EQ(kBrowsePathTooLong, Browse(exact, static_cast<int>(folder.size()), folder, false));
    EXPECT_EQ(kBrowseChosen, Browse(exact, static_cast<int>(folder.size() + 1), folder, false));
    EXPECT_EQ(folder, std::string(exact));
}

TEST(BrowseForFolder, NoBufferShowsNothing)
{
    char buffer[4];
    EXPECT_EQ(kBrowseCancelled, BrowseForFolder(nullptr, nullptr, MAX_PATH, "", 0));
    EXPECT_EQ(kBrowseCancelled, BrowseForFolder(nullptr, buffer, 0, "", 0));
}

namespace {

// Selects a shell item in the folder dialog by its item list, and presses OK once the dialog
// shows it selected; cancels the dialog after five seconds.
struct ItemAnswer {
    static void CALLBACK Fire(HWND, UINT, UINT_PTR, DWORD)
    {
        EnumThreadWindows(GetCurrentThreadId(), Answer, 0);
    }
    static BOOL CALLBACK Answer(HWND window, LPARAM)
    {
        char className[16] = {};
        GetClassNameA(window, className, sizeof(className));
        if (!IsWindowVisible(window) || std::string(className) != "#32770")
            return TRUE;
        if (++turns > 50)
            PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        else if (browsedialog::SelectedName(window) == name)
            PostMessageA(window, WM_COMMAND, IDOK, 0);
        else if (turns % 5 == 1)
            SendMessageW(window, BFFM_SETSELECTIONW, FALSE, reinterpret_cast<LPARAM>(item));
        return FALSE;
    }
    static inline LPCITEMIDLIST item = nullptr;
    static inline std::wstring name;
    static inline int turns = 0;
};

}

// An item outside the file system ("My Computer") has no path: the browser gives nothing, as when
// it is cancelled, and the buffer stays as it was.
TEST(BrowseForFolder, AnItemWithoutAPathGivesNothing)
{
    LPITEMIDLIST computer = nullptr;
    ASSERT_TRUE(SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer)));
    SHFILEINFOW info = {};
    SHGetFileInfoW(reinterpret_cast<LPCWSTR>(computer), 0, &info, sizeof(info), SHGFI_PIDL | SHGFI_DISPLAYNAME);
    ItemAnswer::item = computer;
    ItemAnswer::name = info.szDisplayName;
    ItemAnswer::turns = 0;
    char buffer[MAX_PATH];
    std::fill(std::begin(buffer), std::end(buffer), 'x');
    UINT_PTR timer = SetTimer(nullptr, 0, 100, ItemAnswer::Fire);
    BrowseResult result = BrowseForFolder(nullptr, buffer, MAX_PATH, "", 0);
    KillTimer(nullptr, timer);
    CoTaskMemFree(computer);
    ASSERT_LE(ItemAnswer::turns, 50) << "the browser never showed the item";
    EXPECT_EQ(kBrowseCancelled, result);
    EXPECT_EQ(std::string(MAX_PATH, 'x'), std::string(buffer, MAX_PATH));
}
