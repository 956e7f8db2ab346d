// The program as a user meets it: tallyvane.exe started on its own and worked with the keyboard
// alone, through the input of the desktop, judged by the windows it shows and the files it
// leaves on disk.
#include "DesktopInput.h"
#include "RecordFixtures.h"
#include "RecycleBin.h"
#include "TestFiles.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace desktop;

const char kMainTitle[] = "Tallyvane Version 0.12";

std::string ClassName(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The names of the files in a folder, in the file system's order.
std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// The program started without an argument, its main window in front; at the end it is closed,
// and ended by force when it does not go.
class Keyboard : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string program = std::string(std::getenv("TV_BINARY_DIR")) + "\\bin\\tallyvane.exe";
        std::string commandLine = "\"" + program + "\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        ASSERT_TRUE(CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                                   nullptr, nullptr, &startup, &process));
        main = InFront(kMainTitle);
        ASSERT_NE(nullptr, main) << "the main window did not come to the front";

        folderName = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        folder = testfiles::Path(folderName);
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    void TearDown() override { desktop::CloseProgram(process, main); }

    // The program's window with the title once it is the foreground window; null when it does
    // not come.
    HWND InFront(const std::string& title) { return desktop::InFront(process.dwProcessId, title); }

    // Opens files in the list through File > Open (or with item 'P', adds them through File >
    // Add, the first item of that letter): each text is typed into the open dialog and entered
    // (a full path, or a folder to go to and then quoted names).
    void OpenByKeys(const std::vector<std::string>& texts, WORD item = 'O')
    {
        Press('F', {VK_MENU});
        Press(item);
        HWND dialog = InFront("開く");
        ASSERT_NE(nullptr, dialog) << "no open dialog";
        EXPECT_EQ("#32770", ClassName(dialog));
        for (const std::string& text : texts) {
            Type(text);
            Press(VK_RETURN);
        }
        ASSERT_TRUE(WaitFor([dialog] { return !IsWindow(dialog); })) << "the open dialog stays";
        ASSERT_EQ(main, InFront(kMainTitle));
    }

    // The question of Delete with one row selected.
    static constexpr const char* kDeleteOne = "1 個のファイルをごみ箱へ移動します。\r\nよろしいですか？";

    // Delete by its key, answered with Y: the file goes to the recycle bin.
    void DeleteByKeys(const std::string& path)
    {
        Press(VK_DELETE);
        Confirm(kDeleteOne, 'Y');
        EXPECT_TRUE(WaitFor([&] { return !Exists(path); }));
        EXPECT_TRUE(recyclebin::InTrash(path));
    }

    // Waits for the confirmation box, checks its text and answers it with the key.
    void Confirm(const std::string& text, WORD key)
    {
        HWND box = InFront("確認");
        ASSERT_NE(nullptr, box) << "no confirmation box";
        EXPECT_EQ(text, BoxText(box));
        Press(key);
        EXPECT_TRUE(WaitFor([box] { return !IsWindow(box); })) << "the box stays";
    }

    // The main window's file list.
    HWND List() { return FindDescendant(main, WC_LISTVIEWA); }

    // The number of rows in the main window's file list.
    int ListRows()
    {
        HWND list = List();
        return list ? static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) : -1;
    }

    // The selected rows of the file list, in order.
    std::vector<int> SelectedRows()
    {
        std::vector<int> rows;
        HWND list = List();
        for (int row = -1; list;) {
            row = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED));
            if (row < 0)
                break;
            rows.push_back(row);
        }
        return rows;
    }

    // A recorded game in the test's own folder; its path.
    std::string File(const std::string& name)
    {
        return fixtures::WriteRecord(folderName + "\\" + name, fixtures::kSettings);
    }

    PROCESS_INFORMATION process = {};
    HWND main = nullptr;
    std::string folderName;
    std::string folder;
};

}

TEST_F(Keyboard, OpenThenF2RenamesTheFileOnDisk)
{
    std::string old = File("game.rec");
    std::string bytes = testfiles::Read(old);
    OpenByKeys({old});
    Press(VK_F2);
    HWND dialog = InFront("名前の変更");
    ASSERT_NE(nullptr, dialog) << "no rename dialog";
    char shown[256] = {};
    GetDlgItemTextA(dialog, 1006, shown, sizeof(shown));
    EXPECT_STREQ("game", shown) << "the name without its extension";
    Type("final round");
    Press(VK_RETURN);
    std::string renamed = folder + "\\final round.rec";
    EXPECT_TRUE(WaitFor([&] { return !Exists(old) && Exists(renamed); }));
    EXPECT_EQ(bytes, testfiles::Read(renamed));
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
    EXPECT_EQ(main, InFront(kMainTitle));
}

