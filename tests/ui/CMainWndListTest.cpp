#include "MainWindowTest.h"

#include "DialogVisitor.h"
#include "ListTestSupport.h"

#include "framework/Shell.h"
#include "record/CKarRecord.h"

#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using mainwindow::MainWindow;
using mainwindow::TreeTexts;
using listtest::MakeFile;
using listtest::MakeFolder;
using listtest::Names;
using listtest::Rows;
using listtest::SelectedRows;

namespace {

// The main window with the files that a test adds to it.
class FileList : public MainWindow {
protected:
    // A folder of its own for each test.
    std::string Folder(const std::string& name)
    {
        return MakeFolder(listtest::TestFolderName() + "\\" + name);
    }
    std::string File(const std::string& folder, const std::string& name,
                      const std::string& bytes = fixtures::FileBytes(fixtures::GoodBody()))
    {
        return MakeFile(listtest::Relative(folder + "\\" + name), bytes);
    }
    void Drop(const std::vector<std::string>& paths)
    {
        SendMessageA(mainWnd.window, WM_DROPFILES,
                     reinterpret_cast<WPARAM>(listtest::MakeDrop(paths)), 0);
    }
    void Command(UINT id) { listtest::DialogAnswers::Command(mainWnd.window, id); }
    const CRecord& Record(LPARAM id) { return mainWnd.data.records.at(static_cast<int32_t>(id)); }
};

struct AddCase {
    const char* name;
    std::string fileName;
    std::string bytes;
    int image; // 0: not added
    std::string type;
};

class AddRecordFile : public FileList, public ::testing::WithParamInterface<AddCase> {};

}

TEST_P(AddRecordFile, AddsOneRowOrSkipsSilently)
{
    const AddCase& c = GetParam();
    std::string path = File(Folder("files"), c.fileName, c.bytes);
    mainWnd.AddRecordFile(path);
    EXPECT_TRUE(boxes.boxes.empty());
    std::vector<listtest::Row> rows = Rows(mainWnd.list);
    if (c.image == 0) {
        EXPECT_TRUE(rows.empty());
        EXPECT_TRUE(mainWnd.data.records.empty());
        EXPECT_EQ(0, mainWnd.data.lastId);
        return;
    }
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(c.fileName, rows[0].name);
    EXPECT_EQ(c.image, rows[0].image);
    EXPECT_EQ(c.type, rows[0].type);
    EXPECT_EQ(1, rows[0].id);
    const CRecord& record = Record(rows[0].id);
    EXPECT_EQ(path, record.path);
    EXPECT_EQ(record.timeText, rows[0].time);
    EXPECT_EQ(19u, rows[0].time.size()) << rows[0].time;
    EXPECT_FALSE(record.unpacked) << "adding reads no content";
}

INSTANTIATE_TEST_SUITE_P(
    Files, AddRecordFile,
    ::testing::Values(
        AddCase{"UpperCaseRec", "A.REC", fixtures::FileBytes(fixtures::GoodBody()), 1, "REC"},
        AddCase{"Rec", "game.rec", fixtures::FileBytes(fixtures::GoodBody()), 1, "rec"},
        AddCase{"Rcx", "rift.rcx", fixtures::FileBytes(fixtures::GoodBody("2")), 2, "rcx"},
        AddCase{"MixedCaseRcx", "rift.Rcx", fixtures::FileBytes(fixtures::GoodBody("2")), 2, "Rcx"},
        AddCase{"LastDotCounts", "x.txt.rec", "data", 1, "rec"},
        AddCase{"OnlyAnExtension", ".rec", "data", 1, "rec"},
        AddCase{"ZeroBytes", "empty.rec", "", 1, "rec"},
        AddCase{"Corrupt", "junk.rec", "not a recorded game", 1, "rec"},
        AddCase{"Japanese", "裂け目の谷.rec", fixtures::FileBytes(fixtures::GoodBody()), 1, "rec"},
        AddCase{"HalfWidthKana", "山田_vs_ｶﾅ.RCX", "data", 2, "RCX"},
        AddCase{"OtherExtension", "a.txt", "data", 0, ""},
        AddCase{"NoDot", "rec", "data", 0, ""},
        AddCase{"ExtensionBeforeTheLast", "x.rec.txt", "data", 0, ""},
        AddCase{"LongerExtension", "x.recx", "data", 0, ""},
        // Full-width letters are other characters, not another case.
        AddCase{"FullWidthLetters", "x.ｒｅｃ", "data", 0, ""}),
    [](const ::testing::TestParamInfo<AddCase>& info) { return info.param.name; });

