#include "MainWindowTest.h"

#include "ListTestSupport.h"
#include "framework/Shell.h"
#include "record/InstallationRegistry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using mainwindow::MainWindow;
namespace {

// The titles of the shell's folder windows of other processes that are open now.
std::vector<std::string> FolderWindows()
{
    std::vector<std::string> titles;
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            char className[64] = {};
            GetClassNameA(window, className, sizeof(className));
            if (process != GetCurrentProcessId() && IsWindowVisible(window) &&
                std::string(className) == "ExplorerWClass") {
                char title[MAX_PATH] = {};
                GetWindowTextA(window, title, sizeof(title));
                reinterpret_cast<std::vector<std::string>*>(data)->push_back(title);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&titles));
    return titles;
}

void CloseFolderWindows()
{
    EnumWindows(
        [](HWND window, LPARAM) -> BOOL {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            char className[64] = {};
            GetClassNameA(window, className, sizeof(className));
            if (process != GetCurrentProcessId() && std::string(className) == "ExplorerWClass")
                PostMessageA(window, WM_CLOSE, 0, 0);
            return TRUE;
        },
        0);
    for (int i = 0; i < 100 && !FolderWindows().empty(); ++i)
        Sleep(50);
}

// Waits (at most 20 s) for the shell to open a folder window with the title.
bool FolderWindowOpens(const std::string& title)
{
    for (int i = 0; i < 200; ++i) {
        for (const std::string& open : FolderWindows()) {
            if (open == title)
                return true;
        }
        Sleep(100);
    }
    return false;
}

struct InstallCase {
    const char* name;
    bool game;
    bool expansion;
};

// The game's folders in the test's scratch folder, entered in the registry as the case says.
class GameFolders : public MainWindow, public ::testing::WithParamInterface<InstallCase> {
protected:
    void SetUp() override
    {
        installation::RemoveAll();
        CloseFolderWindows();
        std::string own = std::string("GameFolders.") + GetParam().name;
        game = listtest::MakeFolder(own + "_裂け目の谷");
        for (const char* folder : {"\\savegame", "\\sound", "\\sound\\taunts"})
            listtest::MakeFolder(own + "_裂け目の谷" + folder);
        rift = listtest::MakeFolder(own + "_Rift");
        for (const char* folder : {"\\sound", "\\sound\\xpack", "\\sound\\xpack\\xtaunts"})
            listtest::MakeFolder(own + "_Rift" + folder);
        if (GetParam().game)
            installation::Put(KEY_WOW64_32KEY, installation::kGameKey, {{"AppPath", game}});
        if (GetParam().expansion)
            installation::Put(KEY_WOW64_32KEY, installation::kExpansionKey, {{"AppPath", rift}});
        MainWindow::SetUp();
    }
    void TearDown() override
    {
        MainWindow::TearDown();
        installation::RemoveAll();
        CloseFolderWindows();
    }

    std::string game;
    std::string rift;
    listtest::SaveGameFolder saves;
};

}

TEST_P(GameFolders, ToolsCommandsOpenTheFoldersOrSayTheGameIsMissing)
{
    std::string gameTitle = game.substr(game.find_last_of('\\') + 1);
    struct Tool {
        UINT id;
        std::string title; // of the folder's window; empty: none opens
    };
    const Tool tools[] = {
        {ID_OPEN_KAR_FOLDER, gameTitle},
        {ID_OPEN_SAVEGAME_FOLDER, "savegame"},
        {ID_OPEN_TAUNTS_FOLDER, "taunts"},
        {ID_OPEN_RIFT_SAVEGAME_FOLDER, "Savegame"},
        {ID_OPEN_RIFT_TAUNTS_FOLDER, GetParam().expansion ? "xtaunts" : ""},
    };
    for (const Tool& tool : tools) {
        SCOPED_TRACE(tool.id);
        CloseFolderWindows();
        size_t boxesBefore = boxes.boxes.size();
        Command(tool.id);
        if (!GetParam().game) {
            ASSERT_EQ(boxesBefore + 1, boxes.boxes.size());
            EXPECT_EQ("Karthenがインストールされていません。", boxes.boxes.back().text);
            EXPECT_EQ("エラー", boxes.boxes.back().caption);
            EXPECT_EQ(0x10030u, boxes.boxes.back().flags);
            EXPECT_EQ(mainWnd.window, boxes.boxes.back().owner);
            // Nor does a folder open after the box: one that the test asks the shell for next
            // is the only window once it shows.
            EXPECT_TRUE(ShellOpen(nullptr, game, "open", "", SW_SHOWNORMAL));
            EXPECT_TRUE(FolderWindowOpens(gameTitle));
            EXPECT_EQ(std::vector<std::string>{gameTitle}, FolderWindows());
            continue;
        }
        EXPECT_EQ(boxesBefore, boxes.boxes.size());
        if (!tool.title.empty()) {
            EXPECT_TRUE(FolderWindowOpens(tool.title)) << tool.title;
            continue;
        }
        // The shell is asked for "\sound\xpack\xtaunts", which does not exist: nothing opens
        // and nothing is said. The game's folder asked for next is the only window then.
        Command(ID_OPEN_KAR_FOLDER);
        EXPECT_TRUE(FolderWindowOpens(gameTitle));
        EXPECT_EQ(std::vector<std::string>{gameTitle}, FolderWindows());
        EXPECT_EQ(boxesBefore, boxes.boxes.size());
    }
}

INSTANTIATE_TEST_SUITE_P(Installations, GameFolders,
                         ::testing::Values(InstallCase{"GameAndExpansion", true, true},
                                           InstallCase{"GameOnly", true, false},
                                           InstallCase{"None", false, false}),
                         [](const ::testing::TestParamInfo<InstallCase>& info) {
                             return info.param.name;
                         });
