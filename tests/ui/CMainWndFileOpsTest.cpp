#include "MainWindowTest.h"

#include "ListTestSupport.h"

#include "ChildProcess.h"
#include "ImportPatch.h"
#include "RecycleBin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using mainwindow::MainWindow;
using listtest::Exists;
using recyclebin::InTrash;
using listtest::Names;

namespace {

// Files in a folder of the test's own, each added as a row.
class FileOps : public MainWindow {
protected:
    void SetUp() override
    {
        MainWindow::SetUp();
        folder = listtest::MakeFolder(listtest::TestFolderName());
    }
    std::string Add(const std::string& name, const std::string& bytes = "data")
    {
        std::string path = listtest::MakeFile(listtest::Relative(folder + "\\" + name), bytes);
        mainWnd.AddRecordFile(path);
        return path;
    }
    std::string Subfolder(const std::string& name)
    {
        return listtest::MakeFolder(listtest::Relative(folder + "\\" + name));
    }
    void Command(UINT id) { listtest::DialogAnswers::Command(mainWnd.window, id); }
    void Select(std::initializer_list<int> rows)
    {
        for (int row : rows)
            mainWnd.list.SelectItem(row);
    }

    std::string folder;
};

}

TEST_F(FileOps, DeleteWithoutASelectionAsksNothing)
{
    Add("a.rec");
    Command(ID_EDIT_DELETE);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(1, mainWnd.list.GetItemCount());
}

TEST_F(FileOps, DeleteAnsweredNoKeepsRowsAndFiles)
{
    std::string a = Add("a.rec");
    Select({0});
    boxes.answer = IDNO;
    Command(ID_EDIT_DELETE);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("1 個のファイルをごみ箱へ移動します。\r\nよろしいですか？", boxes.boxes[0].text);
    EXPECT_EQ("確認", boxes.boxes[0].caption);
    EXPECT_EQ(0x10024u, boxes.boxes[0].flags);
    EXPECT_EQ(mainWnd.window, boxes.boxes[0].owner);
    EXPECT_EQ(1, mainWnd.list.GetItemCount());
    EXPECT_TRUE(Exists(a));
}

TEST_F(FileOps, DeleteMovesTheFilesToTheRecycleBinAlsoWhenOneIsGone)
{
    if (!childprocess::UnderWine())
        GTEST_SKIP() << "the recycle bin is read where Wine keeps it";
    std::string gone = Add("gone.rec");
    std::string kept = Add("kept.rec");
    std::string other = Add("other.rec");
    ASSERT_TRUE(DeleteFileA(gone.c_str()));
    Select({0, 1});
    mainWnd.tree.InsertItem("GameSettings", TVI_ROOT, TVI_LAST, 1, 1, 0);
    boxes.answer = IDYES;
    Command(ID_EDIT_DELETE);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("2 個のファイルをごみ箱へ移動します。\r\nよろしいですか？", boxes.boxes[0].text);
    EXPECT_EQ(std::vector<std::string>{"other.rec"}, Names(mainWnd.list));
    EXPECT_EQ(1u, mainWnd.data.records.size());
    EXPECT_EQ(1u, mainWnd.data.records.count(3));
    EXPECT_FALSE(Exists(kept));
    EXPECT_TRUE(InTrash(kept));
    EXPECT_TRUE(Exists(other));
    EXPECT_NE(nullptr, mainWnd.tree.GetRoot()) << "the tree is left as it is";
    EXPECT_EQ(mainWnd.list.window, GetFocus());
}

class DeleteHeld : public FileOps, public ::testing::WithParamInterface<int> {};