TEST_F(FileList, SkipsFilesThatCannotBeOpenedAndFoldersNamedLikeRecords)
{
    std::string folder = Folder("bad");
    std::string held = File(folder, "held.rec");
    std::string named = folder + "\\x.rec";
    CreateDirectoryA(named.c_str(), nullptr);
    File(named, "inside.rec");
    HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    mainWnd.AddRecordFile(held);
    mainWnd.AddRecordFile(named);
    mainWnd.AddRecordFile(folder + "\\missing.rec");
    mainWnd.AddRecordFile("");
    CloseHandle(holder);
    EXPECT_EQ(0, mainWnd.list.GetItemCount());
    EXPECT_EQ(0, mainWnd.data.lastId);
    EXPECT_TRUE(boxes.boxes.empty());
    mainWnd.AddRecordFile(held);
    EXPECT_EQ(1, mainWnd.list.GetItemCount()) << "the file is fine once it is let go";
}

TEST_F(FileList, APathOf260BytesOrMoreIsSkipped)
{
    std::string folder = Folder("long");
    mainWnd.AddRecordFile(File(folder, "a.rec"));
    mainWnd.AddRecordFile(folder + "\\" + std::string(300, 'y') + ".txt");
    mainWnd.AddRecordFile(folder + "\\" + std::string(300, 'y') + ".rec");
    EXPECT_EQ(std::vector<std::string>{"a.rec"}, Names(mainWnd.list));
    EXPECT_EQ(1, mainWnd.data.lastId);
}

TEST_F(FileList, RowsAreAppendedAndTheSameFileTwiceIsTwoRecords)
{
    std::string folder = Folder("twice");
    std::string a = File(folder, "a.rec");
    std::string b = File(folder, "b.rec");
    mainWnd.AddRecordFile(b);
    mainWnd.AddRecordFile(a);
    mainWnd.AddRecordFile(b);
    EXPECT_EQ((std::vector<std::string>{"b.rec", "a.rec", "b.rec"}), Names(mainWnd.list));
    EXPECT_EQ((std::vector<LPARAM>{1, 2, 3}), listtest::Ids(mainWnd.list));
    EXPECT_EQ(b, Record(3).path);
}

