// View > 記録の内容を列に表示: the records' own columns in the file list, their cells as the
// tree shows the items, made when a row is first drawn and kept, and the sorts by them.
#include "RunTestSupport.h"

#include "ListTestSupport.h"
#include "RecordFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using listtest::Ids;
using listtest::SelectedRows;
using runtest::ProgressRecorder;

namespace {

struct Heading {
    std::string text;
    int width;
    bool operator==(const Heading& other) const { return text == other.text && width == other.width; }
};

std::ostream& operator<<(std::ostream& out, const Heading& heading)
{
    return out << heading.text << " " << heading.width;
}

// The list's columns as its header shows them, in the order of their numbers.
std::vector<Heading> Headings(CListView& list)
{
    std::vector<Heading> headings;
    for (int column = 0;; ++column) {
        char text[64] = {};
        LVCOLUMNA info = {};
        info.mask = LVCF_TEXT | LVCF_WIDTH;
        info.pszText = text;
        info.cchTextMax = sizeof(text);
        if (!list.SendMsg(LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info)))
            return headings;
        headings.push_back({text, info.cx});
    }
}

// The three columns of the list as it starts, in a window whose client area is 1000 wide.
const std::vector<Heading> kFileListColumns = {{"ファイル名", 430}, {"更新日時", 161}, {"種類", 58}};

// One slot of the settings.
std::string Slot(const std::string& type, const std::string& name, const std::string& civilization, const std::string& team)
{
    return "<Player ID=\"1\" Type=\"" + type + "\"><PlayerName>" + name + "</PlayerName><Civilization>" + civilization +
           "</Civilization><Team>" + team + "</Team></Player>";
}

std::string Settings(const std::string& startTime, const std::string& map, const std::string& slots)
{
    return "<GameSettings><GameVersion>1.10</GameVersion><GameType>1</GameType><GameStartTime>" + startTime +
           "</GameStartTime><LobbyName>lobby</LobbyName><Map><MapName>" + map + "</MapName></Map><Players>" + slots +
           "</Players></GameSettings>";
}

class RecordColumns : public runtest::RunWindow {
protected:
    void SetUp() override
    {
        RunWindow::SetUp();
        folderName = listtest::TestFolderName();
    }
    // A row for a record with the settings (UTF-8) in the test's folder.
    int SettingsRow(const std::string& name, const std::string& settings, const std::string& version = "1")
    {
        return AddRow(fixtures::WriteRecord(folderName + "\\" + name, settings, version));
    }
    int SampleRow(const std::string& sample)
    {
        return AddRow(testfiles::Write(folderName + "\\" + sample,
                                       testfiles::Read(testfiles::SourcePath("samples/" + sample))));
    }
    // A row for a record whose first player is player.
    int PlayerRow(const std::string& name, const std::string& player)
    {
        return SettingsRow(name, Settings("1067805607", "twin_rivers", Slot("0", player, "1", "0")));
    }
    void ShowColumns(bool show)
    {
        if (mainWnd.mainMenu.IsChecked(ID_VIEW_RECORD_COLUMNS) != show)
            Command(ID_VIEW_RECORD_COLUMNS);
    }
    // The texts of the records' own columns of a row, as the list gives them.
    std::vector<std::string> Cells(int row)
    {
        std::vector<std::string> cells;
        for (int column = CMainWnd::kFileListColumns; column < CMainWnd::kFileListColumns + CColumnTexts::kCount; ++column) {
            std::string text;
            mainWnd.list.GetItemText(row, column, text);
            cells.push_back(text);
        }
        return cells;
    }
    std::string Cell(int row, int column)
    {
        std::string text;
        mainWnd.list.GetItemText(row, CMainWnd::kFileListColumns + column, text);
        return text;
    }
    // The cells of a column, row by row.
    std::vector<std::string> Column(int column)
    {
        std::vector<std::string> texts;
        for (int row = 0; row < mainWnd.list.GetItemCount(); ++row)
            texts.push_back(Cell(row, column));
        return texts;
    }
    void ClickColumn(int column)
    {
        NMLISTVIEW click = {};
        click.hdr.hwndFrom = mainWnd.list.window;
        click.hdr.idFrom = 100;
        click.hdr.code = LVN_COLUMNCLICK;
        click.iItem = -1;
        click.iSubItem = column;
        SendMessageA(mainWnd.window, WM_NOTIFY, 100, reinterpret_cast<LPARAM>(&click));
    }
    void ClickRecordColumn(CColumnTexts::Column column) { ClickColumn(CMainWnd::kFileListColumns + column); }
    std::vector<std::string> Names() { return listtest::Names(mainWnd.list); }
    // The window shown with its list drawn.
    void Draw()
    {
        ShowWindow(mainWnd.window, SW_SHOW);
        UpdateWindow(mainWnd.window);
        UpdateWindow(mainWnd.list.window);
    }
    int RowsMade()
    {
        int made = 0;
        for (const auto& entry : mainWnd.data.records)
            made += entry.second.columns.Made() ? 1 : 0;
        return made;
    }