// A file that another program holds open without sharing it for deletion cannot go to the
// recycle bin: it stays where it is, keeps its row, its record and the tree that shows it, and
// one box names it. The other file goes to the recycle bin. Wine asks whether to delete the held
// file for good instead (Windows would just fail); neither answer loses it.
TEST_P(DeleteHeld, AFileHeldOpenKeepsItsRowAndIsNamed)
{
    if (!childprocess::UnderWine())
        GTEST_SKIP() << "the recycle bin is read where Wine keeps it";
    std::string other = Add("other.rec");
    std::string held = Add("held.rec", fixtures::FileBytes(fixtures::GoodBody()));
    mainWnd.ShowRecordInTree(1);
    Select({0, 1});
    HANDLE handle = CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, handle);
    listtest::DialogAnswers dialogs;
    dialogs.overwrite = GetParam();
    boxes.answer = IDYES;
    Command(ID_EDIT_DELETE);
    CloseHandle(handle);
    EXPECT_EQ(1, dialogs.overwriteQuestions);
    EXPECT_EQ("ファイルの削除の確認", dialogs.overwriteTitle);
    EXPECT_EQ(std::vector<std::string>{"held.rec"}, Names(mainWnd.list));
    ASSERT_EQ(1u, mainWnd.data.records.size());
    EXPECT_EQ(held, mainWnd.data.records.begin()->second.path);
    EXPECT_EQ(mainWnd.data.records.begin()->first, mainWnd.list.GetItemParam(0));
    EXPECT_NE(nullptr, mainWnd.tree.GetRoot()) << "the record shown stays";
    EXPECT_TRUE(Exists(held));
    EXPECT_FALSE(InTrash(held));
    EXPECT_FALSE(Exists(other));
    EXPECT_TRUE(InTrash(other));
    ASSERT_EQ(2u, boxes.boxes.size());
    EXPECT_EQ("1 個のファイルをごみ箱へ移動できませんでした。\r\n\r\nheld.rec", boxes.boxes[1].text);
    EXPECT_EQ("エラー", boxes.boxes[1].caption);
    EXPECT_EQ(0x10030u, boxes.boxes[1].flags);
    EXPECT_EQ(mainWnd.window, boxes.boxes[1].owner);
    EXPECT_EQ(mainWnd.list.window, GetFocus());
}

INSTANTIATE_TEST_SUITE_P(Answers, DeleteHeld, ::testing::Values(IDNO, IDYES),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return info.param == IDNO ? "No" : "Yes";
                         });

namespace {

// What the shell is asked to do, and what it answers in its place; with a window, how many rows
// and records it had when the shell was called.
struct ShellCall {
    UINT operation = 0;
    FILEOP_FLAGS flags = 0;
    std::vector<std::string> paths;
    int code = 0;
    BOOL aborted = FALSE;
    CMainWnd* window = nullptr;
    int rows = -1;
    size_t records = 0;
};
ShellCall shellCall;

int WINAPI AnswerInsteadOfTheShell(SHFILEOPSTRUCTA* request)
{
    shellCall.operation = request->wFunc;
    shellCall.flags = request->fFlags;
    for (const char* path = request->pFrom; *path; path += std::strlen(path) + 1)
        shellCall.paths.push_back(path);
    if (shellCall.window) {
        shellCall.rows = shellCall.window->list.GetItemCount();
        shellCall.records = shellCall.window->data.records.size();
    }
    request->fAnyOperationsAborted = shellCall.aborted;
    return shellCall.code;
}

}

// Windows asks before it deletes for good a file that cannot go to the recycle bin (on a drive
// without one, or too big for it), so that the user's "No" keeps it; nothing else shows.
TEST_F(FileOps, TheShellWarnsBeforeDeletingForGood)
{
    std::string a = Add("a.rec");
    std::string b = Add("b.rec");
    Select({0, 1});
    shellCall = {};
    ImportPatch patch("shell32.dll", "SHFileOperationA", reinterpret_cast<const void*>(&AnswerInsteadOfTheShell));
    ASSERT_NE(nullptr, patch.slot);
    boxes.answer = IDYES;
    Command(ID_EDIT_DELETE);
    EXPECT_EQ(static_cast<UINT>(FO_DELETE), shellCall.operation);
    EXPECT_EQ(FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI | FOF_WANTNUKEWARNING,
              shellCall.flags);
    EXPECT_EQ((std::vector<std::string>{a, b}), shellCall.paths);
}

struct ShellAnswerCase {
    const char* name;
    int code;
    BOOL aborted;
};

class DeleteAnswered : public FileOps, public ::testing::WithParamInterface<ShellAnswerCase> {};

// Whatever the shell answers, even that it did all and nothing was left undone, files that are
// still there keep their rows and records, and one box names them: five by name, then the count of
// the rest. Nothing left the list before the shell was called.
TEST_P(DeleteAnswered, FilesThatStayKeepTheirRowsAndAreNamed)
{
    std::vector<std::string> names;
    for (int i = 1; i <= 7; ++i) {
        names.push_back("f" + std::to_string(i) + ".rec");
        Add(names.back());
    }
    Command(ID_EDIT_SELECT_ALL);
    shellCall = {};
    shellCall.code = GetParam().code;
    shellCall.aborted = GetParam().aborted;
    shellCall.window = &mainWnd;
    ImportPatch patch("shell32.dll", "SHFileOperationA", reinterpret_cast<const void*>(&AnswerInsteadOfTheShell));
    boxes.answer = IDYES;
    Command(ID_EDIT_DELETE);
    EXPECT_EQ(7u, shellCall.paths.size());
    EXPECT_EQ(7, shellCall.rows);
    EXPECT_EQ(7u, shellCall.records);
    EXPECT_EQ(names, Names(mainWnd.list));
    EXPECT_EQ(7u, mainWnd.data.records.size());
    ASSERT_EQ(2u, boxes.boxes.size());
    EXPECT_EQ("7 個のファイルをごみ箱へ移動できませんでした。\r\n\r\n"
              "f1.rec\r\nf2.rec\r\nf3.rec\r\nf4.rec\r\nf5.rec\r\nほか 2 個のファイル",
              boxes.boxes[1].text);
}