TEST_F(FileList, DroppedFilesAreAddedWithoutTouchingTheSelection)
{
    std::string folder = Folder("drop");
    std::string first = File(folder, "first.rec");
    std::string japanese = File(folder, "裂け目の谷.rec");
    std::string text = File(folder, "notes.txt", "x");
    std::string inner = folder + "\\sub.rec";
    CreateDirectoryA(inner.c_str(), nullptr);
    File(inner, "inside.rec");
    mainWnd.AddRecordFile(first);
    ASSERT_TRUE(mainWnd.list.SelectItem(0));
    Drop({japanese, text, inner, japanese});
    EXPECT_EQ((std::vector<std::string>{"first.rec", "裂け目の谷.rec", "裂け目の谷.rec"}),
              Names(mainWnd.list));
    EXPECT_EQ((std::vector<LPARAM>{1, 2, 3}), listtest::Ids(mainWnd.list));
    EXPECT_EQ(std::vector<int>{0}, SelectedRows(mainWnd.list));
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(FileList, ADroppedPathTooLongIsNotCutIntoAnotherFilesPath)
{
    // A file whose path has 259 bytes, the most that a 260-byte buffer holds.
    std::string folder = Folder("cut");
    std::string inner = folder + "\\" + std::string(259 - folder.size() - 7, 'p');
    CreateDirectoryA(inner.c_str(), nullptr);
    std::string exact = File(inner, "r.rec");
    ASSERT_EQ(259u, exact.size());
    ASSERT_TRUE(listtest::Exists(exact));
    // Dropped with one byte more, it would come back cut to that file's path.
    Drop({exact + "x"});
    EXPECT_EQ(0, mainWnd.list.GetItemCount());
    Drop({exact});
    EXPECT_EQ(1, mainWnd.list.GetItemCount());
}

TEST_F(FileList, OpenFilesStartsInTheSavedGamesAndReplacesTheListWithoutAQuestion)
{
    listtest::SaveGameFolder saves;
    std::string chosen = saves.Add("対戦.rec");
    mainWnd.AddRecordFile(File(Folder("before"), "old.rec"));
    listtest::DialogAnswers dialogs;
    dialogs.openSteps = {{"対戦.rec"}};
    Command(ID_FILE_OPEN);
    EXPECT_EQ(1, dialogs.openDialogs);
    EXPECT_EQ(saves.path, dialogs.openFolder);
    EXPECT_EQ("Custom(*.rec,*.rcx)", dialogs.openFilter);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(std::vector<std::string>{"対戦.rec"}, Names(mainWnd.list));
    EXPECT_EQ(chosen, Record(2).path);
    EXPECT_EQ(1u, mainWnd.data.records.size());
    EXPECT_EQ(std::vector<int>{0}, SelectedRows(mainWnd.list));
}

TEST_F(FileList, OpenFilesTakesSeveralNamesInTheDialogsOrder)
{
    std::string folder = Folder("several");
    File(folder, "b.rec");
    File(folder, "a.rcx");
    File(folder, "c.txt", "x");
    listtest::DialogAnswers dialogs;
    dialogs.openSteps = {{folder, "\"b.rec\" \"a.rcx\" \"c.txt\""}};
    Command(ID_FILE_OPEN);
    ASSERT_EQ(1, dialogs.openDialogs);
    EXPECT_EQ((std::vector<std::string>{"b.rec", "a.rcx"}), Names(mainWnd.list));
    EXPECT_EQ(folder + "\\b.rec", Record(1).path);
    EXPECT_EQ(folder + "\\a.rcx", Record(2).path);
}

TEST_F(FileList, CancellingTheOpenDialogKeepsTheList)
{
    mainWnd.AddRecordFile(File(Folder("kept"), "kept.rec"));
    listtest::DialogAnswers dialogs;
    Command(ID_FILE_OPEN);
    Command(ID_FILE_ADD);
    EXPECT_EQ(2, dialogs.openDialogs);
    EXPECT_EQ(std::vector<std::string>{"kept.rec"}, Names(mainWnd.list));
    EXPECT_TRUE(SelectedRows(mainWnd.list).empty());
}

TEST_F(FileList, AddFilesAppendsAndSelectsTheFirstRowBesideTheSelectedOnes)
{
    std::string folder = Folder("add");
    mainWnd.AddRecordFile(File(folder, "one.rec"));
    mainWnd.AddRecordFile(File(folder, "two.rec"));
    mainWnd.list.SelectItem(1);
    File(folder, "three.rec");
    listtest::DialogAnswers dialogs;
    dialogs.openSteps = {{folder + "\\three.rec"}};
    Command(ID_FILE_ADD);
    EXPECT_EQ((std::vector<std::string>{"one.rec", "two.rec", "three.rec"}), Names(mainWnd.list));
    EXPECT_EQ((std::vector<int>{0, 1}), SelectedRows(mainWnd.list));
}

TEST_F(FileList, OpenFolderListsTheFolderAloneAndStartsInTheSavedGames)
{
    listtest::SaveGameFolder saves;
    saves.Add("saved.rec");
    mainWnd.AddRecordFile(File(Folder("before"), "old.rec"));
    listtest::DialogAnswers dialogs;
    dialogs.folder = saves.path;
    dialogs.selectFolder = false;
    Command(ID_FOLDER_OPEN);
    EXPECT_EQ(1, dialogs.browsers);
    EXPECT_EQ(std::vector<std::string>{"saved.rec"}, Names(mainWnd.list));
    EXPECT_EQ(std::vector<int>{0}, SelectedRows(mainWnd.list));
}

TEST_F(FileList, OpenFolderTakesRecordsOfTheFolderButNotOfItsSubfolders)
{
    std::string folder = Folder("録画ソ");
    File(folder, "裂け目の谷.rec");
    File(folder, "山田_vs_ｶﾅ.RCX", "");
    File(folder, "readme.txt", "x");
    File(folder, "noext", "x");
    std::string named = folder + "\\x.rec";
    CreateDirectoryA(named.c_str(), nullptr);
    File(named, "deep.rec");
    listtest::DialogAnswers dialogs;
    dialogs.folder = folder;
    Command(ID_FOLDER_OPEN);
    std::vector<std::string> names = Names(mainWnd.list);
    std::sort(names.begin(), names.end());
    EXPECT_EQ((std::vector<std::string>{"山田_vs_ｶﾅ.RCX", "裂け目の谷.rec"}), names);
    for (const auto& entry : mainWnd.data.records)
        EXPECT_EQ(folder + "\\" + entry.second.fileName, entry.second.path);
}

TEST_F(FileList, OpenFolderWithRecordsOnlyInSubfoldersLeavesTheListEmpty)
{
    std::string folder = Folder("nested");
    std::string sub = folder + "\\sub";
    CreateDirectoryA(sub.c_str(), nullptr);
    File(sub, "deep.rec");
    mainWnd.AddRecordFile(File(Folder("before"), "old.rec"));
    listtest::DialogAnswers dialogs;
    dialogs.folder = folder;
    Command(ID_FOLDER_OPEN);
    EXPECT_EQ(1, dialogs.browsers);
    EXPECT_EQ(0, mainWnd.list.GetItemCount());
    EXPECT_TRUE(mainWnd.data.records.empty());
    EXPECT_EQ(1, mainWnd.data.lastId);
}

// A folder whose path is 260 bytes or more (a few Japanese folders deep) is no folder the program
// can list: the list stays as it was, and a box says why.
TEST_F(FileList, OpenFolderOfAPathTooLongKeepsTheList)
{
    std::string japanese;
    for (int i = 0; i < 80; ++i)
        japanese += "あ";
    std::string deep = Folder(japanese) + "\\いいいいいいいいいいいいいいいいいいいいいいいいいいいいいいいいいいいいいいいい";
    ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr));
    ASSERT_GE(deep.size(), 260u);
    File(deep, "inside.rec");
    mainWnd.AddRecordFile(File(Folder("before"), "old.rec"));
    listtest::DialogAnswers dialogs;
    dialogs.folder = deep;
    Command(ID_FOLDER_OPEN);
    EXPECT_EQ(1, dialogs.browsers);
    EXPECT_EQ(std::vector<std::string>{"old.rec"}, Names(mainWnd.list));
    EXPECT_EQ(1u, mainWnd.data.records.size());
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("選択したフォルダのパスが長すぎます。", boxes.boxes[0].text);
    EXPECT_EQ("エラー", boxes.boxes[0].caption);
    EXPECT_EQ(0x10030u, boxes.boxes[0].flags);
    EXPECT_EQ(mainWnd.window, boxes.boxes[0].owner);
}