    void Rename(int row, const std::string& name)
    {
        Select({row});
        DialogVisitor visitor("名前の変更", [name](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_RENAME_EDIT, name.c_str());
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        });
        Command(ID_EDIT_RENAME);
    }

    std::string folderName;
};

}

// Alt+V C turns the columns on and off, with the item's check; the file list's own columns come
// back as they were, the file name column with the width it had before.
TEST_F(RecordColumns, AltVCTurnsTheColumnsOnAndOff)
{
    EXPECT_FALSE(MenuState(ID_VIEW_RECORD_COLUMNS) & MF_CHECKED);
    EXPECT_EQ(kFileListColumns, Headings(mainWnd.list));

    ChooseFromMenu("vc");
    EXPECT_TRUE(MenuState(ID_VIEW_RECORD_COLUMNS) & MF_CHECKED);
    EXPECT_EQ((std::vector<Heading>{{"ファイル名", 200},
                                    {"更新日時", 161},
                                    {"種類", 58},
                                    {"開始日時", 125},
                                    {"マップ", 110},
                                    {"プレイヤー", 220},
                                    {"文明", 180},
                                    {"ゲームの種類", 90},
                                    {"ロビー名", 150},
                                    {"バージョン", 75}}),
              Headings(mainWnd.list));

    ChooseFromMenu("vc");
    EXPECT_FALSE(MenuState(ID_VIEW_RECORD_COLUMNS) & MF_CHECKED);
    EXPECT_EQ(kFileListColumns, Headings(mainWnd.list));
    EXPECT_EQ(3, mainWnd.list.columnCount);
}

// The user's widths stay: the file name column's from before the columns came, the others' as
// they are when the columns go.
TEST_F(RecordColumns, TheFileListColumnsKeepTheUsersWidths)
{
    mainWnd.list.SetColumnWidth(0, 300);
    ShowColumns(true);
    EXPECT_EQ(200, mainWnd.list.GetColumnWidth(0));
    mainWnd.list.SetColumnWidth(1, 99);
    ShowColumns(false);
    EXPECT_EQ((std::vector<Heading>{{"ファイル名", 300}, {"更新日時", 99}, {"種類", 58}}), Headings(mainWnd.list));
}

// The directions of the sorts stay across the toggle, the records' own columns' too.
TEST_F(RecordColumns, TheSortDirectionsStayAcrossTheToggle)
{
    PlayerRow("b.rec", "Bob");
    PlayerRow("a.rec", "Alice");
    ClickColumn(0);
    ShowColumns(true);
    ClickRecordColumn(CColumnTexts::Players);
    EXPECT_EQ(1, mainWnd.sortDirections[0]);
    EXPECT_EQ(1, mainWnd.sortDirections[CMainWnd::kFileListColumns + CColumnTexts::Players]);
    ShowColumns(false);
    ShowColumns(true);
    ClickColumn(0);
    EXPECT_EQ(2, mainWnd.sortDirections[0]);
    EXPECT_EQ((std::vector<std::string>{"b.rec", "a.rec"}), Names());
    ClickRecordColumn(CColumnTexts::Players);
    EXPECT_EQ(2, mainWnd.sortDirections[CMainWnd::kFileListColumns + CColumnTexts::Players]);
    EXPECT_EQ((std::vector<std::string>{"b.rec", "a.rec"}), Names());
}

