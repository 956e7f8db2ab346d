// Edit > Select duplicate files: the rows whose files hold the bytes of an earlier row's file
// become selected, so that Delete removes the copies.
#include "RunTestSupport.h"

#include "ListTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using listtest::SelectedRows;
using runtest::Exists;
using runtest::ProgressRecorder;

namespace {

class DuplicatesCommand : public runtest::RunWindow {
protected:
    void UseFolder(const std::string& name)
    {
        folderName = "Duplicates" + name;
        folder = runtest::Folder(folderName);
    }
    // A row for a file of the test's folder (a path below it) holding bytes; its path.
    std::string FileRow(const std::string& name, const std::string& bytes)
    {
        std::string relative = folderName + "\\" + name;
        std::string::size_type slash = relative.find_last_of('\\');
        CreateDirectoryA(testfiles::Path(relative.substr(0, slash)).c_str(), nullptr);
        std::string path = testfiles::Write(relative, bytes);
        AddRow(path);
        return path;
    }
    bool Focused(int row) { return mainWnd.list.SendMsg(LVM_GETITEMSTATE, row, LVIS_FOCUSED) != 0; }

    std::string folderName;
    std::string folder;
};

// Chosen from the Edit menu with the keys: equal files under other names and in other folders,
// the first of them left unselected; a file of the same size with other bytes is no duplicate.
TEST_F(DuplicatesCommand, TheEditMenuSelectsTheCopiesAfterTheFirst)
{
    UseFolder("Menu");
    FileRow("a\\game.rec", "the same bytes");
    FileRow("other.rec", "the some bytes");
    FileRow("b\\copy of game.rec", "the same bytes");
    FileRow("alone.rec", "a size of its own");
    FileRow("c\\game.rec", "the same bytes");
    Select({0, 3});
    ChooseFromMenu("eu");
    EXPECT_EQ((std::vector<int>{2, 4}), SelectedRows(mainWnd.list));
    EXPECT_TRUE(Focused(2));
    EXPECT_EQ(mainWnd.list.window, GetFocus());
    EXPECT_TRUE(boxes.boxes.empty());
}

// The same path listed twice is one file, no duplicate of itself: only the copy of it is.
TEST_F(DuplicatesCommand, APathListedTwiceIsOneFile)
{
    UseFolder("Twice");
    std::string first = FileRow("first.rec", "twin");
    FileRow("single.rec", "single");
    AddRow(first);
    FileRow("copy.rec", "twin");
    Command(ID_EDIT_SELECT_DUPLICATES);
    EXPECT_EQ(std::vector<int>{3}, SelectedRows(mainWnd.list));
    EXPECT_TRUE(boxes.boxes.empty());
}

// Delete after the command moves the copies to the recycle bin and leaves the first files.
TEST_F(DuplicatesCommand, DeleteThenRemovesTheCopies)
{
    UseFolder("Delete");
    std::string first = FileRow("first.rec", "twin");
    std::string copy = FileRow("copy.rec", "twin");
    std::string single = FileRow("single.rec", "single");
    std::string another = FileRow("another copy.rec", "twin");
    Command(ID_EDIT_SELECT_DUPLICATES);
    ASSERT_EQ((std::vector<int>{1, 3}), SelectedRows(mainWnd.list));
    boxes.answer = IDYES;
    Command(ID_EDIT_DELETE);
    EXPECT_EQ((std::vector<std::string>{"first.rec", "single.rec"}), listtest::Names(mainWnd.list));
    EXPECT_TRUE(Exists(first));
    EXPECT_TRUE(Exists(single));
    EXPECT_FALSE(Exists(copy));
    EXPECT_FALSE(Exists(another));
}

// A file of the list, with the bytes that it holds.
struct ListedFile {
    const char* name;
    const char* bytes;
};

struct SameFileCase {
    const char* name;
    std::vector<ListedFile> files;
    // The files are made under other names and given theirs by the host, where letter case
    // tells names apart.
    bool namedOnTheHost;
    // The rows, by the names they give their files.
    std::vector<const char*> rows;
    std::vector<int> selected;
};

class SameFile : public DuplicatesCommand, public ::testing::WithParamInterface<SameFileCase> {};

// Only a distinct file with the same bytes is a copy: rows that name one file (the same path, the
// same file in other letter cases where the folder ignores case) are not copies of each other,
// and files whose names differ in letter case only are two files where the folder tells them
// apart. Only the copy is selected, and Delete after the command leaves every other file as it
// was, and each row whose file is still there.
TEST_P(SameFile, OnlyTheTrueCopyIsSelectedAndDeleted)
{
    const SameFileCase& c = GetParam();
    UseFolder(c.name);
    std::vector<std::pair<std::string, std::string>> moves;
    for (const ListedFile& file : c.files) {
        std::string made = c.namedOnTheHost ? "made" + std::to_string(moves.size()) + ".tmp" : file.name;
        testfiles::Write(folderName + "\\" + made, file.bytes);
        moves.emplace_back(made, file.name);
    }
    if (c.namedOnTheHost)
        ASSERT_TRUE(listtest::RenameOnTheHost(testfiles::Path(folderName), moves)) << "not renamed on the host";
    std::vector<std::string> kept;
    for (const char* row : c.rows) {
        AddRow(folder + row);
        if (std::string(row) != "copy.rec")
            kept.push_back(row);
    }
    Command(ID_EDIT_SELECT_DUPLICATES);
    EXPECT_EQ(c.selected, SelectedRows(mainWnd.list));
    EXPECT_TRUE(boxes.boxes.empty());
    boxes.answer = IDYES;
    Command(ID_EDIT_DELETE);
    EXPECT_EQ(kept, listtest::Names(mainWnd.list));
    for (const ListedFile& file : c.files) {
        if (std::string(file.name) == "copy.rec")
            EXPECT_FALSE(Exists(folder + file.name));
        else
            EXPECT_EQ(file.bytes, testfiles::Read(folder + file.name)) << file.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lists, SameFile,
    ::testing::Values(
        SameFileCase{"ThePathListedTwice", {{"first.rec", "twin"}, {"copy.rec", "twin"}}, false,
                     {"first.rec", "first.rec", "copy.rec"}, {2}},
        SameFileCase{"TheFileInOtherLetterCase", {{"first.rec", "twin"}, {"copy.rec", "twin"}}, false,
                     {"first.rec", "FIRST.REC", "copy.rec"}, {2}},
        SameFileCase{"NamesThatDifferInLetterCaseOnly",
                     {{"Game.rec", "twin"}, {"game.rec", "twix"}, {"copy.rec", "twin"}}, true,
                     {"Game.rec", "game.rec", "copy.rec"}, {2}},
        SameFileCase{"OneTrueCopy", {{"first.rec", "twin"}, {"copy.rec", "twin"}}, false,
                     {"first.rec", "copy.rec"}, {1}}),
    [](const ::testing::TestParamInfo<SameFileCase>& info) { return info.param.name; });

// Equal sizes with other bytes, the last byte only: a box says that nothing was found, and the
// selection stays.
TEST_F(DuplicatesCommand, NoDuplicateSaysSoAndChangesNothing)
{
    UseFolder("None");
    FileRow("a.rec", std::string(100000, 'x') + "a");
    FileRow("b.rec", std::string(100000, 'x') + "b");
    Select({1});
    Command(ID_EDIT_SELECT_DUPLICATES);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("重複したファイルはありません。", boxes.boxes[0].text);
    EXPECT_EQ("重複ファイルを選択", boxes.boxes[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONINFORMATION), boxes.boxes[0].flags & (MB_TYPEMASK | MB_ICONMASK));
    EXPECT_EQ(mainWnd.window, boxes.boxes[0].owner);
    EXPECT_EQ(std::vector<int>{1}, SelectedRows(mainWnd.list));
}

// A file gone since it was listed is no duplicate, even of a path listed twice, and is told at
// the end with its row's name.
TEST_F(DuplicatesCommand, AVanishedFileIsToldAtTheEnd)
{
    UseFolder("Vanished");
    FileRow("a.rec", "pair");
    std::string gone = FileRow("gone.rec", "pair");
    FileRow("b.rec", "pair");
    AddRow(gone);
    ASSERT_TRUE(DeleteFileA(gone.c_str()));
    Command(ID_EDIT_SELECT_DUPLICATES);
    EXPECT_EQ(std::vector<int>{2}, SelectedRows(mainWnd.list));
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("2 個のファイルを処理できませんでした。\r\n\r\ngone.rec\r\nFile Open Error : " + gone +
                  "\r\n\r\ngone.rec\r\nFile Open Error : " + gone + "\r\n",
              boxes.boxes[0].text);
    EXPECT_EQ("エラー", boxes.boxes[0].caption);
}

// More rows than a few: the progress dialog counts the rows settled and names the file being
// read, with the main window disabled.
TEST_F(DuplicatesCommand, ARunOverManyRowsShowsItsProgress)
{
    UseFolder("Many");
    for (int i = 0; i < 12; ++i)
        FileRow("f" + std::to_string(i) + ".rec", i % 4 == 3 ? "copy" : std::string(static_cast<size_t>(i + 10), 'x'));
    ProgressRecorder progress;
    Command(ID_EDIT_SELECT_DUPLICATES);
    EXPECT_EQ((std::vector<int>{7, 11}), SelectedRows(mainWnd.list));
    ASSERT_FALSE(progress.steps.empty());
    // Nine files alone in their sizes are settled with their sizes; the three copies last.
    EXPECT_EQ("検索中... (9 / 12)", progress.steps.front().first);
    EXPECT_EQ("f3.rec", progress.steps.front().second);
    EXPECT_EQ(12, progress.steps.back().high);
    ExpectRunUnderTheMainWindow(progress);
}

// Cancel as the first file of the nine of one size is read: the selection stays and nothing is
// told.
TEST_F(DuplicatesCommand, CancelInTheMiddleChangesNothing)
{
    UseFolder("Cancel");
    for (int i = 0; i < 12; ++i)
        FileRow("f" + std::to_string(i) + ".rec", std::string(static_cast<size_t>(i < 3 ? i + 1 : 200000), 'c'));
    Select({0});
    ProgressRecorder progress([](int step, HWND dialog) {
        if (step == 1)
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    Command(ID_EDIT_SELECT_DUPLICATES);
    EXPECT_EQ(1u, progress.steps.size());
    EXPECT_EQ(std::vector<int>{0}, SelectedRows(mainWnd.list));
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(IsWindowEnabled(mainWnd.window));
}

}
