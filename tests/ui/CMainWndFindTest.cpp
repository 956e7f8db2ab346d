// Edit > Find (Ctrl+F): the dialog, the rows found selected or kept alone, the run under the
// progress dialog, and what is told at its end.
#include "RunTestSupport.h"

#include "DialogTemplate.h"
#include "ListTestSupport.h"
#include "RecordFixtures.h"
#include "options/CExportDocument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using listtest::SelectedRows;
using runtest::Exists;
using runtest::ProgressRecorder;

namespace {

TEST(FindDialogTemplate, Is170AsStored)
{
    const dialogtemplate::Template expected = {
        0x80C808C0, 220, 66, "検索", 9, "MS UI Gothic",
        {{0x50810080, 7, 7, 206, 14, IDC_FIND_TEXT, "Edit", ""},
         {0x50010003, 7, 27, 206, 10, IDC_FIND_KEEP_ONLY, "Button", "一致したファイルだけを一覧に残す"},
         {0x50010001, 109, 45, 50, 14, IDOK, "Button", "OK"},
         {0x50010000, 163, 45, 50, 14, IDCANCEL, "Button", "キャンセル"}}};
    EXPECT_EQ(expected, dialogtemplate::Load(IDD_FIND));
}

std::string ItemText(HWND dialog, int id)
{
    char text[1024] = {};
    GetDlgItemTextA(dialog, id, text, sizeof(text));
    return text;
}

// Answers the search dialog: notes what it shows, types text (posted as keys when typed is set,
// then Enter), sets the check box, and presses OK or Cancel.
class FindAnswer {
public:
    FindAnswer(const std::string& text, bool keepOnly = false, int button = IDOK, bool typed = false)
        : visitor("検索", [this, text, keepOnly, button, typed](HWND dialog) {
              HWND edit = GetDlgItem(dialog, IDC_FIND_TEXT);
              shownText = ItemText(dialog, IDC_FIND_TEXT);
              SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selectionStart),
                           reinterpret_cast<LPARAM>(&selectionEnd));
              checked = IsDlgButtonChecked(dialog, IDC_FIND_KEEP_ONLY) == BST_CHECKED;
              editFocused = GetFocus() == edit;
              CheckDlgButton(dialog, IDC_FIND_KEEP_ONLY, keepOnly ? BST_CHECKED : BST_UNCHECKED);
              if (typed) {
                  for (char c : text)
                      PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
                  PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
                  return;
              }
              SetWindowTextA(edit, text.c_str());
              PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                           reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
          })
    {
    }

    std::string shownText;
    DWORD selectionStart = 99;
    DWORD selectionEnd = 99;
    bool checked = true;
    bool editFocused = false;
    DialogVisitor visitor;
};

class FindCommand : public runtest::RunWindow {
protected:
    void UseFolder(const std::string& name)
    {
        folderName = "Find" + name;
        folder = runtest::Folder(folderName);
    }
    // A row for a copy of a sample record.
    int SampleRow(const std::string& sample)
    {
        return AddRow(testfiles::Write(folderName + "\\" + sample,
                                       testfiles::Read(testfiles::SourcePath("samples/" + sample))));
    }
    // A row for the castle-duel record with another first player (ASCII).
    int PlayerRow(const std::string& name, const std::string& player)
    {
        recbuilder::Source source;
        source.settingsXml = testfiles::Read(testfiles::SourcePath("samples/src/castle-duel.settings.xml"));
        source.settingsXml.replace(source.settingsXml.find("Alice"), 5, player);
        source.mapScript = fixtures::kMap;
        recbuilder::Bytes bytes = recbuilder::Build(source);
        return AddRow(testfiles::Write(folderName + "\\" + name, std::string(bytes.begin(), bytes.end())));
    }
    // count rows p0.rec, p1.rec, ... whose players are named p0, p1, ...
    void PlayerRows(int count)
    {
        for (int i = 0; i < count; ++i)
            PlayerRow("p" + std::to_string(i) + ".rec", "Player" + std::to_string(i));
    }
    bool Focused(int row) { return mainWnd.list.SendMsg(LVM_GETITEMSTATE, row, LVIS_FOCUSED) != 0; }
    // The texts of the tree's items in order, one per line, as they are now.
    std::string TreeTexts()
    {
        HWND tree = mainWnd.tree.window;
        std::string texts;
        HTREEITEM item = TreeView_GetRoot(tree);
        while (item) {
            std::string text;
            mainWnd.tree.GetItem(item, text);
            texts += text + "\n";
            HTREEITEM next = TreeView_GetChild(tree, item);
            while (!next && item) {
                next = TreeView_GetNextSibling(tree, item);
                if (!next)
                    item = TreeView_GetParent(tree, item);
            }
            item = next;
        }
        return texts;
    }