INSTANTIATE_TEST_SUITE_P(Answers, DeleteAnswered,
                         ::testing::Values(ShellAnswerCase{"Failed", 0x78, FALSE},
                                           ShellAnswerCase{"NoAtTheShellsQuestion", 0, TRUE},
                                           ShellAnswerCase{"DoneButTheFilesStay", 0, FALSE}),
                         [](const ::testing::TestParamInfo<ShellAnswerCase>& info) {
                             return info.param.name;
                         });

struct ShownCase {
    const char* name;
    std::vector<int> deleted;
    bool emptied;
};

class DeleteShown : public FileOps, public ::testing::WithParamInterface<ShownCase> {};

// The tree shows the second row's record. It is emptied when that record leaves the store with its
// row, and left as it is when other rows go.
TEST_P(DeleteShown, TheTreeGoesWithTheRecordItShows)
{
    for (const char* name : {"a.rec", "b.rec", "c.rec"})
        Add(name, fixtures::FileBytes(fixtures::GoodBody()));
    mainWnd.ShowRecordInTree(1);
    ASSERT_NE(nullptr, mainWnd.tree.GetRoot());
    for (int row : GetParam().deleted)
        mainWnd.list.SelectItem(row);
    boxes.answer = IDYES;
    Command(ID_EDIT_DELETE);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ(3 - GetParam().deleted.size(), static_cast<size_t>(mainWnd.list.GetItemCount()));
    EXPECT_EQ(GetParam().emptied, mainWnd.tree.GetRoot() == nullptr);
}

INSTANTIATE_TEST_SUITE_P(Rows, DeleteShown,
                         ::testing::Values(ShownCase{"TheShownOne", {1}, true},
                                           ShownCase{"TheOthers", {0, 2}, false},
                                           ShownCase{"All", {0, 1, 2}, true}),
                         [](const ::testing::TestParamInfo<ShownCase>& info) {
                             return info.param.name;
                         });

TEST_F(FileOps, DeleteOfTheSameFileListedTwiceMovesEveryFile)
{
    if (!childprocess::UnderWine())
        GTEST_SKIP() << "the recycle bin is read where Wine keeps it";
    std::string a = Add("a.rec");
    Add("a.rec");
    std::string japanese = Add("裂け目の谷.rec");
    Command(ID_EDIT_SELECT_ALL);
    boxes.answer = IDYES;
    Command(ID_EDIT_DELETE);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("3 個のファイルをごみ箱へ移動します。\r\nよろしいですか？", boxes.boxes[0].text);
    EXPECT_EQ(0, mainWnd.list.GetItemCount());
    EXPECT_TRUE(mainWnd.data.records.empty());
    EXPECT_FALSE(Exists(a));
    EXPECT_FALSE(Exists(japanese));
    EXPECT_TRUE(InTrash(a));
    EXPECT_TRUE(InTrash(japanese));
}

// Every row of a file that Delete sent to the recycle bin leaves the list, selected or not: the
// same path listed again and the file under a name in other letter case (Wine's folders ignore
// case). The tree that showed one of them empties. Another name of the file (a hard link) still
// names it, and keeps its row.
TEST_F(FileOps, EveryRowOfAFileGoneLeaves)
{
    if (!childprocess::UnderWine())
        GTEST_SKIP() << "the recycle bin is read where Wine keeps it";
    std::string a = Add("a.rec", fixtures::FileBytes(fixtures::GoodBody()));
    mainWnd.AddRecordFile(folder + "\\A.REC");
    Add("b.rec");
    mainWnd.AddRecordFile(a);
    std::string link = folder + "\\link.rec";
    ASSERT_TRUE(CreateHardLinkA(link.c_str(), a.c_str(), nullptr));
    mainWnd.AddRecordFile(link);
    ASSERT_EQ((std::vector<std::string>{"a.rec", "A.REC", "b.rec", "a.rec", "link.rec"}), Names(mainWnd.list));
    mainWnd.ShowRecordInTree(1);
    ASSERT_NE(nullptr, mainWnd.tree.GetRoot());
    Select({0});
    boxes.answer = IDYES;
    Command(ID_EDIT_DELETE);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ((std::vector<std::string>{"b.rec", "link.rec"}), Names(mainWnd.list));
    EXPECT_EQ(2u, mainWnd.data.records.size());
    EXPECT_EQ(nullptr, mainWnd.tree.GetRoot());
    EXPECT_FALSE(Exists(a));
    EXPECT_TRUE(InTrash(a));
    EXPECT_TRUE(Exists(link));
}