// With the columns off, the list asks for no cell of theirs and a click beyond its columns sorts
// nothing.
TEST_F(RecordColumns, OffTheColumnsAreNotMade)
{
    PlayerRow("b.rec", "Bob");
    PlayerRow("a.rec", "Alice");
    Draw();
    ClickRecordColumn(CColumnTexts::Players);
    EXPECT_EQ(0, mainWnd.columnsMade);
    EXPECT_EQ((std::vector<std::string>{"b.rec", "a.rec"}), Names());
    EXPECT_EQ(0, mainWnd.sortDirections[CMainWnd::kFileListColumns + CColumnTexts::Players]);
}

namespace {

struct CellCase {
    const char* name;
    // The record's settings (UTF-8) and format version; a file that is no record when empty.
    std::string settings;
    const char* version;
    std::vector<std::string> cells;
};

const CellCase kCellCases[] = {
    {"FourTeams",
     Settings("1067805607", "twin_rivers",
              Slot("0", "A", "1", "4") + Slot("0", "B", "2", "3") + Slot("0", "C", "3", "2") + Slot("0", "D", "4", "1") +
                  Slot("0", "E", "5", "1") + Slot("0", "F", "6", "2") + Slot("0", "G", "7", "3") + Slot("0", "H", "8", "4")),
     "1",
     {"2003/11/03 05:40:07", "双子の川", "D, E vs C, F vs B, G vs A, H",
      "ケッサリン, ハルヴァニ vs トルーン, デュレモス vs ヴァレシュ, サンナイ vs アルドマーク, クォーヴェル", "王殺し", "lobby",
      "1.10"}},
    {"NoTeamPlayers",
     Settings("1067805607", "twin_rivers", Slot("0", "A", "1", "0") + Slot("0", "B", "2", "2") + Slot("0", "C", "3", "0")),
     "1", {"2003/11/03 05:40:07", "双子の川", "B vs A vs C", "ヴァレシュ vs アルドマーク vs トルーン", "王殺し", "lobby", "1.10"}},
    {"ComputerObserverAndFreeSlots",
     Settings("1067805607", "rift_valley",
              Slot("0", "Gareth", "10", "1") + Slot("2", "", "0", "0") + Slot("3", "Spectator", "0", "0") +
                  Slot("1", "Computer", "12", "1")),
     "2", {"2003/11/03 05:40:07", "裂け目の谷", "Gareth, Computer（CPU）", "裂け目の守人, スールの遊牧民", "王殺し", "lobby", "1.10"}},
    {"CustomMapName", Settings("1067805607", "My Map", Slot("0", "A", "1", "0")), "1",
     {"2003/11/03 05:40:07", "My Map", "A", "アルドマーク", "王殺し", "lobby", "1.10"}},
    {"StartTimeZero", Settings("0", "twin_rivers", Slot("0", "A", "1", "0")), "1",
     {"", "双子の川", "A", "アルドマーク", "王殺し", "lobby", "1.10"}},
    {"Undecodable", "", "1", {"（読み込めません）", "", "", "", "", "", ""}},
    // Values the vocabulary of the format version lacks show as written.
    {"MissingVocabularyEntry", Settings("1067805607", "rift_valley", Slot("0", "A", "11", "0")), "1",
     {"2003/11/03 05:40:07", "rift_valley", "A", "11", "王殺し", "lobby", "1.10"}},
};

class RecordCells : public RecordColumns, public testing::WithParamInterface<CellCase> {};

}

TEST_P(RecordCells, ShowTheRecordAsTheTreeShowsIt)
{
    const CellCase& c = GetParam();
    int row = c.settings.empty() ? AddRow(testfiles::Write(folderName + "\\junk.rec", "not a recorded game"))
                                 : SettingsRow("record.rec", c.settings, c.version);
    ShowColumns(true);
    EXPECT_EQ(c.cells, Cells(row));
    // The row's own cells stay as they were.
    listtest::Row shown = listtest::Rows(mainWnd.list).at(static_cast<size_t>(row));
    EXPECT_EQ(c.settings.empty() ? "junk.rec" : "record.rec", shown.name);
}

INSTANTIATE_TEST_SUITE_P(Records, RecordCells, testing::ValuesIn(kCellCases),
                         [](const testing::TestParamInfo<CellCase>& info) { return info.param.name; });