    std::string folderName;
    std::string folder;
};

// Started from the Edit menu with the keys: the dialog as it opens the first time, the matching
// row alone selected and focused, and shown in the tree.
TEST_F(FindCommand, TheEditMenuOpensTheDialogAndTheMatchIsSelectedAndShown)
{
    UseFolder("Menu");
    SampleRow("castle-duel.rec");
    SampleRow("four-kingdoms.rcx");
    SampleRow("nihon-teams.rec");
    Select({0, 1});
    FindAnswer find("武蔵");
    ChooseFromMenu("ef");
    ASSERT_EQ(1, find.visitor.visits);
    EXPECT_EQ("", find.shownText);
    EXPECT_FALSE(find.checked);
    EXPECT_TRUE(find.editFocused);
    EXPECT_EQ(std::vector<int>{2}, SelectedRows(mainWnd.list));
    EXPECT_TRUE(Focused(2));
    EXPECT_FALSE(Focused(0));
    EXPECT_EQ(mainWnd.list.window, GetFocus());
    std::string shown = TreeTexts();
    EXPECT_NE(std::string::npos, shown.find("武蔵\n"));
    EXPECT_EQ(TreeOfRow(2), shown);
    EXPECT_TRUE(boxes.boxes.empty());
}

// Ctrl+F, the words typed and Enter: all by the keyboard. The text is offered again, all of it
// selected, at the next search of the run.
TEST_F(FindCommand, CtrlFAndTheKeysAndTheTextKeptForTheNextSearch)
{
    UseFolder("Keys");
    PlayerRow("a.rec", "Alice");
    PlayerRow("c.rec", "Carol");
    {
        FindAnswer find("carol", false, IDOK, true);
        PressKey('F', true);
        ASSERT_EQ(1, find.visitor.visits);
    }
    EXPECT_EQ(std::vector<int>{1}, SelectedRows(mainWnd.list));
    EXPECT_EQ("carol", mainWnd.findText);
    {
        FindAnswer find("alice", false, IDCANCEL);
        PressKey('F', true);
        ASSERT_EQ(1, find.visitor.visits);
        EXPECT_EQ("carol", find.shownText);
        EXPECT_EQ(0u, find.selectionStart);
        EXPECT_EQ(5u, find.selectionEnd);
    }
    // Cancel changed nothing and kept the text.
    EXPECT_EQ(std::vector<int>{1}, SelectedRows(mainWnd.list));
    EXPECT_EQ("carol", mainWnd.findText);
    {
        FindAnswer find("alice");
        PressKey('F', true);
        EXPECT_EQ("carol", find.shownText);
    }
    EXPECT_EQ(std::vector<int>{0}, SelectedRows(mainWnd.list));
    EXPECT_TRUE(boxes.boxes.empty());
}

// F without Ctrl is no command.
TEST_F(FindCommand, FAloneOpensNothing)
{
    UseFolder("PlainF");
    PlayerRow("a.rec", "Alice");
    FindAnswer find("alice");
    PressKey('F', false);
    EXPECT_EQ(0, find.visitor.visits);
}

// More rows than a few: the run shows each row in the progress dialog with the main window
// disabled; the matches far down the list are selected and the first is scrolled into view.
TEST_F(FindCommand, ARunOverManyRowsScrollsToTheFirstMatch)
{
    UseFolder("Many");
    PlayerRows(60);
    Select({0, 1});
    ProgressRecorder progress;
    FindAnswer find("player55 王殺し");
    Command(ID_EDIT_FIND);
    EXPECT_EQ(std::vector<int>{55}, SelectedRows(mainWnd.list));
    EXPECT_TRUE(Focused(55));
    int top = static_cast<int>(mainWnd.list.SendMsg(LVM_GETTOPINDEX, 0, 0));
    int perPage = static_cast<int>(mainWnd.list.SendMsg(LVM_GETCOUNTPERPAGE, 0, 0));
    EXPECT_GT(top, 0);
    EXPECT_LE(top, 55);
    EXPECT_LT(55, top + perPage);
    ASSERT_EQ(60u, progress.steps.size());
    EXPECT_EQ("検索中... (1 / 60)", progress.steps[0].first);
    EXPECT_EQ("p0.rec", progress.steps[0].second);
    EXPECT_EQ("検索中... (60 / 60)", progress.steps[59].first);
    EXPECT_EQ("p59.rec", progress.steps[59].second);
    EXPECT_EQ(60, progress.steps[59].position);
    EXPECT_EQ(60, progress.steps[59].high);
    ExpectRunUnderTheMainWindow(progress);
    EXPECT_EQ(mainWnd.list.window, GetFocus());
}