// Two files whose names differ in letter case only, in a folder that tells them apart (a host
// folder under Wine), are two files: Delete moves both.
TEST_F(FileOps, DeleteMovesBothFilesWhoseNamesDifferInLetterCaseOnly)
{
    if (!childprocess::UnderWine())
        GTEST_SKIP() << "the host names the files";
    listtest::MakeFile(listtest::Relative(folder + "\\upper.tmp"), "upper");
    listtest::MakeFile(listtest::Relative(folder + "\\lower.tmp"), "lower");
    ASSERT_TRUE(listtest::RenameOnTheHost(folder, {{"upper.tmp", "Game.rec"}, {"lower.tmp", "game.rec"}}));
    std::string upper = folder + "\\Game.rec";
    std::string lower = folder + "\\game.rec";
    ASSERT_EQ("lower", listtest::Read(lower));
    mainWnd.AddRecordFile(upper);
    mainWnd.AddRecordFile(lower);
    Command(ID_EDIT_SELECT_ALL);
    boxes.answer = IDYES;
    Command(ID_EDIT_DELETE);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ(0, mainWnd.list.GetItemCount());
    EXPECT_TRUE(InTrash(upper));
    EXPECT_TRUE(InTrash(lower));
}

TEST_F(FileOps, DeleteOfARowWithoutARecordRemovesTheRowAlone)
{
    std::string a = Add("a.rec");
    mainWnd.list.InsertItem("stray", 1, 0, 1, 0);
    mainWnd.list.InsertItem("unknown", 2, 0, 1, 99);
    Select({1, 2});
    boxes.answer = IDYES;
    Command(ID_EDIT_DELETE);
    EXPECT_EQ(std::vector<std::string>{"a.rec"}, Names(mainWnd.list));
    EXPECT_TRUE(Exists(a));
    EXPECT_EQ(1u, mainWnd.data.records.size());
}