// The samples' cells, each a text that the record's tree shows as the text of its item, apart
// from the sides that the players' items make together.
TEST_F(RecordColumns, TheSamplesCellsAreTheirTreesTexts)
{
    SampleRow("castle-duel.rec");
    SampleRow("four-kingdoms.rcx");
    SampleRow("nihon-teams.rec");
    ShowColumns(true);
    EXPECT_EQ((std::vector<std::string>{"2003/11/03 05:40:07", "高地の浅瀬", "Alice vs Bob", "トルーン vs デュレモス", "王殺し",
                                        "1v1 castle duel", "1.10"}),
              Cells(0));
    EXPECT_EQ((std::vector<std::string>{"2004/07/14 21:05:09", "裂け目の谷", "Gareth, Osric vs Mirelle, Computer（CPU）",
                                        "裂け目の守人, 灰の宮廷 vs ヴァレシュ, スールの遊牧民", "休戦協定",
                                        "2v2 treaty, rift gates on", "R1.02"}),
              Cells(1));
    EXPECT_EQ((std::vector<std::string>{"2005/01/02 19:30:45", "桜の谷",
                                        "武蔵, ソウマ, コンピュータ（CPU） vs 小次郎, 表示名テスト, さくら/もみじ",
                                        "サンナイ, サンナイ, ランダム vs アルドマーク, ケッサリン, ハルヴァニ", "征服",
                                        "正月３対３　初心者歓迎", "1.10"}),
              Cells(2));
    for (int row = 0; row < 3; ++row) {
        std::string tree = "\n" + TreeOfRow(row);
        for (CColumnTexts::Column column :
             {CColumnTexts::StartTime, CColumnTexts::MapName, CColumnTexts::GameType, CColumnTexts::LobbyName, CColumnTexts::GameVersion})
            EXPECT_NE(std::string::npos, tree.find("\n" + Cell(row, column) + "\n")) << row << " " << column;
    }
}

// Opened with the columns on, the list makes the cells of the rows it draws and no others;
// scrolled to the end page by page it has made each row's once, and nothing is made again as the
// list is scrolled back, resized, sorted or the columns turned off and on. The records keep
// neither settings nor map scripts.
TEST_F(RecordColumns, OnlyTheRowsDrawnAreMadeAndEachOnce)
{
    const int kRows = 2000;
    std::string path = RecordOfRow(PlayerRow("one.rec", "Alice")).path;
    mainWnd.ClearAll();
    ShowColumns(true);
    Draw();
    SendMessageA(mainWnd.window, WM_DROPFILES, reinterpret_cast<WPARAM>(listtest::MakeDrop(std::vector<std::string>(kRows, path))), 0);
    ASSERT_EQ(kRows, mainWnd.list.GetItemCount());
    UpdateWindow(mainWnd.list.window);
    int perPage = static_cast<int>(mainWnd.list.SendMsg(LVM_GETCOUNTPERPAGE, 0, 0));
    ASSERT_GT(perPage, 5);
    EXPECT_GE(mainWnd.columnsMade, perPage);
    EXPECT_LE(mainWnd.columnsMade, perPage + 1);
    EXPECT_EQ(mainWnd.columnsMade, RowsMade());

    for (int page = 0; page < kRows / perPage + 1; ++page) {
        mainWnd.list.SendMsg(WM_VSCROLL, SB_PAGEDOWN, 0);
        UpdateWindow(mainWnd.list.window);
    }
    EXPECT_EQ(kRows, mainWnd.columnsMade);
    EXPECT_EQ(kRows, RowsMade());

    mainWnd.list.SendMsg(WM_VSCROLL, SB_TOP, 0);
    SetWindowPos(mainWnd.window, nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER);
    ShowColumns(false);
    ShowColumns(true);
    ClickRecordColumn(CColumnTexts::MapName);
    ClickRecordColumn(CColumnTexts::MapName);
    Draw();
    EXPECT_EQ(kRows, mainWnd.columnsMade);
    for (const auto& entry : mainWnd.data.records) {
        ASSERT_FALSE(entry.second.SettingsDecoded());
        ASSERT_EQ("", entry.second.mapScript);
    }
}