TEST_F(FileList, AddFolderAppendsAndCancelChangesNothing)
{
    std::string folder = Folder("more");
    File(folder, "more.rec");
    mainWnd.AddRecordFile(File(Folder("before"), "old.rec"));
    listtest::DialogAnswers dialogs;
    Command(ID_FOLDER_OPEN);
    Command(ID_FOLDER_ADD);
    EXPECT_EQ(2, dialogs.browsers);
    EXPECT_EQ(std::vector<std::string>{"old.rec"}, Names(mainWnd.list));
    dialogs.folder = folder;
    Command(ID_FOLDER_ADD);
    EXPECT_EQ((std::vector<std::string>{"old.rec", "more.rec"}), Names(mainWnd.list));
    EXPECT_EQ(std::vector<int>{0}, SelectedRows(mainWnd.list));
}

namespace {

// Counts the paintings of one window on the thread while it lives.
class PaintCounter {
public:
    explicit PaintCounter(HWND window)
    {
        current = this;
        watched = window;
        hook = SetWindowsHookExA(WH_CALLWNDPROC, HookProc, nullptr, GetCurrentThreadId());
    }
    ~PaintCounter()
    {
        UnhookWindowsHookEx(hook);
        current = nullptr;
    }
    int paints = 0;

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam)
    {
        const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && current && call->hwnd == current->watched &&
            call->message == WM_PAINT)
            ++current->paints;
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline PaintCounter* current = nullptr;
    HWND watched;
    HHOOK hook;
};

}