TEST_F(FileOps, CopyWithoutASelectionOpensNothing)
{
    Add("a.rec");
    listtest::DialogAnswers dialogs;
    dialogs.folder = Subfolder("target");
    Command(ID_EXPORT_COPY);
    EXPECT_EQ(0, dialogs.browsers);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(FileOps, CopyCancelledOrAnsweredNoCopiesNothing)
{
    Add("a.rec");
    Select({0});
    std::string target = Subfolder("target");
    listtest::DialogAnswers dialogs;
    Command(ID_EXPORT_COPY);
    EXPECT_EQ(1, dialogs.browsers);
    EXPECT_TRUE(boxes.boxes.empty());
    dialogs.folder = target;
    boxes.answer = IDNO;
    Command(ID_EXPORT_COPY);
    EXPECT_EQ(2, dialogs.browsers);
    EXPECT_EQ(1u, boxes.boxes.size());
    EXPECT_FALSE(Exists(target + "\\a.rec"));
}

TEST_F(FileOps, CopyPutsTheSelectedFilesIntoTheChosenFolder)
{
    std::string a = Add("a.rec", "first");
    Add("skip.rec", "not selected");
    Add("裂け目の谷.rec", "second");
    std::string target = Subfolder("写し先ソ");
    Select({0, 2});
    listtest::DialogAnswers dialogs;
    dialogs.folder = target;
    boxes.answer = IDYES;
    Command(ID_EXPORT_COPY);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("2 個のファイルを以下のフォルダにコピーします。\r\nよろしいですか？\r\n\r\n" + target,
              boxes.boxes[0].text);
    EXPECT_EQ("確認", boxes.boxes[0].caption);
    EXPECT_EQ(0x10024u, boxes.boxes[0].flags);
    EXPECT_EQ("first", listtest::Read(target + "\\a.rec"));
    EXPECT_EQ("second", listtest::Read(target + "\\裂け目の谷.rec"));
    EXPECT_FALSE(Exists(target + "\\skip.rec"));
    EXPECT_TRUE(Exists(a)) << "a copy, not a move";
    EXPECT_EQ(3, mainWnd.list.GetItemCount());
    EXPECT_EQ(3u, mainWnd.data.records.size());
    EXPECT_EQ(mainWnd.list.window, GetFocus());
}

namespace {

// Every file and folder in a folder, sorted.
std::vector<std::string> Entries(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
        if (std::string(found.cFileName) != "." && std::string(found.cFileName) != "..")
            names.push_back(found.cFileName);
    }
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

}

// A folder whose path is 260 bytes or more (a few Japanese folders deep) is no folder to copy
// into: nothing is asked, nothing copied anywhere, and a box says why.
TEST_F(FileOps, CopyIntoAFolderOfAPathTooLongCopiesNothing)
{
    Add("a.rec", "data");
    Select({0});
    std::string japanese;
    for (int i = 0; i < 80; ++i)
        japanese += "あ";
    std::string outer = Subfolder(japanese);
    std::string deep = outer + "\\いいいいいいいいいいいいいいいいいいいいいいいいいいいいいいいいいいいいいいいい";
    ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr));
    ASSERT_GE(deep.size(), 260u);
    listtest::DialogAnswers dialogs;
    dialogs.folder = deep;
    boxes.answer = IDYES;
    Command(ID_EXPORT_COPY);
    EXPECT_EQ(1, dialogs.browsers);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("選択したフォルダのパスが長すぎます。", boxes.boxes[0].text);
    EXPECT_EQ("エラー", boxes.boxes[0].caption);
    EXPECT_TRUE(Entries(deep).empty());
    EXPECT_EQ(std::vector<std::string>{"いいいいいいいいいいいいいいいいいいいいいいいいいいいいいいいいいいいいいいいい"}, Entries(outer));
    EXPECT_EQ((std::vector<std::string>{"a.rec", japanese}), Entries(folder));
}

struct ClashCase {
    const char* name;
    int answer;
    std::string left; // what the clashing file holds afterwards
};

class CopyClash : public FileOps, public ::testing::WithParamInterface<ClashCase> {};

TEST_P(CopyClash, TheShellAsksAboutAFileThatIsThereAlready)
{
    Add("a.rec", "new");
    std::string target = Subfolder("target");
    listtest::MakeFile(listtest::Relative(target + "\\a.rec"), "old");
    Select({0});
    listtest::DialogAnswers dialogs;
    dialogs.folder = target;
    dialogs.overwrite = GetParam().answer;
    boxes.answer = IDYES;
    Command(ID_EXPORT_COPY);
    EXPECT_EQ(1, dialogs.overwriteQuestions);
    EXPECT_EQ("ファイルの上書きの確認", dialogs.overwriteTitle);
    EXPECT_EQ(GetParam().left, listtest::Read(target + "\\a.rec"));
    // What the user chose in the shell's own box is no failure.
    EXPECT_EQ(1u, boxes.boxes.size());
}

INSTANTIATE_TEST_SUITE_P(Answers, CopyClash,
                         ::testing::Values(ClashCase{"Yes", IDYES, "new"},
                                           ClashCase{"No", IDNO, "old"},
                                           ClashCase{"YesToAll", 12807, "new"},
                                           ClashCase{"Cancel", IDCANCEL, "old"}),
                         [](const ::testing::TestParamInfo<ClashCase>& info) {
                             return info.param.name;
                         });

TEST_F(FileOps, CopyOfAFileThatIsGoneCopiesTheOthersAndSaysItFailed)
{
    std::string gone = Add("gone.rec");
    Add("b.rec", "b");
    std::string target = Subfolder("target");
    ASSERT_TRUE(DeleteFileA(gone.c_str()));
    Command(ID_EDIT_SELECT_ALL);
    listtest::DialogAnswers dialogs;
    dialogs.folder = target;
    boxes.answer = IDYES;
    Command(ID_EXPORT_COPY);
    ASSERT_EQ(2u, boxes.boxes.size());
    EXPECT_EQ("ファイルのコピーに失敗しました。", boxes.boxes[1].text);
    EXPECT_EQ("エラー", boxes.boxes[1].caption);
    EXPECT_EQ(0x10030u, boxes.boxes[1].flags);
    EXPECT_EQ("b", listtest::Read(target + "\\b.rec"));
    EXPECT_EQ(2, mainWnd.list.GetItemCount());
}
