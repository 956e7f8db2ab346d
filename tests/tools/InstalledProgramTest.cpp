// The program as a player installs it: tallyvane.exe started from the folder that the release
// zip was unpacked into (TV_INSTALLED_DIR), in a Wine prefix of its own that has no way to the
// build tree and where that folder cannot be written. Run by tests/tools/release_zip_test.sh
// with a recorded game (TV_SAMPLE, a copy of samples/castle-duel.rec).
#include "DesktopInput.h"
#include "TestFiles.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

using desktop::InFront;
using desktop::Press;
using desktop::WaitFor;

namespace {

const char kMainTitle[] = "Tallyvane Version 0.12";

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The texts of every item of a tree view of another process, asked for through memory of that
// process, depth first.
std::vector<std::string> TreeTexts(HWND tree, DWORD processId)
{
    std::vector<std::string> texts;
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (!process)
        return texts;
    const SIZE_T textSize = 512;
    auto* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, sizeof(TVITEMA) + textSize,
                                                     MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    char* remoteText = remote + sizeof(TVITEMA);
    std::vector<HTREEITEM> pending = {TreeView_GetRoot(tree)};
    while (remote && !pending.empty()) {
        HTREEITEM item = pending.back();
        pending.pop_back();
        if (!item)
            continue;
        TVITEMA request = {};
        request.mask = TVIF_TEXT;
        request.hItem = item;
        request.pszText = remoteText;
        request.cchTextMax = textSize;
        char text[textSize] = {};
        if (WriteProcessMemory(process, remote, &request, sizeof(request), nullptr) &&
            SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote)) &&
            ReadProcessMemory(process, remoteText, text, textSize - 1, nullptr))
            texts.push_back(text);
        pending.push_back(TreeView_GetNextSibling(tree, item));
        pending.push_back(TreeView_GetChild(tree, item));
    }
    if (remote)
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return texts;
}

// The installed program started without an argument from another folder than its own, its
// main window in front, and a copy of the sample in the test's own folder; at the end the
// window is closed and the program must end.
class InstalledProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* installed = std::getenv("TV_INSTALLED_DIR");
        const char* sample = std::getenv("TV_SAMPLE");
        ASSERT_TRUE(installed && sample) << "run by tests/tools/release_zip_test.sh";
        folder = testfiles::Path(::testing::UnitTest::GetInstance()->current_test_info()->name());
        CreateDirectoryA(folder.c_str(), nullptr);
        record = folder + "\\castle-duel.rec";
        ASSERT_TRUE(CopyFileA(sample, record.c_str(), TRUE));

        std::string program = std::string(installed) + "\\tallyvane.exe";
        std::string commandLine = "\"" + program + "\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        ASSERT_TRUE(CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                   folder.c_str(), &startup, &process));
        // The first window in a new prefix waits for Wine to find the system's fonts.
        main = InFront(process.dwProcessId, kMainTitle, 60000);
        ASSERT_NE(nullptr, main) << "the main window did not come to the front";
        HWND box = FindWindowA("#32770", "エラー");
        EXPECT_EQ(nullptr, box) << desktop::BoxText(box);
    }
    void TearDown() override { desktop::CloseProgram(process, main); }

    // File > Open with the record's path typed into the open dialog, then every row selected.
    void OpenRecord()
    {
        Press('F', {VK_MENU});
        Press('O');
        HWND dialog = InFront(process.dwProcessId, "開く");
        ASSERT_NE(nullptr, dialog) << "no open dialog";
        desktop::Type(record);
        Press(VK_RETURN);
        ASSERT_TRUE(WaitFor([dialog] { return !IsWindow(dialog); })) << "the open dialog stays";
        ASSERT_EQ(main, InFront(process.dwProcessId, kMainTitle));
        Press('A', {VK_CONTROL});
    }

    PROCESS_INFORMATION process = {};
    HWND main = nullptr;
    std::string folder;
    std::string record;
};

}

TEST_F(InstalledProgram, TreeShowsTheRecordTranslatedByTheOptionFileBesideIt)
{
    OpenRecord();
    Press(VK_RETURN);
    HWND tree = desktop::FindDescendant(main, WC_TREEVIEWA);
    ASSERT_NE(nullptr, tree);
    std::vector<std::string> texts;
    EXPECT_TRUE(WaitFor([&] {
        texts = TreeTexts(tree, process.dwProcessId);
        return !texts.empty();
    })) << "the tree stays empty";
    auto has = [&texts](const std::string& text) { return std::find(texts.begin(), texts.end(), text) != texts.end(); };
    EXPECT_TRUE(has("GameSettings")) << "the root";
    EXPECT_TRUE(has("マップ名")) << "an element under its display name";
    EXPECT_TRUE(has("高地の浅瀬")) << "a coded value under its display text";
    EXPECT_FALSE(has("MapName"));
    EXPECT_FALSE(has("highland_fords"));
}

TEST_F(InstalledProgram, BatchRenameTakesTheStylesheetBesideIt)
{
    OpenRecord();
    Press('B', {VK_CONTROL});
    HWND box = InFront(process.dwProcessId, "確認");
    ASSERT_NE(nullptr, box) << "no confirmation box";
    EXPECT_EQ("1 個のファイル名を一括変換します。\r\nよろしいですか？", desktop::BoxText(box));
    Press('Y');
    std::string renamed = folder + "\\2003-11-03_0540_高地の浅瀬_Alice_vs_Bob.rec";
    EXPECT_TRUE(WaitFor([&] { return Exists(renamed) && !Exists(record); }, 15000))
        << "not renamed by Rename.xsl; the program says: "
        << desktop::BoxText(FindWindowA("#32770", "エラー"));
    // The run ends after its last file has moved; the window refuses to close until then.
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(main) != FALSE; }, 15000)) << "the run does not end";
}