TEST_F(FileList, AfterAddingManyFilesTheListIsPaintedAgain)
{
    std::string folder = Folder("many");
    std::vector<std::string> paths;
    for (int i = 0; i < 50; ++i)
        paths.push_back(File(folder, "game" + std::to_string(i) + ".rec", ""));
    ShowWindow(mainWnd.window, SW_SHOW);
    UpdateWindow(mainWnd.window);
    PaintCounter counter(mainWnd.list.window);
    Drop(paths);
    EXPECT_EQ(50, mainWnd.list.GetItemCount());
    EXPECT_EQ(1, counter.paints);
    // Painting is on again: a change of a row makes the list ask for a repaint.
    RECT dirty = {};
    UpdateWindow(mainWnd.list.window);
    ASSERT_FALSE(GetUpdateRect(mainWnd.list.window, &dirty, FALSE));
    mainWnd.list.SelectItem(0);
    EXPECT_TRUE(GetUpdateRect(mainWnd.list.window, &dirty, FALSE));
}

struct AnswerCase {
    const char* name;
    int answer;
    bool cleared;
};

class NewList : public FileList, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(NewList, AsksBeforeEmptyingTheListTheTreeAndTheRecords)
{
    mainWnd.AddRecordFile(File(Folder("new"), "a.rec"));
    mainWnd.tree.InsertItem("GameSettings", TVI_ROOT, TVI_LAST, 1, 1, 0);
    boxes.answer = GetParam().answer;
    Command(ID_FILE_NEW);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("現在の表示内容を破棄します。\r\nよろしいですか？", boxes.boxes[0].text);
    EXPECT_EQ("確認", boxes.boxes[0].caption);
    EXPECT_EQ(0x10024u, boxes.boxes[0].flags);
    EXPECT_EQ(mainWnd.window, boxes.boxes[0].owner);
    bool cleared = GetParam().cleared;
    EXPECT_EQ(cleared ? 0 : 1, mainWnd.list.GetItemCount());
    EXPECT_EQ(cleared, mainWnd.tree.GetRoot() == nullptr);
    EXPECT_EQ(cleared, mainWnd.data.records.empty());
    EXPECT_EQ(1, mainWnd.data.lastId) << "ids are not given again";
}

INSTANTIATE_TEST_SUITE_P(Answers, NewList,
                         ::testing::Values(AnswerCase{"Yes", IDYES, true},
                                           AnswerCase{"No", IDNO, false},
                                           AnswerCase{"Escape", IDCANCEL, false}),
                         [](const ::testing::TestParamInfo<AnswerCase>& info) {
                             return info.param.name;
                         });