// A few rows run under the progress dialog as many do.
TEST_F(FindCommand, AFewRowsRunUnderTheProgressDialogToo)
{
    UseFolder("Few");
    PlayerRows(3);
    ProgressRecorder progress;
    FindAnswer find("player2");
    Command(ID_EDIT_FIND);
    EXPECT_EQ(std::vector<int>{2}, SelectedRows(mainWnd.list));
    ASSERT_EQ(3u, progress.steps.size());
    EXPECT_EQ("検索中... (3 / 3)", progress.steps[2].first);
    ExpectRunUnderTheMainWindow(progress);
}

// However few the rows, records that take long to read open the dialog once the search has gone
// on for its delay, and Cancel there stops the search: nothing changes.
TEST_F(FindCommand, AFewSlowRowsOpenTheDialogAfterItsDelay)
{
    UseFolder("FewSlow");
    PlayerRows(2);
    Select({0});
    mainWnd.searchDialogDelay = 500;
    ProgressRecorder progress([](int step, HWND dialog) {
        if (step == 1)
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    FindAnswer find("player", true);
    std::vector<runtest::SlowFiles::Look> looks;
    {
        runtest::TestClock clock;
        runtest::SlowFiles slow(clock, mainWnd.searchDialogDelay + 1, mainWnd.progress);
        Command(ID_EDIT_FIND);
        looks = slow.looks;
    }
    ASSERT_EQ(2u, looks.size());
    EXPECT_FALSE(looks[0].shown);
    ASSERT_EQ(1u, progress.steps.size());
    EXPECT_EQ("検索中... (2 / 2)", progress.steps[0].first);
    EXPECT_EQ("p1.rec", progress.steps[0].second);
    EXPECT_EQ(2, mainWnd.list.GetItemCount());
    EXPECT_EQ(std::vector<int>{0}, SelectedRows(mainWnd.list));
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(IsWindowEnabled(mainWnd.window));
}

// Each row of the search starts wait milliseconds of the test's clock after the one before, with
// its look at the list (LVM_GETITEMA, one per row); notes when the row started, whether the main
// window took input then and whether the progress dialog was open.
class SlowRows {
public:
    struct Row {
        DWORD started;
        bool mainEnabled;
        bool dialogShown;
    };

    SlowRows(runtest::TestClock& clock, CMainWnd& mainWnd, DWORD wait) : clock(clock), mainWnd(mainWnd), wait(wait)
    {
        current = this;
        hook = SetWindowsHookExA(WH_CALLWNDPROC, HookProc, nullptr, GetCurrentThreadId());
    }
    ~SlowRows()
    {
        UnhookWindowsHookEx(hook);
        current = nullptr;
    }
    SlowRows(const SlowRows&) = delete;
    SlowRows& operator=(const SlowRows&) = delete;

    std::vector<Row> rows;

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam)
    {
        const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && current && call->hwnd == current->mainWnd.list.window && call->message == LVM_GETITEMA) {
            current->clock.Advance(current->wait);
            current->rows.push_back({current->clock.now, IsWindowEnabled(current->mainWnd.window) != FALSE,
                                     current->mainWnd.progress.window != nullptr});
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline SlowRows* current = nullptr;
    runtest::TestClock& clock;
    CMainWnd& mainWnd;
    DWORD wait;
    HHOOK hook;
};

// The progress dialog opens at the first row that starts once the search has gone on for its
// delay, showing that row; until then the main window is disabled all the same.
TEST_F(FindCommand, TheProgressDialogOpensOnceTheSearchHasGoneOnForItsDelay)
{
    UseFolder("Delay");
    PlayerRows(60);
    mainWnd.searchDialogDelay = 100;
    ProgressRecorder progress;
    FindAnswer find("player55");
    std::vector<SlowRows::Row> rows;
    {
        runtest::TestClock clock;
        SlowRows slow(clock, mainWnd, 5);
        Command(ID_EDIT_FIND);
        rows = slow.rows;
    }
    // One look per row with the main window disabled, then the tree's looks at the row found.
    ASSERT_GT(rows.size(), 60u);
    for (size_t row = 0; row < 60; ++row)
        EXPECT_FALSE(rows[row].mainEnabled) << row;
    EXPECT_TRUE(rows[60].mainEnabled);
    // The dialog opens as that row starts, after the row's look at the list.
    size_t first = 0;
    while (rows[first].started - mainWnd.runStarted < mainWnd.searchDialogDelay)
        ++first;
    ASSERT_GT(first, 0u);
    ASSERT_LT(first, 59u);
    for (size_t row = 0; row <= first; ++row)
        EXPECT_FALSE(rows[row].dialogShown) << row;
    EXPECT_TRUE(rows[first + 1].dialogShown);
    EXPECT_EQ(std::vector<int>{55}, SelectedRows(mainWnd.list));
    ASSERT_FALSE(progress.steps.empty());
    EXPECT_EQ(runtest::RunLine("検索中...", static_cast<int>(first) + 1, 60), progress.steps.front().first);
    EXPECT_EQ("p" + std::to_string(first) + ".rec", progress.steps.front().second);
    EXPECT_EQ(std::string::npos, progress.steps.front().first.find("(1 / 60)"));
    EXPECT_EQ("検索中... (60 / 60)", progress.steps.back().first);
    EXPECT_EQ("p59.rec", progress.steps.back().second);
    ExpectRunUnderTheMainWindow(progress);
}

// With the dialog's own interval and records that each take longer than it to read, the dialog
// shows each row's own lines while its record is read, and every step that it shows carries the
// number and the name of its own row.
TEST_F(FindCommand, EveryRowShowsItsOwnLinesWithTheDialogsOwnInterval)
{
    UseFolder("OwnLines");
    PlayerRows(12);
    mainWnd.progress.updateInterval = CProgressDlg().updateInterval;
    ProgressRecorder progress;
    FindAnswer find("player11");
    std::vector<runtest::SlowFiles::Look> looks;
    {
        runtest::TestClock clock;
        runtest::SlowFiles slow(clock, mainWnd.progress.updateInterval + 1, mainWnd.progress);
        Command(ID_EDIT_FIND);
        looks = slow.looks;
    }
    EXPECT_EQ(std::vector<int>{11}, SelectedRows(mainWnd.list));
    ASSERT_EQ(12u, looks.size());
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ("p" + std::to_string(i) + ".rec", looks[i].name);
        EXPECT_TRUE(looks[i].shown);
        EXPECT_EQ(runtest::RunLine("検索中...", i + 1, 12), looks[i].first);
        EXPECT_EQ("p" + std::to_string(i) + ".rec", looks[i].second);
        EXPECT_EQ(i, looks[i].position);
    }
    ASSERT_EQ(12u, progress.steps.size());
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(i + 1, progress.steps[i].position);
        EXPECT_EQ(runtest::RunLine("検索中...", i + 1, 12), progress.steps[i].first);
        EXPECT_EQ("p" + std::to_string(i) + ".rec", progress.steps[i].second);
    }
}

