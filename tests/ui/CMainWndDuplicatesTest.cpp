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
    if (c.namedOnTheHost) {
        ASSERT_TRUE(listtest::RenameOnTheHost(testfiles::Path(folderName), moves)) << "not renamed on the host";
    }
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

// With the dialog's own interval and files that each take longer than it to measure or open, the
// dialog shows, whenever a file is measured or opened, that file's name and the files settled so
// far, with the bar at that number; every step that it shows agrees with its line.
TEST_F(DuplicatesCommand, EveryFileShowsItsOwnLinesWithTheDialogsOwnInterval)
{
    UseFolder("OwnLines");
    std::vector<std::string> names;
    for (int i = 0; i < 8; ++i) {
        names.push_back("u" + std::to_string(i) + ".rec");
        FileRow(names.back(), std::string(static_cast<size_t>(i + 1), 'u'));
    }
    for (const char* name : {"g0.rec", "g1.rec"}) {
        names.push_back(name);
        FileRow(name, std::string(100, 'g'));
    }
    for (const char* name : {"h0.rec", "h1.rec"}) {
        names.push_back(name);
        FileRow(name, std::string(200, 'h') + name);
    }
    mainWnd.progress.updateInterval = CProgressDlg().updateInterval;
    std::vector<size_t> looksAtSteps;
    std::vector<runtest::SlowFiles::Look> looks;
    {
        runtest::TestClock clock;
        runtest::SlowFiles slow(clock, mainWnd.progress.updateInterval + 1, mainWnd.progress);
        ProgressRecorder progress([&](int, HWND) { looksAtSteps.push_back(slow.looks.size()); });
        Command(ID_EDIT_SELECT_DUPLICATES);
        looks = slow.looks;
        ASSERT_FALSE(progress.steps.empty());
        for (size_t step = 0; step < progress.steps.size(); ++step) {
            SCOPED_TRACE(step);
            const ProgressRecorder::Step& shown = progress.steps[step];
            EXPECT_EQ(runtest::RunLine("検索中...", shown.position, 12), shown.first);
            // The file that the finder reads next.
            ASSERT_LT(looksAtSteps[step], looks.size());
            EXPECT_EQ(looks[looksAtSteps[step]].name, shown.second);
        }
    }
    EXPECT_EQ(std::vector<int>{9}, SelectedRows(mainWnd.list));
    ASSERT_GE(looks.size(), 12u);
    for (size_t i = 0; i < looks.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(looks[i].shown);
        EXPECT_EQ(looks[i].name, looks[i].second);
        EXPECT_EQ(runtest::RunLine("検索中...", looks[i].position, 12), looks[i].first);
    }
}

// However few the files, files that take long to read open the dialog once the search has gone on
// for its delay, and Cancel there stops the search: nothing changes.
TEST_F(DuplicatesCommand, AFewSlowFilesOpenTheDialogAfterItsDelay)
{
    UseFolder("FewSlow");
    FileRow("a.rec", "same");
    FileRow("b.rec", "same");
    Select({0});
    mainWnd.searchDialogDelay = 500;
    std::vector<runtest::SlowFiles::Look> looks;
    {
        runtest::TestClock clock;
        runtest::SlowFiles slow(clock, mainWnd.searchDialogDelay + 1, mainWnd.progress,
                                [&](const runtest::SlowFiles::Look& look) {
                                    if (look.shown)
                                        PostMessageA(mainWnd.progress.window, WM_COMMAND, IDCANCEL, 0);
                                });
        Command(ID_EDIT_SELECT_DUPLICATES);
        looks = slow.looks;
    }
    ASSERT_GE(looks.size(), 2u);
    EXPECT_FALSE(looks[0].shown);
    EXPECT_TRUE(looks[1].shown);
    EXPECT_EQ(std::vector<int>{0}, SelectedRows(mainWnd.list));
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(IsWindowEnabled(mainWnd.window));
    EXPECT_EQ(nullptr, mainWnd.progress.window);
}

// Twelve files: three copies of one file among others of sizes of their own.
class DuplicatesRun : public DuplicatesCommand {
protected:
    void TwelveFiles(const std::string& name)
    {
        UseFolder(name);
        for (int i = 0; i < 12; ++i)
            FileRow("f" + std::to_string(i) + ".rec",
                    i % 4 == 3 ? "copy" : std::string(static_cast<size_t>(i + 10), 'x'));
    }
};

// Closing the window during the search (another program may send the close to the disabled
// window) is refused: the search goes to its end. Once it is over the window closes again.
TEST_F(DuplicatesRun, ClosingTheWindowDuringTheRunIsRefused)
{
    TwelveFiles("Close");
    ProgressRecorder progress([&](int step, HWND) {
        if (step == 1) {
            SendMessageA(mainWnd.window, WM_CLOSE, 0, 0);
            SendMessageA(mainWnd.window, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
    });
    Command(ID_EDIT_SELECT_DUPLICATES);
    ASSERT_TRUE(IsWindow(mainWnd.window));
    EXPECT_EQ((std::vector<int>{7, 11}), SelectedRows(mainWnd.list));
    EXPECT_TRUE(boxes.boxes.empty());
    SendMessageA(mainWnd.window, WM_CLOSE, 0, 0);
    EXPECT_EQ(nullptr, mainWnd.window);
}

class DuplicatesSessionEnd : public DuplicatesRun, public testing::WithParamInterface<runtest::SessionCase> {};

// The end of the session stops the search as Cancel does: nothing changes and no box waits for
// anyone. A session that goes on after the question leaves the search to its end.
TEST_P(DuplicatesSessionEnd, StopsTheSearchAndChangesNothing)
{
    TwelveFiles(std::string("Session") + GetParam().name);
    Select({0});
    LRESULT allowed = -1;
    ProgressRecorder progress([&](int step, HWND) {
        if (step == 1)
            allowed = GetParam().Send(mainWnd.window);
    });
    Command(ID_EDIT_SELECT_DUPLICATES);
    if (GetParam().query) {
        EXPECT_EQ(TRUE, allowed);
    }
    std::vector<int> selected = GetParam().Stops() ? std::vector<int>{0} : std::vector<int>{7, 11};
    EXPECT_EQ(selected, SelectedRows(mainWnd.list));
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(nullptr, mainWnd.progress.window);
    EXPECT_TRUE(IsWindowEnabled(mainWnd.window));
}

INSTANTIATE_TEST_SUITE_P(Messages, DuplicatesSessionEnd, testing::ValuesIn(runtest::SessionCases()),
                         runtest::SessionCaseName);

}