TEST_F(Keyboard, DeleteAnsweredWithYMovesTheFileToTheRecycleBin)
{
    std::string path = File("gone.rec");
    std::string other = File("kept.rec");
    // Both listed, the first selected as an open leaves it.
    OpenByKeys({folder, "\"gone.rec\" \"kept.rec\""});
    ASSERT_EQ(2, ListRows());
    DeleteByKeys(path);
    EXPECT_TRUE(Exists(other));
    EXPECT_FALSE(recyclebin::InTrash(other));
    EXPECT_EQ(1, ListRows());
    EXPECT_EQ(main, InFront(kMainTitle));
}

TEST_F(Keyboard, DeleteAnsweredWithNKeepsTheFile)
{
    std::string path = File("kept.rec");
    OpenByKeys({path});
    ASSERT_EQ(1, ListRows());
    Press(VK_DELETE);
    Confirm(kDeleteOne, 'N');
    // For as long as a Yes would be given to move the file, the file and its row stay.
    EXPECT_FALSE(WaitFor([&] { return !Exists(path) || ListRows() != 1; }));
    EXPECT_TRUE(Exists(path));
    EXPECT_FALSE(recyclebin::InTrash(path));
    EXPECT_EQ(1, ListRows());
}

TEST_F(Keyboard, ExportFromTheFileMenuWritesTheChosenFile)
{
    std::string path = File("castle.rec");
    OpenByKeys({path});
    Press('F', {VK_MENU});
    Press('E');
    Press('X');
    HWND dialog = InFront("名前を付けて保存");
    ASSERT_NE(nullptr, dialog) << "no save dialog";
    std::string target = folder + "\\settings.xml";
    Type(target);
    Press(VK_RETURN);
    Confirm("1 個のファイル内容を以下に出力します。\r\nよろしいですか？\r\n\r\n" + target, 'Y');
    std::string written;
    EXPECT_TRUE(WaitFor([&] {
        written = testfiles::Read(target);
        return written.find("</Kar>") != std::string::npos;
    })) << written;
    EXPECT_EQ(0u, written.find("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n")) << written;
    EXPECT_NE(std::string::npos, written.find("<RecordedFile Name=\"castle.rec\" LastWriteTime=\""))
        << written;
    EXPECT_NE(std::string::npos, written.find("Highland")) << written;
    EXPECT_EQ(main, InFront(kMainTitle));
}

// Ctrl+F, a word of a file name typed, the check box ticked by Tab and Space, Enter: the row found
// is the one row left, and the file whose row left the list is still on disk. Delete then takes
// the file found.
TEST_F(Keyboard, CtrlFKeepsTheFileFoundAloneInTheList)
{
    std::string alpha = File("alpha.rec");
    std::string beta = File("beta.rec");
    OpenByKeys({folder, "\"alpha.rec\" \"beta.rec\""});
    ASSERT_EQ(2, ListRows());
    Press('F', {VK_CONTROL});
    HWND dialog = InFront("検索");
    ASSERT_NE(nullptr, dialog) << "no search dialog";
    Type("beta");
    Press(VK_TAB);
    Press(VK_SPACE);
    Press(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog) && ListRows() == 1; }));
    EXPECT_EQ(std::vector<int>{0}, SelectedRows());
    EXPECT_TRUE(Exists(alpha));
    ASSERT_EQ(main, InFront(kMainTitle));
    DeleteByKeys(beta);
    EXPECT_TRUE(Exists(alpha));
    EXPECT_EQ(0, ListRows());
}

// Alt+E then U selects the copy after its first file, and Delete moves the copy alone to the
// recycle bin.
TEST_F(Keyboard, AltEUSelectsTheCopyForDelete)
{
    std::string first = File("a-first.rec");
    std::string copy = File("b-copy.rec");
    ASSERT_EQ(testfiles::Read(first), testfiles::Read(copy));
    OpenByKeys({folder, "\"a-first.rec\" \"b-copy.rec\""});
    ASSERT_EQ(2, ListRows());
    Press('E', {VK_MENU});
    Press('U');
    EXPECT_TRUE(WaitFor([&] { return SelectedRows() == std::vector<int>{1}; }));
    DeleteByKeys(copy);
    EXPECT_TRUE(Exists(first));
    EXPECT_EQ(1, ListRows());
    EXPECT_EQ(main, InFront(kMainTitle));
}