// Closing the window during the search (another program may send the close to the disabled
// window) is refused: the search goes to its end. Once it is over the window closes again.
TEST_F(FindCommand, ClosingTheWindowDuringTheRunIsRefused)
{
    UseFolder("Close");
    PlayerRows(12);
    ProgressRecorder progress([&](int step, HWND) {
        if (step == 1) {
            SendMessageA(mainWnd.window, WM_CLOSE, 0, 0);
            SendMessageA(mainWnd.window, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
    });
    FindAnswer find("player1");
    Command(ID_EDIT_FIND);
    ASSERT_TRUE(IsWindow(mainWnd.window));
    EXPECT_EQ((std::vector<int>{1, 10, 11}), SelectedRows(mainWnd.list));
    EXPECT_EQ(12u, progress.steps.size());
    EXPECT_TRUE(boxes.boxes.empty());
    SendMessageA(mainWnd.window, WM_CLOSE, 0, 0);
    EXPECT_EQ(nullptr, mainWnd.window);
}

class FindSessionEnd : public FindCommand, public testing::WithParamInterface<runtest::SessionCase> {};

// The end of the session stops the search as Cancel does: nothing changes and no box waits for
// anyone. A session that goes on after the question leaves the search to its end.
TEST_P(FindSessionEnd, StopsTheSearchAndChangesNothing)
{
    UseFolder(std::string("Session") + GetParam().name);
    PlayerRows(12);
    Select({0});
    LRESULT allowed = -1;
    ProgressRecorder progress([&](int step, HWND) {
        if (step == 1)
            allowed = GetParam().Send(mainWnd.window);
    });
    FindAnswer find("player1", true);
    Command(ID_EDIT_FIND);
    if (GetParam().query) {
        EXPECT_EQ(TRUE, allowed);
    }
    if (GetParam().Stops()) {
        EXPECT_EQ(1u, progress.steps.size());
        EXPECT_EQ(12, mainWnd.list.GetItemCount());
        EXPECT_EQ(std::vector<int>{0}, SelectedRows(mainWnd.list));
    } else {
        EXPECT_EQ(12u, progress.steps.size());
        EXPECT_EQ((std::vector<std::string>{"p1.rec", "p10.rec", "p11.rec"}), listtest::Names(mainWnd.list));
    }
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(nullptr, mainWnd.progress.window);
    EXPECT_TRUE(IsWindowEnabled(mainWnd.window));
}

INSTANTIATE_TEST_SUITE_P(Messages, FindSessionEnd, testing::ValuesIn(runtest::SessionCases()),
                         runtest::SessionCaseName);

// A search that ends before its delay never shows the dialog.
TEST_F(FindCommand, ASearchShorterThanItsDelayOpensNoDialog)
{
    UseFolder("Short");
    PlayerRows(12);
    mainWnd.searchDialogDelay = 10000;
    ProgressRecorder progress;
    FindAnswer find("player11");
    Command(ID_EDIT_FIND);
    EXPECT_EQ(std::vector<int>{11}, SelectedRows(mainWnd.list));
    EXPECT_TRUE(progress.steps.empty());
    EXPECT_EQ(nullptr, mainWnd.progress.window);
    EXPECT_TRUE(IsWindowEnabled(mainWnd.window));
    EXPECT_TRUE(boxes.boxes.empty());
}

// With the check box, the rows that do not match leave the list and their records the store; the
// files stay, and so do the sort directions.
TEST_F(FindCommand, TheCheckBoxKeepsOnlyTheMatchingRows)
{
    UseFolder("KeepOnly");
    SampleRow("castle-duel.rec");
    SampleRow("four-kingdoms.rcx");
    SampleRow("nihon-teams.rec");
    PlayerRow("p.rec", "Kingdomless");
    mainWnd.sortDirections[0] = 2;
    mainWnd.sortDirections[1] = 1;
    FindAnswer find("征服", true);
    Command(ID_EDIT_FIND);
    EXPECT_EQ((std::vector<std::string>{"four-kingdoms.rcx", "nihon-teams.rec"}), listtest::Names(mainWnd.list));
    EXPECT_EQ((std::vector<int>{0, 1}), SelectedRows(mainWnd.list));
    EXPECT_TRUE(Focused(0));
    EXPECT_EQ(2u, mainWnd.data.records.size());
    EXPECT_EQ("four-kingdoms.rcx", RecordOfRow(0).fileName);
    EXPECT_EQ("nihon-teams.rec", RecordOfRow(1).fileName);
    for (const char* name : {"castle-duel.rec", "four-kingdoms.rcx", "nihon-teams.rec", "p.rec"})
        EXPECT_TRUE(Exists(folder + name)) << name;
    EXPECT_EQ(2, mainWnd.sortDirections[0]);
    EXPECT_EQ(1, mainWnd.sortDirections[1]);
    EXPECT_EQ(0, mainWnd.sortDirections[2]);
    EXPECT_NE(std::string::npos, TreeTexts().find("休戦協定\n"));
}

struct NothingCase {
    const char* name;
    const char* text;
    // Whether the records are searched at all.
    bool searched;
};

class FindNothing : public FindCommand, public testing::WithParamInterface<NothingCase> {};

// Nothing found, the check box on: a box says so, and the list stays as it was.
TEST_P(FindNothing, SaysSoAndChangesNothing)
{
    UseFolder(GetParam().name);
    SampleRow("castle-duel.rec");
    SampleRow("nihon-teams.rec");
    Select({1});
    FindAnswer find(GetParam().text, true);
    Command(ID_EDIT_FIND);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("一致するファイルはありません。", boxes.boxes[0].text);
    EXPECT_EQ("検索", boxes.boxes[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONINFORMATION), boxes.boxes[0].flags & (MB_TYPEMASK | MB_ICONMASK));
    EXPECT_EQ(mainWnd.window, boxes.boxes[0].owner);
    EXPECT_EQ(2, mainWnd.list.GetItemCount());
    EXPECT_EQ(std::vector<int>{1}, SelectedRows(mainWnd.list));
    EXPECT_EQ(GetParam().searched, RecordOfRow(0).SettingsDecoded());
}

INSTANTIATE_TEST_SUITE_P(Texts, FindNothing,
                         testing::Values(NothingCase{"NoRecordHoldsIt", "小次郎 alice", true},
                                         NothingCase{"OnlySpaces", " 　 ", false},
                                         NothingCase{"Empty", "", false}),
                         [](const testing::TestParamInfo<NothingCase>& info) { return info.param.name; });

// Cancel in the middle of the run: no row leaves and the selection stays, although the check
// box was on and rows had matched.
TEST_F(FindCommand, CancelInTheMiddleChangesNothing)
{
    UseFolder("Cancel");
    PlayerRows(15);
    Select({14});
    ProgressRecorder progress([](int step, HWND dialog) {
        if (step == 5)
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    FindAnswer find("player", true);
    Command(ID_EDIT_FIND);
    EXPECT_GE(progress.steps.size(), 5u);
    EXPECT_LT(progress.steps.size(), 15u);
    EXPECT_EQ(15, mainWnd.list.GetItemCount());
    EXPECT_EQ(15u, mainWnd.data.records.size());
    EXPECT_EQ(std::vector<int>{14}, SelectedRows(mainWnd.list));
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(IsWindowEnabled(mainWnd.window));
}

// Records that cannot be decoded or parsed, and a file gone since it was listed, match nothing
// and are told once, after the matches are selected.
TEST_F(FindCommand, RecordsThatCannotBeReadAreToldAtTheEnd)
{
    UseFolder("Unreadable");
    PlayerRow("alice.rec", "Alice");
    AddRow(testfiles::Write(folderName + "\\junk alice.rec", "not a recorded game"));
    AddRow(fixtures::WriteRecord(folderName + "\\bad alice.rec", "<GameSettings><a>x &amp y</a></GameSettings>"));
    std::string gone = testfiles::Write(folderName + "\\gone alice.rec", testfiles::Read(folder + "alice.rec"));
    AddRow(gone);
    ASSERT_TRUE(DeleteFileA(gone.c_str()));
    FindAnswer find("alice");
    Command(ID_EDIT_FIND);
    EXPECT_EQ(std::vector<int>{0}, SelectedRows(mainWnd.list));
    ASSERT_EQ(1u, boxes.boxes.size());
    const std::string& text = boxes.boxes[0].text;
    EXPECT_EQ(0u, text.find("3 個のファイルを処理できませんでした。\r\n\r\njunk alice.rec\r\n" +
                            RecordOfRow(1).GetMessageText()))
        << text;
    EXPECT_NE(std::string::npos, text.find("\r\nbad alice.rec\r\nエラー場所："));
    EXPECT_NE(std::string::npos, text.find("\r\ngone alice.rec\r\n" + RecordOfRow(3).GetMessageText()));
    EXPECT_NE(std::string::npos, RecordOfRow(3).GetMessageText().find("Unpack Error : open error"));
    EXPECT_EQ("エラー", boxes.boxes[0].caption);
}

// The rows found are the selection that the export writes: exactly them.
TEST_F(FindCommand, TheRowsFoundAreWhatTheExportWrites)
{
    UseFolder("Export");
    SampleRow("castle-duel.rec");
    SampleRow("four-kingdoms.rcx");
    SampleRow("nihon-teams.rec");
    Select({0});
    {
        FindAnswer find("征服");
        Command(ID_EDIT_FIND);
    }
    ASSERT_EQ((std::vector<int>{1, 2}), SelectedRows(mainWnd.list));
    boxes.answer = IDYES;
    std::string path = folder + "found.xml";
    runtest::SaveDialogAnswer save(path);
    Command(ID_EXPORT_XML);
    CExportDocument expected;
    expected.Add(RecordOfRow(1), mainWnd.data.option);
    expected.Add(RecordOfRow(2), mainWnd.data.option);
    std::string text;
    for (char c : expected.ToString()) {
        if (c == '\n')
            text += '\r';
        text += c;
    }
    EXPECT_EQ(text, testfiles::Read(path));
}

}