// By players, both ways: the bytes of the texts (upper case first, an empty text first); equal
// cells in file-name order both ways.
TEST_F(RecordColumns, ByPlayersBothWays)
{
    PlayerRow("z.rec", "Bob");
    PlayerRow("c.rec", "alice");
    PlayerRow("b.rec", "Carol");
    PlayerRow("a.rec", "Bob");
    SettingsRow("d.rec", Settings("1067805607", "twin_rivers", ""));
    ShowColumns(true);
    ClickRecordColumn(CColumnTexts::Players);
    EXPECT_EQ((std::vector<std::string>{"", "Bob", "Bob", "Carol", "alice"}), Column(CColumnTexts::Players));
    EXPECT_EQ((std::vector<std::string>{"d.rec", "a.rec", "z.rec", "b.rec", "c.rec"}), Names());
    ClickRecordColumn(CColumnTexts::Players);
    EXPECT_EQ((std::vector<std::string>{"c.rec", "b.rec", "a.rec", "z.rec", "d.rec"}), Names());
}

// The start time by its seconds: unknown (0, or a record that cannot be read) first, in
// file-name order, then 999999999 before 1000000000.
TEST_F(RecordColumns, ByStartTimeNumerically)
{
    SettingsRow("later.rec", Settings("1067805607", "twin_rivers", ""));
    SettingsRow("ten digits.rec", Settings("1000000000", "twin_rivers", ""));
    AddRow(testfiles::Write(folderName + "\\b junk.rec", "not a recorded game"));
    SettingsRow("nine digits.rec", Settings("999999999", "twin_rivers", ""));
    SettingsRow("c zero.rec", Settings("0", "twin_rivers", ""));
    SettingsRow("a zero.rec", Settings("0", "twin_rivers", ""));
    ShowColumns(true);
    ClickRecordColumn(CColumnTexts::StartTime);
    EXPECT_EQ((std::vector<std::string>{"a zero.rec", "b junk.rec", "c zero.rec", "nine digits.rec", "ten digits.rec", "later.rec"}),
              Names());
    EXPECT_EQ("（読み込めません）", Cell(1, CColumnTexts::StartTime));
    ClickRecordColumn(CColumnTexts::StartTime);
    EXPECT_EQ((std::vector<std::string>{"later.rec", "ten digits.rec", "nine digits.rec", "a zero.rec", "b junk.rec", "c zero.rec"}),
              Names());
}

// The first sort reads the records not drawn yet as a run: past a few, under the progress dialog
// with the main window disabled, each record once.
TEST_F(RecordColumns, TheFirstSortReadsTheRecordsUnderTheProgressDialog)
{
    for (int i = 0; i < 20; ++i)
        PlayerRow("p" + std::to_string(i / 10) + std::to_string(i % 10) + ".rec", "Player" + std::to_string(19 - i));
    ShowColumns(true);
    Cells(0);
    ProgressRecorder progress;
    ClickRecordColumn(CColumnTexts::Players);
    ASSERT_EQ(19u, progress.steps.size());
    EXPECT_EQ("読み込み中... (1 / 19)", progress.steps.front().first);
    EXPECT_EQ("p01.rec", progress.steps.front().second);
    EXPECT_EQ("読み込み中... (19 / 19)", progress.steps.back().first);
    EXPECT_EQ("p19.rec", progress.steps.back().second);
    EXPECT_EQ(19, progress.steps.back().high);
    ExpectRunUnderTheMainWindow(progress);
    EXPECT_EQ(20, mainWnd.columnsMade);
    EXPECT_EQ("p19.rec", Names().front());
    // Sorting again reads nothing.
    ClickRecordColumn(CColumnTexts::Players);
    EXPECT_EQ(19u, progress.steps.size());
    EXPECT_EQ(20, mainWnd.columnsMade);
    EXPECT_EQ("p10.rec", Names().front());
    EXPECT_EQ("p19.rec", Names().back());
    EXPECT_TRUE(boxes.boxes.empty());
}