TEST_F(FileList, SelectAllSelectsEveryRow)
{
    std::string folder = Folder("all");
    for (const char* name : {"a.rec", "b.rec", "c.rcx"})
        mainWnd.AddRecordFile(File(folder, name));
    mainWnd.list.SelectItem(1);
    Command(ID_EDIT_SELECT_ALL);
    EXPECT_EQ((std::vector<int>{0, 1, 2}), SelectedRows(mainWnd.list));
    EXPECT_EQ(3, mainWnd.list.GetSelectedCount());
}

namespace {

// Presses and lets go of the left mouse button at a point of a window, as the user does, once
// or twice in a row, and delivers the thread's messages while the window takes them.
void ClickAt(HWND window, POINT point, int clicks)
{
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
    for (int i = 0; i < clicks; ++i) {
        INPUT press[2] = {};
        press[0].type = INPUT_MOUSE;
        press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        press[1].type = INPUT_MOUSE;
        press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, press, sizeof(INPUT));
    }
    mainwindow::PumpFor(500);
}

POINT RowPoint(CListView& list, int row)
{
    RECT rect = {};
    rect.left = LVIR_LABEL;
    list.SendMsg(LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
    return {rect.left + 10, (rect.top + rect.bottom) / 2};
}

}

TEST_F(FileList, AClickOnARowShowsItsRecordInTheTreeAndBesideTheRowsNothing)
{
    std::string folder = Folder("click");
    mainWnd.AddRecordFile(File(folder, "a.rec"));
    recbuilder::Source other;
    other.settingsXml = "<GameSettings><MapName>Lowland</MapName></GameSettings>";
    other.mapScript = fixtures::kMap;
    mainWnd.AddRecordFile(File(folder, "b.rec", fixtures::AsString(recbuilder::Build(other))));
    ShowWindow(mainWnd.window, SW_SHOW);
    SetForegroundWindow(mainWnd.window);
    UpdateWindow(mainWnd.window);
    mainWnd.ShowRecordInTree(0);
    const std::string first = TreeTexts(mainWnd.tree);
    ASSERT_NE(std::string::npos, first.find("Highland")) << first;
    ClickAt(mainWnd.list.window, {10, 400}, 1);
    EXPECT_EQ(first, TreeTexts(mainWnd.tree));
    ClickAt(mainWnd.list.window, RowPoint(mainWnd.list, 1), 1);
    std::string second = TreeTexts(mainWnd.tree);
    EXPECT_NE(std::string::npos, second.find("Lowland")) << second;
    EXPECT_EQ(std::string::npos, second.find("Highland")) << second;
    EXPECT_EQ(std::vector<int>{1}, SelectedRows(mainWnd.list));
    // Moving the selection with the keys leaves the tree as it is.
    mainWnd.tree.DeleteAllItems();
    PostMessageA(mainWnd.list.window, WM_KEYDOWN, VK_UP, 0);
    mainwindow::PumpFor(200);
    EXPECT_EQ(std::vector<int>{0}, SelectedRows(mainWnd.list));
    EXPECT_EQ(nullptr, mainWnd.tree.GetRoot());
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(FileList, ADoubleClickOnARowOpensItsPropertySheet)
{
    mainWnd.AddRecordFile(File(Folder("double"), "a.rec"));
    ShowWindow(mainWnd.window, SW_SHOW);
    SetForegroundWindow(mainWnd.window);
    UpdateWindow(mainWnd.window);
    DialogVisitor sheet("プロパティ", [](HWND window) { PropSheet_PressButton(window, PSBTN_OK); });
    ClickAt(mainWnd.list.window, RowPoint(mainWnd.list, 0), 2);
    EXPECT_EQ(1, sheet.visits);
    DialogVisitor none("プロパティ", [](HWND window) { PropSheet_PressButton(window, PSBTN_OK); });
    ClickAt(mainWnd.list.window, {10, 400}, 2);
    EXPECT_EQ(0, none.visits);
}
