// Edit > Undo (Ctrl+Z): the files of the last rename or batch rename back under their old names.
#include "EchoRows.h"
#include "ListTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using echo::Numbered;
using echo::Sorted;
using runtest::ProgressRecorder;

namespace {

const char kPlainUndo[] = "元に戻す(&Z)\tCtrl+Z";
const char kUndoRename[] = "元に戻す - 名前の変更(&Z)\tCtrl+Z";
const char kUndoBatch[] = "元に戻す - 一括変換(&Z)\tCtrl+Z";
const char kGone[] = "名前の変更後に移動または削除されています";
const char kTaken[] = "元の名前のファイルがすでにあります";
const char kRefused[] = "元の名前に戻せませんでした";

class Undo : public echo::EchoWindow {
protected:
    std::string UndoText()
    {
        char text[128] = {};
        GetMenuStringA(GetMenu(mainWnd.window), ID_EDIT_UNDO, text, sizeof(text), MF_BYCOMMAND);
        return text;
    }
    bool UndoGrey() { return (MenuState(ID_EDIT_UNDO) & MF_GRAYED) != 0; }
    // Ctrl+Z in the list, through the accelerators as the message loop translates them.
    void CtrlZ() { PressKey('Z', true); }
    void BatchRename() { Command(ID_EDIT_BATCH_RENAME); }
    // F2 on the selected rows, each dialog answered with the name (OK), or ended with Skip for
    // an empty name and with Cancel for a null one.
    void RenameByF2(const std::vector<const char*>& names)
    {
        size_t next = 0;
        DialogVisitor visitor(
            "名前の変更",
            [&](HWND dialog) {
                const char* name = next < names.size() ? names[next] : nullptr;
                ++next;
                int button = !name ? IDCANCEL : *name ? IDOK : IDC_RENAME_SKIP;
                if (name && *name)
                    SetDlgItemTextA(dialog, IDC_RENAME_EDIT, name);
                SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
            },
            true);
        Command(ID_EDIT_RENAME);
    }
    // The file's NewName rewritten in place: the same file, other settings.
    void Rewrite(const std::string& name, const std::string& newName)
    {
        fixtures::WriteRecord(folderName + "\\" + name, "<GameSettings><NewName>" + newName + "</NewName></GameSettings>");
    }
};

// The names come back on disk, in the rows and in the records, which take the files' times anew
// and show them in their rows; the tree, which showed one of the records, shows it again as its file holds it now.
TEST_F(Undo, F2OfTwoFilesThenCtrlZ)
{
    EchoRows("UndoF2", {"one", "two"});
    Command(ID_TREE_SHOW_ALL);
    ASSERT_NE(std::string::npos, TreeOfRow(0).find("one"));
    RenameByF2({"x", "y"});
    ASSERT_EQ((std::vector<std::string>{"x.rec", "y.rec"}), Files());
    Rewrite("x.rec", "changed");
    std::filesystem::path changed = folder + "x.rec";
    std::filesystem::last_write_time(changed, std::filesystem::last_write_time(changed) - std::chrono::hours(24 * 400));
    CtrlZ();
    EXPECT_EQ((std::vector<std::string>{"r1.rec", "r2.rec"}), Files());
    EXPECT_EQ((std::vector<std::string>{"r1.rec", "r2.rec"}), Rows());
    EXPECT_EQ(folder + "r1.rec", RecordOfRow(0).path);
    EXPECT_EQ("r2.rec", RecordOfRow(1).fileName);
    CRecord loaded;
    ASSERT_TRUE(loaded.Load(folder + "r1.rec"));
    EXPECT_EQ(loaded.timeText, RecordOfRow(0).timeText);
    std::string timeShown;
    mainWnd.list.GetItemText(0, 1, timeShown);
    EXPECT_EQ(loaded.timeText, timeShown);
    EXPECT_NE(std::string::npos, mainwindow::TreeTexts(mainWnd.tree).find("changed"));
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(UndoGrey());
    EXPECT_EQ(mainWnd.list.window, GetFocus());
}

// A change of letter case alone is a rename, and goes back too: the file at the new name is the
// renamed file itself. (Wine keeps the host's name, so that there the name on disk stays as it was
// all along.)
TEST_F(Undo, ALetterCaseRenameGoesBack)
{
    EchoRows("UndoCase", {"one"});
    RenameByF2({"R1"});
    ASSERT_EQ(std::vector<std::string>{"R1.rec"}, Rows());
    ASSERT_EQ(1u, Files().size());
    CtrlZ();
    EXPECT_EQ(std::vector<std::string>{"r1.rec"}, Rows());
    EXPECT_EQ(folder + "r1.rec", RecordOfRow(0).path);
    EXPECT_EQ(std::vector<std::string>{"r1.rec"}, Files());
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(UndoGrey());
}

// The file the batch left alone is no part of the step: nothing is told of it.
TEST_F(Undo, ABatchOfThreeWithOneFailureThenCtrlZ)
{
    EchoRows("UndoFailure", {"x1", "CON", "x3"});
    BatchRename();
    ASSERT_EQ((std::vector<std::string>{"x1.rec", "r2.rec", "x3.rec"}), Rows());
    ASSERT_EQ(2u, boxes.boxes.size());
    CtrlZ();
    EXPECT_EQ((std::vector<std::string>{"r1.rec", "r2.rec", "r3.rec"}), Files());
    EXPECT_EQ((std::vector<std::string>{"r1.rec", "r2.rec", "r3.rec"}), Rows());
    EXPECT_EQ(2u, boxes.boxes.size());
    EXPECT_TRUE(UndoGrey());
}

TEST_F(Undo, ACancelledBatchThenCtrlZ)
{
    EchoRows("UndoCancelledBatch", {"x1", "x2", "x3"});
    {
        ProgressRecorder progress([](int step, HWND dialog) {
            if (step == 1)
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        BatchRename();
    }
    ASSERT_EQ((std::vector<std::string>{"r3.rec", "x1.rec", "x2.rec"}), Files());
    EXPECT_EQ(kUndoBatch, UndoText());
    CtrlZ();
    EXPECT_EQ((std::vector<std::string>{"r1.rec", "r2.rec", "r3.rec"}), Files());
    EXPECT_EQ((std::vector<std::string>{"r1.rec", "r2.rec", "r3.rec"}), Rows());
    EXPECT_TRUE(UndoGrey());
}

// A batch that stops at a file it cannot name (an empty name) makes a step of the files it renamed
// before.
TEST_F(Undo, AStoppedBatchThenCtrlZ)
{
    EchoRows("UndoStoppedBatch", {"x1", "", "x3"});
    BatchRename();
    ASSERT_EQ((std::vector<std::string>{"r2.rec", "r3.rec", "x1.rec"}), Files());
    ASSERT_EQ(2u, boxes.boxes.size());
    EXPECT_EQ(kUndoBatch, UndoText());
    CtrlZ();
    EXPECT_EQ((std::vector<std::string>{"r1.rec", "r2.rec", "r3.rec"}), Files());
    EXPECT_EQ((std::vector<std::string>{"r1.rec", "r2.rec", "r3.rec"}), Rows());
    EXPECT_EQ(2u, boxes.boxes.size());
    EXPECT_TRUE(UndoGrey());
}

TEST_F(Undo, TwoBatchesUndoneInReverseOrder)
{
    EchoRows("UndoTwoBatches", {"a1", "a2"});
    BatchRename();
    Rewrite("a1.rec", "b1");
    Rewrite("a2.rec", "b2");
    BatchRename();
    ASSERT_EQ((std::vector<std::string>{"b1.rec", "b2.rec"}), Files());
    CtrlZ();
    EXPECT_EQ((std::vector<std::string>{"a1.rec", "a2.rec"}), Files());
    EXPECT_EQ((std::vector<std::string>{"a1.rec", "a2.rec"}), Rows());
    EXPECT_EQ(kUndoBatch, UndoText());
    EXPECT_FALSE(UndoGrey());
    CtrlZ();
    EXPECT_EQ((std::vector<std::string>{"r1.rec", "r2.rec"}), Files());
    EXPECT_EQ((std::vector<std::string>{"r1.rec", "r2.rec"}), Rows());
    EXPECT_TRUE(UndoGrey());
    EXPECT_EQ(2u, boxes.boxes.size());
}

// What happened to the second of two renamed files between the batch and the undo.
struct MeanwhileCase {
    const char* name;
    // Done in the folder (ending with a backslash); a handle that the test holds over the undo,
    // or none.
    HANDLE (*happen)(const std::string& folder);
    std::vector<std::string> files;  // the folder's files after the undo
    const char* reason;              // why x2.rec stayed; null when it went back
    const char* another;             // the file that another program wrote there; null for none
};

void WriteAnother(const std::string& path)
{
    std::ofstream(path, std::ios::binary) << "another";
}

HANDLE Delete(const std::string& folder)
{
    DeleteFileA((folder + "x2.rec").c_str());
    return INVALID_HANDLE_VALUE;
}
HANDLE MoveAway(const std::string& folder)
{
    MoveFileA((folder + "x2.rec").c_str(), (folder + "moved.rec").c_str());
    return INVALID_HANDLE_VALUE;
}
HANDLE AnotherFileInItsPlace(const std::string& folder)
{
    MoveAway(folder);
    WriteAnother(folder + "x2.rec");
    return INVALID_HANDLE_VALUE;
}
HANDLE AFolderInItsPlace(const std::string& folder)
{
    Delete(folder);
    CreateDirectoryA((folder + "x2.rec").c_str(), nullptr);
    return INVALID_HANDLE_VALUE;
}
HANDLE OldNameTaken(const std::string& folder)
{
    WriteAnother(folder + "r2.rec");
    return INVALID_HANDLE_VALUE;
}
HANDLE OldNameTakenByAFolder(const std::string& folder)
{
    CreateDirectoryA((folder + "r2.rec").c_str(), nullptr);
    return INVALID_HANDLE_VALUE;
}
HANDLE HeldWithoutSharingDelete(const std::string& folder)
{
    return CreateFileA((folder + "x2.rec").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, 0, nullptr);
}
HANDLE HeldSharingAll(const std::string& folder)
{
    return CreateFileA((folder + "x2.rec").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, 0, nullptr);
}

class UndoMeanwhile : public Undo, public testing::WithParamInterface<MeanwhileCase> {};

// A file that is no longer the renamed file at its new path, or whose old name is taken, stays
// where it is and is told at the end with its reason; the others go back, and the step is done.
// What another program put in the folder stays as it is.
TEST_P(UndoMeanwhile, TheOthersGoBack)
{
    const MeanwhileCase& c = GetParam();
    EchoRows(std::string("Undo") + c.name, {"x1", "x2"});
    BatchRename();
    ASSERT_EQ((std::vector<std::string>{"x1.rec", "x2.rec"}), Files());
    HANDLE held = c.happen(folder);
    CtrlZ();
    if (held != INVALID_HANDLE_VALUE)
        CloseHandle(held);
    EXPECT_EQ(c.files, Files());
    EXPECT_EQ("r1.rec", RowText(0));
    EXPECT_EQ(c.reason ? "x2.rec" : "r2.rec", RowText(1));
    if (c.reason) {
        ASSERT_EQ(2u, boxes.boxes.size());
        EXPECT_EQ(std::string("1 個のファイルを元の名前に戻せませんでした。\r\n\r\nx2.rec\r\n") + c.reason + "\r\n",
                  boxes.boxes[1].text);
        EXPECT_EQ("エラー", boxes.boxes[1].caption);
        EXPECT_EQ(mainWnd.window, boxes.boxes[1].owner);
    } else {
        EXPECT_EQ(1u, boxes.boxes.size());
    }
    if (c.another) {
        EXPECT_EQ("another", testfiles::Read(folder + c.another));
    }
    EXPECT_TRUE(UndoGrey());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UndoMeanwhile,
    testing::Values(
        MeanwhileCase{"Deleted", Delete, {"r1.rec"}, kGone, nullptr},
        MeanwhileCase{"MovedAway", MoveAway, {"moved.rec", "r1.rec"}, kGone, nullptr},
        MeanwhileCase{"AnotherFileInItsPlace", AnotherFileInItsPlace, {"moved.rec", "r1.rec", "x2.rec"}, kGone, "x2.rec"},
        MeanwhileCase{"AFolderInItsPlace", AFolderInItsPlace, {"r1.rec"}, kGone, nullptr},
        MeanwhileCase{"OldNameTaken", OldNameTaken, {"r1.rec", "r2.rec", "x2.rec"}, kTaken, "r2.rec"},
        MeanwhileCase{"OldNameTakenByAFolder", OldNameTakenByAFolder, {"r1.rec", "x2.rec"}, kTaken, nullptr},
        MeanwhileCase{"HeldWithoutSharingDelete", HeldWithoutSharingDelete, {"r1.rec", "x2.rec"}, kRefused, nullptr},
        MeanwhileCase{"HeldSharingAll", HeldSharingAll, {"r1.rec", "r2.rec"}, nullptr, nullptr}),
    [](const testing::TestParamInfo<MeanwhileCase>& info) { return info.param.name; });

// Past five files the box names the first five, last renamed first, and counts the rest.
TEST_F(Undo, ManyFilesNotMovedBackAreCounted)
{
    EchoRows("UndoMany", Numbered("x", 8));
    BatchRename();
    for (const std::string& name : Sorted(Numbered("x", 8)))
        DeleteFileA((folder + name).c_str());
    CtrlZ();
    ASSERT_EQ(2u, boxes.boxes.size());
    std::string expected = "8 個のファイルを元の名前に戻せませんでした。\r\n";
    for (int i = 8; i > 3; --i)
        expected += "\r\nx" + std::to_string(i) + ".rec\r\n" + kGone + "\r\n";
    EXPECT_EQ(expected + "\r\nほか 3 個", boxes.boxes[1].text);
    EXPECT_TRUE(UndoGrey());
}

// The menu item names the step that Ctrl+Z would take back, and is grey with none; a command that
// renamed nothing makes no step, and Ctrl+Z with none does nothing.
TEST_F(Undo, TheMenuItemNamesEachStep)
{
    EchoRows("UndoMenu", {"x1", "x2"});
    EXPECT_EQ(kPlainUndo, UndoText());
    EXPECT_TRUE(UndoGrey());
    Select({0});
    RenameByF2({"f2"});
    EXPECT_EQ(kUndoRename, UndoText());
    EXPECT_FALSE(UndoGrey());
    RenameByF2({""});
    RenameByF2({nullptr});
    EXPECT_EQ(kUndoRename, UndoText());
    Select({1});
    BatchRename();
    EXPECT_EQ(kUndoBatch, UndoText());
    EXPECT_FALSE(UndoGrey());
    BatchRename();
    EXPECT_EQ(kUndoBatch, UndoText());
    ASSERT_EQ((std::vector<std::string>{"f2.rec", "x2.rec"}), Files());
    CtrlZ();
    EXPECT_EQ((std::vector<std::string>{"f2.rec", "r2.rec"}), Files());
    EXPECT_EQ(kUndoRename, UndoText());
    EXPECT_FALSE(UndoGrey());
    CtrlZ();
    EXPECT_EQ((std::vector<std::string>{"r1.rec", "r2.rec"}), Files());
    EXPECT_EQ(kPlainUndo, UndoText());
    EXPECT_TRUE(UndoGrey());
    CtrlZ();
    Command(ID_EDIT_UNDO);
    EXPECT_EQ((std::vector<std::string>{"r1.rec", "r2.rec"}), Files());
    EXPECT_EQ(2u, boxes.boxes.size());
}

// Alt+E then Z, as the Edit menu offers it.
TEST_F(Undo, TheEditMenuUndoes)
{
    EchoRows("UndoMenuKeys", {"x1"});
    BatchRename();
    ChooseFromMenu("ez");
    EXPECT_EQ(std::vector<std::string>{"r1.rec"}, Files());
    EXPECT_TRUE(UndoGrey());
}

// Delete makes no step: Ctrl+Z after it takes back the rename before, and the deleted file stays
// in the recycle bin.
TEST_F(Undo, DeleteMakesNoStep)
{
    EchoRows("UndoDelete", {"x1", "x2"});
    Select({0});
    RenameByF2({"f"});
    Select({1});
    Command(ID_EDIT_DELETE);
    ASSERT_EQ(std::vector<std::string>{"f.rec"}, Files());
    EXPECT_EQ(kUndoRename, UndoText());
    CtrlZ();
    EXPECT_EQ(std::vector<std::string>{"r1.rec"}, Files());
    EXPECT_EQ(std::vector<std::string>{"r1.rec"}, Rows());
    EXPECT_TRUE(UndoGrey());
}

// A command on files that renames none, run after F2 on another file; the folder it writes to
// (ending with a backslash) lies beside the renamed file's.
struct NoStepCase {
    const char* name;
    void (*run)(HWND mainWindow, const std::string& elsewhere);
    std::vector<std::string> written;  // the files in that folder after the command
};

class UndoNoStep : public Undo, public testing::WithParamInterface<NoStepCase> {};

// Copy and export make no step: Ctrl+Z after them takes back the rename before, and what they
// wrote stays.
TEST_P(UndoNoStep, CtrlZTakesBackTheRenameBefore)
{
    const NoStepCase& c = GetParam();
    EchoRows(std::string("UndoNoStep") + c.name, {"x1", "x2"});
    std::string elsewhere = runtest::Folder(folderName + "Elsewhere");
    Select({0});
    RenameByF2({"f"});
    Select({1});
    c.run(mainWnd.window, elsewhere);
    ASSERT_EQ(c.written, runtest::FilesIn(elsewhere));
    EXPECT_EQ(kUndoRename, UndoText());
    CtrlZ();
    EXPECT_EQ((std::vector<std::string>{"r1.rec", "r2.rec"}), Files());
    EXPECT_EQ((std::vector<std::string>{"r1.rec", "r2.rec"}), Rows());
    EXPECT_EQ(c.written, runtest::FilesIn(elsewhere));
    EXPECT_TRUE(UndoGrey());
}

INSTANTIATE_TEST_SUITE_P(
    Commands, UndoNoStep,
    testing::Values(NoStepCase{"Copy",
                               [](HWND mainWindow, const std::string& elsewhere) {
                                   listtest::DialogAnswers dialogs;
                                   dialogs.folder = elsewhere.substr(0, elsewhere.size() - 1);
                                   listtest::DialogAnswers::Command(mainWindow, ID_EXPORT_COPY);
                               },
                               {"r2.rec"}},
                    NoStepCase{"Export",
                               [](HWND mainWindow, const std::string& elsewhere) {
                                   runtest::SaveDialogAnswer save(elsewhere + "out.xml");
                                   SendMessageA(mainWindow, WM_COMMAND, ID_EXPORT_XML, 0);
                               },
                               {"out.xml"}}),
    [](const testing::TestParamInfo<NoStepCase>& info) { return info.param.name; });

// The steps outlive the rows: after New the files still go back, and no row comes back with them.
TEST_F(Undo, AfterNewTheFilesStillGoBack)
{
    EchoRows("UndoAfterNew", {"x1", "x2"});
    BatchRename();
    Command(ID_FILE_NEW);
    ASSERT_EQ(0, mainWnd.list.GetItemCount());
    EXPECT_EQ(kUndoBatch, UndoText());
    CtrlZ();
    EXPECT_EQ((std::vector<std::string>{"r1.rec", "r2.rec"}), Files());
    EXPECT_EQ(0, mainWnd.list.GetItemCount());
    EXPECT_TRUE(mainWnd.data.records.empty());
    EXPECT_EQ(2u, boxes.boxes.size());
    EXPECT_TRUE(UndoGrey());
}

// Past ten files the undo runs under the progress dialog, last renamed first, with the main window
// disabled. Cancel stops it after the file in hand; the files not moved yet stay in the step, and
// the next Ctrl+Z moves them back.
TEST_F(Undo, CancelInTheMiddleOfAnUndoThenCtrlZAgain)
{
    EchoRows("UndoCancel", Numbered("x", 12));
    BatchRename();
    ASSERT_EQ(Sorted(Numbered("x", 12)), Files());
    ProgressRecorder progress([](int step, HWND dialog) {
        if (step == 4)
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    CtrlZ();
    ASSERT_EQ(4u, progress.steps.size());
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ("元に戻しています... (" + std::to_string(i + 1) + " / 12)", progress.steps[i].first);
        EXPECT_EQ("x" + std::to_string(12 - i) + ".rec", progress.steps[i].second);
        EXPECT_EQ(12, progress.steps[i].high);
    }
    ExpectRunUnderTheMainWindow(progress);
    std::vector<std::string> half = Numbered("x", 8);
    for (int i = 9; i <= 12; ++i)
        half.push_back("r" + std::to_string(i));
    EXPECT_EQ(Sorted(half), Files());
    for (int row = 0; row < 12; ++row)
        EXPECT_EQ((row < 8 ? "x" : "r") + std::to_string(row + 1) + ".rec", RowText(row));
    EXPECT_EQ(kUndoBatch, UndoText());
    EXPECT_EQ(1u, boxes.boxes.size());
    CtrlZ();
    EXPECT_EQ(4u, progress.steps.size());
    EXPECT_EQ(Sorted(Numbered("r", 12)), Files());
    EXPECT_EQ(Numbered("r", 12).size(), Rows().size());
    EXPECT_EQ("r1.rec", RowText(0));
    EXPECT_TRUE(UndoGrey());
    EXPECT_EQ(mainWnd.list.window, GetFocus());
}

// An undo that ends before the dialog's delay never shows it.
TEST_F(Undo, AnUndoShorterThanItsDelayOpensNoDialog)
{
    EchoRows("UndoShort", Numbered("x", 12));
    BatchRename();
    mainWnd.searchDialogDelay = 10000;
    ProgressRecorder progress;
    CtrlZ();
    EXPECT_TRUE(progress.steps.empty());
    EXPECT_EQ(Sorted(Numbered("r", 12)), Files());
    EXPECT_TRUE(IsWindowEnabled(mainWnd.window));
}

class UndoSessionEnd : public Undo, public testing::WithParamInterface<runtest::SessionCase> {};

// The end of the session stops the undo after the file in hand, and no box waits for anyone; a
// session that does not end after all lets it go on to its last file.
TEST_P(UndoSessionEnd, StopsTheUndo)
{
    EchoRows(std::string("UndoSession") + GetParam().name, Numbered("x", 12));
    BatchRename();
    ProgressRecorder progress([&](int step, HWND) {
        if (step == 2)
            GetParam().Send(mainWnd.window);
    });
    CtrlZ();
    if (GetParam().Stops()) {
        EXPECT_EQ(2u, progress.steps.size());
        std::vector<std::string> files = Numbered("x", 10);
        files.push_back("r11");
        files.push_back("r12");
        EXPECT_EQ(Sorted(files), Files());
    } else {
        EXPECT_EQ(12u, progress.steps.size());
        EXPECT_EQ(Sorted(Numbered("r", 12)), Files());
        EXPECT_TRUE(IsWindowEnabled(mainWnd.window));
    }
    EXPECT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ(nullptr, mainWnd.progress.window);
}

INSTANTIATE_TEST_SUITE_P(Messages, UndoSessionEnd, testing::ValuesIn(runtest::SessionCases()), runtest::SessionCaseName);

}