// Up to a few records to read, no progress dialog.
TEST_F(RecordColumns, AFewRecordsAreReadWithoutTheProgressDialog)
{
    for (int i = 0; i < CMainWnd::kFewRows; ++i)
        PlayerRow("p" + std::to_string(i) + ".rec", "Player" + std::to_string(9 - i));
    ShowColumns(true);
    ProgressRecorder progress;
    ClickRecordColumn(CColumnTexts::Players);
    EXPECT_TRUE(progress.steps.empty());
    EXPECT_EQ("p9.rec", Names().front());
}

// Cancel in the middle leaves the rows and the direction as they were; what was read stays read.
TEST_F(RecordColumns, CancelKeepsTheOldOrder)
{
    for (int i = 0; i < 20; ++i)
        PlayerRow("p" + std::to_string(i / 10) + std::to_string(i % 10) + ".rec", "Player" + std::to_string(19 - i));
    ShowColumns(true);
    std::vector<LPARAM> before = Ids(mainWnd.list);
    ProgressRecorder progress([](int step, HWND dialog) {
        if (step == 5)
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    ClickRecordColumn(CColumnTexts::Players);
    EXPECT_GE(progress.steps.size(), 5u);
    EXPECT_LT(progress.steps.size(), 20u);
    EXPECT_EQ(before, Ids(mainWnd.list));
    EXPECT_EQ(0, mainWnd.sortDirections[CMainWnd::kFileListColumns + CColumnTexts::Players]);
    EXPECT_TRUE(IsWindowEnabled(mainWnd.window));
    int made = mainWnd.columnsMade;
    EXPECT_GE(made, 5);
    EXPECT_LT(made, 20);
    ClickRecordColumn(CColumnTexts::Players);
    EXPECT_EQ(20, mainWnd.columnsMade);
    EXPECT_EQ("p19.rec", Names().front());
    EXPECT_TRUE(boxes.boxes.empty());
}

// A click on a heading that reaches the list during the run (queued before it) sorts nothing: the
// run goes on over the records it set out with, and the rows move once, at its end.
TEST_F(RecordColumns, AClickDuringTheRunSortsNothing)
{
    // Added in the players' order, against the file names' order.
    for (int i = 0; i < 20; ++i) {
        std::string number = std::to_string(100 + i).substr(1);
        std::string reversed = std::to_string(119 - i).substr(1);
        PlayerRow("q" + reversed + ".rec", "Player" + number);
    }
    ShowColumns(true);
    std::vector<std::vector<LPARAM>> orders;
    ProgressRecorder progress([&](int step, HWND) {
        if (step != 3)
            return;
        ClickColumn(0);
        ClickRecordColumn(CColumnTexts::Civilizations);
        orders.push_back(Ids(mainWnd.list));
    });
    std::vector<LPARAM> before = Ids(mainWnd.list);
    ClickRecordColumn(CColumnTexts::Players);
    ASSERT_EQ(1u, orders.size());
    EXPECT_EQ(before, orders[0]);
    EXPECT_EQ(20u, progress.steps.size());
    EXPECT_EQ(0, mainWnd.sortDirections[0]);
    EXPECT_EQ(0, mainWnd.sortDirections[CMainWnd::kFileListColumns + CColumnTexts::Civilizations]);
    EXPECT_EQ(1, mainWnd.sortDirections[CMainWnd::kFileListColumns + CColumnTexts::Players]);
    EXPECT_EQ(before, Ids(mainWnd.list));
    EXPECT_EQ("q19.rec", Names().front());
}

// The selected rows, the focused row and the tree stay with their records.
TEST_F(RecordColumns, SelectionFocusAndTreeFollowTheirRecords)
{
    PlayerRow("a.rec", "Dave");
    PlayerRow("b.rec", "Carol");
    PlayerRow("c.rec", "Bob");
    PlayerRow("d.rec", "Alice");
    ShowColumns(true);
    Select({0, 2});
    mainWnd.list.SetItemState(1, LVIS_FOCUSED, LVIS_FOCUSED);
    std::string tree = TreeOfRow(2);
    ClickRecordColumn(CColumnTexts::Players);
    EXPECT_EQ((std::vector<std::string>{"d.rec", "c.rec", "b.rec", "a.rec"}), Names());
    EXPECT_EQ((std::vector<int>{1, 3}), SelectedRows(mainWnd.list));
    EXPECT_EQ(2, static_cast<int>(mainWnd.list.SendMsg(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)));
    EXPECT_EQ(tree, mainwindow::TreeTexts(mainWnd.tree));
}

// A renamed row's cells are made again, from its file under the new name.
TEST_F(RecordColumns, ARenamedRowFollowsItsNewFile)
{
    PlayerRow("old.rec", "Alice");
    ShowColumns(true);
    ASSERT_EQ("Alice", Cell(0, CColumnTexts::Players));
    Rename(0, "new");
    ASSERT_EQ("new.rec", RowText(0));
    fixtures::WriteRecord(folderName + "\\new.rec", Settings("1067805607", "twin_rivers", Slot("0", "Zed", "1", "0")));
    EXPECT_EQ("Zed", Cell(0, CColumnTexts::Players));
    EXPECT_EQ(2, mainWnd.columnsMade);
}

namespace {

// The rows sorted by the players, then changed before the next click on the heading.
class ChangedRows;

struct ChangeCase {
    const char* name;
    void (*change)(ChangedRows& test);
    // The file names after the click, the other way.
    std::vector<std::string> names;
};

class ChangedRows : public RecordColumns, public testing::WithParamInterface<ChangeCase> {
public:
    static void AddRow(ChangedRows& test) { test.PlayerRow("d.rec", "Aaron"); }
    // a.rec becomes z.rec, whose file is then another record.
    static void RenameRow(ChangedRows& test)
    {
        test.Rename(0, "z");
        fixtures::WriteRecord(test.folderName + "\\z.rec", Settings("1067805607", "twin_rivers", Slot("0", "Zed", "1", "0")));
    }
    // As many rows as before, one of them another record.
    static void DeleteAndAddRow(ChangedRows& test)
    {
        test.Select({1});
        test.boxes.answer = IDYES;
        test.Command(ID_EDIT_DELETE);
        AddRow(test);
    }
};

const ChangeCase kChangeCases[] = {
    {"RowAdded", &ChangedRows::AddRow, {"c.rec", "b.rec", "a.rec", "d.rec"}},
    {"RowRenamed", &ChangedRows::RenameRow, {"z.rec", "c.rec", "b.rec"}},
    {"RowDeletedAndAnotherAdded", &ChangedRows::DeleteAndAddRow, {"c.rec", "a.rec", "d.rec"}},
};

}

// The second click on a heading orders the rows as they are then, not as the first click found
// them.
TEST_P(ChangedRows, AreSortedAsTheyAreNow)
{
    PlayerRow("c.rec", "Carol");
    PlayerRow("a.rec", "Alice");
    PlayerRow("b.rec", "Bob");
    ShowColumns(true);
    ClickRecordColumn(CColumnTexts::Players);
    ASSERT_EQ((std::vector<std::string>{"a.rec", "b.rec", "c.rec"}), Names());
    GetParam().change(*this);
    ClickRecordColumn(CColumnTexts::Players);
    EXPECT_EQ(GetParam().names, Names());
}

INSTANTIATE_TEST_SUITE_P(Changes, ChangedRows, testing::ValuesIn(kChangeCases),
                         [](const testing::TestParamInfo<ChangeCase>& info) { return info.param.name; });

// Each column in turn orders the rows by its own cells.
TEST_F(RecordColumns, ColumnsInTurn)
{
    SettingsRow("a.rec", Settings("1067805607", "twin_rivers", Slot("0", "Alice", "3", "0")));
    SettingsRow("b.rec", Settings("1067805607", "twin_rivers", Slot("0", "Bob", "1", "0")));
    SettingsRow("c.rec", Settings("1067805607", "twin_rivers", Slot("0", "Carol", "2", "0")));
    ShowColumns(true);
    ClickRecordColumn(CColumnTexts::Players);
    EXPECT_EQ((std::vector<std::string>{"a.rec", "b.rec", "c.rec"}), Names());
    ClickRecordColumn(CColumnTexts::Civilizations);
    EXPECT_EQ((std::vector<std::string>{"アルドマーク", "トルーン", "ヴァレシュ"}), Column(CColumnTexts::Civilizations));
    ClickRecordColumn(CColumnTexts::Players);
    EXPECT_EQ((std::vector<std::string>{"c.rec", "b.rec", "a.rec"}), Names());
}