// The same files opened and then added again: Alt+E then U selects the rows of the copy alone,
// not the second row of the first file, and Delete moves the copy alone to the recycle bin. The
// rows of the first file stay.
TEST_F(Keyboard, AltEUAfterTheSameFilesAddedAgainSelectsOnlyTheCopy)
{
    std::string first = File("a-first.rec");
    std::string copy = File("b-copy.rec");
    OpenByKeys({folder, "\"a-first.rec\" \"b-copy.rec\""});
    OpenByKeys({folder, "\"a-first.rec\" \"b-copy.rec\""}, 'P');
    ASSERT_EQ(4, ListRows());
    Press('E', {VK_MENU});
    Press('U');
    EXPECT_TRUE(WaitFor([&] { return SelectedRows() == std::vector<int>{1, 3}; }));
    Press(VK_DELETE);
    Confirm("2 個のファイルをごみ箱へ移動します。\r\nよろしいですか？", 'Y');
    EXPECT_TRUE(WaitFor([&] { return !Exists(copy) && ListRows() == 2; }));
    EXPECT_TRUE(recyclebin::InTrash(copy));
    EXPECT_TRUE(Exists(first));
    EXPECT_FALSE(recyclebin::InTrash(first));
}

// Ctrl+B (answered with Y) and F2 rename a sample in two steps; each Ctrl+Z takes back the last
// one not yet taken back, so that the file has its first name again.
TEST_F(Keyboard, CtrlZTakesBackTheRenamesInTurn)
{
    std::string old = testfiles::Write(folderName + "\\game.rec",
                                       testfiles::Read(testfiles::SourcePath("samples/castle-duel.rec")));
    std::string bytes = testfiles::Read(old);
    OpenByKeys({old});
    Press('B', {VK_CONTROL});
    Confirm("1 個のファイル名を一括変換します。\r\nよろしいですか？", 'Y');
    std::vector<std::string> names;
    ASSERT_TRUE(WaitFor([&] {
        names = FilesIn(folder);
        return names.size() == 1 && names[0] != "game.rec";
    })) << "the batch did not rename the file";
    std::string batchName = folder + "\\" + names[0];
    ASSERT_EQ(main, InFront(kMainTitle));
    Press(VK_F2);
    ASSERT_NE(nullptr, InFront("名前の変更")) << "no rename dialog";
    Type("final round");
    Press(VK_RETURN);
    std::string renamed = folder + "\\final round.rec";
    ASSERT_TRUE(WaitFor([&] { return Exists(renamed); }));
    ASSERT_EQ(main, InFront(kMainTitle));
    Press('Z', {VK_CONTROL});
    EXPECT_TRUE(WaitFor([&] { return Exists(batchName) && !Exists(renamed); }));
    Press('Z', {VK_CONTROL});
    EXPECT_TRUE(WaitFor([&] { return Exists(old) && !Exists(batchName); }));
    EXPECT_EQ(bytes, testfiles::Read(old));
    EXPECT_EQ(main, InFront(kMainTitle));
}

// Alt+E then V opens the preview: Escape closes it and leaves the file, Enter converts it; Alt+E
// then Z then takes the batch back.
TEST_F(Keyboard, AltEVPreviewsTheBatchAndAltEZTakesItBack)
{
    std::string old = testfiles::Write(folderName + "\\game.rec",
                                       testfiles::Read(testfiles::SourcePath("samples/castle-duel.rec")));
    OpenByKeys({old});
    Press('E', {VK_MENU});
    Press('V');
    HWND preview = InFront("一括変換のプレビュー");
    ASSERT_NE(nullptr, preview) << "no preview";
    Press(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([preview] { return !IsWindow(preview); })) << "Escape leaves the preview open";
    ASSERT_EQ(main, InFront(kMainTitle));
    EXPECT_EQ(std::vector<std::string>{"game.rec"}, FilesIn(folder));
    Press('E', {VK_MENU});
    Press('V');
    preview = InFront("一括変換のプレビュー");
    ASSERT_NE(nullptr, preview) << "no preview the second time";
    Press(VK_RETURN);
    std::vector<std::string> names;
    ASSERT_TRUE(WaitFor([&] {
        names = FilesIn(folder);
        return names.size() == 1 && names[0] != "game.rec";
    })) << "Enter did not convert";
    ASSERT_EQ(main, InFront(kMainTitle));
    Press('E', {VK_MENU});
    Press('Z');
    EXPECT_TRUE(WaitFor([&] { return FilesIn(folder) == std::vector<std::string>{"game.rec"}; }));
    EXPECT_EQ(main, InFront(kMainTitle));
}
