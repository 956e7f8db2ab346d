#include "MainWindowTest.h"

#include "RecordFixtures.h"

#include "sprig/DOM_Parser.h"
#include "sprig/Document.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

using mainwindow::ClipboardText;
using mainwindow::MainWindow;
using mainwindow::SetClipboardText;

namespace {

// A small vocabulary of format version 1: two elements with display names, one of them with a
// display text for the code 2, and an element name with a trail byte 0x5C ("表").
const char kOptions[] =
    "<Option Version=\"1.1\"><Nodes Type=\"1\">"
    "<Node Name=\"GameType\" Value=\"ゲームの種類\"><Texts><Text Name=\"2\" Value=\"デスマッチ\"/></Texts></Node>"
    "<Node Name=\"MapName\" Value=\"マップ名\"/>"
    "<Node Name=\"Player\" Value=\"プレイヤー\"/>"
    "<Node Name=\"Name\" Value=\"名前\"/>"
    "</Nodes></Option>";

// A record of every kind of item: known and unknown elements (a known one below an unknown
// one), attributes before a child element, an element with an empty text, the start time.
const char kSettings[] =
    u8"<GameSettings>\n"
    u8"\t<GameType>2</GameType>\n"
    u8"\t<Secret>hidden<MapName>Inner</MapName></Secret>\n"
    u8"\t<Player id=\"3\" team=\"ソ表\">Alice<Name>Bob</Name></Player>\n"
    u8"\t<MapName></MapName>\n"
    u8"\t<GameStartTime>1000000000</GameStartTime>\n"
    u8"</GameSettings>\n";

// The tree read back, one line per item in order: two spaces per level, the text, the image and
// the selected image, and "+" for an expanded item.
std::vector<HTREEITEM> Siblings(CTreeView& tree, HTREEITEM first)
{
    std::vector<HTREEITEM> items;
    for (HTREEITEM item = first; item; item = TreeView_GetNextSibling(tree.window, item))
        items.push_back(item);
    return items;
}

std::string Dump(CTreeView& tree)
{
    std::ostringstream out;
    std::vector<std::pair<HTREEITEM, int>> pending;
    std::vector<HTREEITEM> top = Siblings(tree, tree.GetRoot());
    for (auto item = top.rbegin(); item != top.rend(); ++item)
        pending.push_back({*item, 0});
    while (!pending.empty()) {
        auto [item, depth] = pending.back();
        pending.pop_back();
        std::string text;
        TVITEMA record = {};
        tree.GetItem(item, text, &record);
        UINT state = TreeView_GetItemState(tree.window, item, TVIS_EXPANDED);
        out << std::string(2 * depth, ' ') << text << ' ' << record.iImage << '/'
            << record.iSelectedImage << ((state & TVIS_EXPANDED) ? " +" : "") << '\n';
        std::vector<HTREEITEM> children = Siblings(tree, tree.GetChild(item));
        for (auto child = children.rbegin(); child != children.rend(); ++child)
            pending.push_back({*child, depth + 1});
    }
    return out.str();
}

// How deep the deepest item lies (the root at 1).
int Depth(CTreeView& tree)
{
    int deepest = 0;
    std::vector<std::pair<HTREEITEM, int>> pending{{tree.GetRoot(), 1}};
    while (!pending.empty()) {
        auto [first, depth] = pending.back();
        pending.pop_back();
        for (HTREEITEM item : Siblings(tree, first)) {
            deepest = std::max(deepest, depth);
            pending.push_back({tree.GetChild(item), depth + 1});
        }
    }
    return deepest;
}

int ItemCount(CTreeView& tree)
{
    return static_cast<int>(TreeView_GetCount(tree.window));
}

class RecordTree : public MainWindow {
protected:
    void SetUp() override
    {
        MainWindow::SetUp();
        mainWnd.data.option.nodes.clear();
        std::istringstream options(kOptions);
        ASSERT_TRUE(mainWnd.data.option.Read(options)) << mainWnd.data.option.GetMessageText();
    }
    int AddSettings(const std::string& name, const std::string& settings)
    {
        recbuilder::Source source;
        source.settingsXml = settings;
        source.mapScript = "map";
        return AddRecordRow(name, source);
    }
    void SetChecks(bool autoExpand, bool showAll)
    {
        mainWnd.mainMenu.CheckItem(ID_TREE_AUTO_EXPAND, autoExpand);
        mainWnd.mainMenu.CheckItem(ID_TREE_SHOW_ALL, showAll);
    }
    std::string SelectedText()
    {
        std::string text;
        mainWnd.tree.GetSelectedItem(text);
        return text;
    }
};

struct FillCase {
    const char* name;
    bool autoExpand;
    bool showAll;
    const char* tree;
};

class RecordTreeFill : public RecordTree, public ::testing::WithParamInterface<FillCase> {};

TEST_P(RecordTreeFill, ShowsTheItemsOfTheCheckMarks)
{
    const FillCase& c = GetParam();
    int row = AddSettings("every-kind.rec", kSettings);
    SetChecks(c.autoExpand, c.showAll);
    mainWnd.ShowRecordInTree(row);
    EXPECT_EQ(c.tree, Dump(mainWnd.tree));
    EXPECT_EQ("GameSettings", SelectedText());
    EXPECT_TRUE(boxes.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    CheckMarks, RecordTreeFill,
    ::testing::Values(
        FillCase{"AutoExpandOnly", true, false,
                 "GameSettings 1/2 +\n"
                 "  ゲームの種類 1/2 +\n"
                 "    デスマッチ 5/5\n"
                 "  プレイヤー 1/2 +\n"
                 "    Alice 5/5\n"
                 "    名前 1/2 +\n"
                 "      Bob 5/5\n"
                 "  マップ名 1/2\n"
                 "  GameStartTime 1/2 +\n"
                 "    2001/09/09 10:46:40 5/5\n"},
        FillCase{"Neither", false, false,
                 "GameSettings 1/2 +\n"
                 "  ゲームの種類 1/2\n"
                 "    デスマッチ 5/5\n"
                 "  プレイヤー 1/2\n"
                 "    Alice 5/5\n"
                 "    名前 1/2\n"
                 "      Bob 5/5\n"
                 "  マップ名 1/2\n"
                 "  GameStartTime 1/2\n"
                 "    2001/09/09 10:46:40 5/5\n"},
        FillCase{"Both", true, true,
                 "GameSettings 1/2 +\n"
                 "  ゲームの種類 1/2 +\n"
                 "    デスマッチ 5/5\n"
                 "  Secret 1/2 +\n"
                 "    hidden 5/5\n"
                 "    マップ名 1/2 +\n"
                 "      Inner 5/5\n"
                 "  プレイヤー 1/2 +\n"
                 "    Alice 5/5\n"
                 "    id：3 6/6\n"
                 "    team：ソ表 6/6\n"
                 "    名前 1/2 +\n"
                 "      Bob 5/5\n"
                 "  マップ名 1/2\n"
                 "  GameStartTime 1/2 +\n"
                 "    2001/09/09 10:46:40 5/5\n"},
        FillCase{"ShowAllOnly", false, true,
                 "GameSettings 1/2 +\n"
                 "  ゲームの種類 1/2\n"
                 "    デスマッチ 5/5\n"
                 "  Secret 1/2\n"
                 "    hidden 5/5\n"
                 "    マップ名 1/2\n"
                 "      Inner 5/5\n"
                 "  プレイヤー 1/2\n"
                 "    Alice 5/5\n"
                 "    id：3 6/6\n"
                 "    team：ソ表 6/6\n"
                 "    名前 1/2\n"
                 "      Bob 5/5\n"
                 "  マップ名 1/2\n"
                 "  GameStartTime 1/2\n"
                 "    2001/09/09 10:46:40 5/5\n"}),
    [](const ::testing::TestParamInfo<FillCase>& info) { return info.param.name; });

TEST_F(RecordTree, UnknownElementsLeaveTheRootAlone)
{
    int row = AddSettings("unknown.rec", u8"<GameSettings><Secret>1<Player/></Secret><Other/></GameSettings>");
    mainWnd.ShowRecordInTree(row);
    EXPECT_EQ("GameSettings 1/2\n", Dump(mainWnd.tree));
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(RecordTree, AnotherFillReplacesTheTreeAndTheChecksCountOnlyThen)
{
    int first = AddSettings("first.rec", u8"<GameSettings><MapName>One</MapName></GameSettings>");
    int second = AddSettings("second.rec", u8"<GameSettings><MapName k=\"1\">Two</MapName></GameSettings>");
    mainWnd.ShowRecordInTree(first);
    mainWnd.ShowRecordInTree(second);
    const char expected[] = "GameSettings 1/2 +\n  マップ名 1/2 +\n    Two 5/5\n";
    EXPECT_EQ(expected, Dump(mainWnd.tree));
    Command(ID_TREE_SHOW_ALL);
    EXPECT_EQ(expected, Dump(mainWnd.tree));
    mainWnd.list.SelectItem(second);
    Command(ID_TREE_REFRESH);
    EXPECT_EQ("GameSettings 1/2 +\n  マップ名 1/2 +\n    Two 5/5\n    k：1 6/6\n", Dump(mainWnd.tree));
}

TEST_F(RecordTree, EnterRefreshesTheFirstSelectedRowThroughTheAccelerators)
{
    AddSettings("first.rec", u8"<GameSettings><MapName>One</MapName></GameSettings>");
    int second = AddSettings("second.rec", u8"<GameSettings><MapName>Two</MapName></GameSettings>");
    int third = AddSettings("third.rec", u8"<GameSettings><MapName>Three</MapName></GameSettings>");
    mainWnd.list.SelectItem(second);
    mainWnd.list.SelectItem(third);
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    MSG enter = {};
    enter.hwnd = mainWnd.tree.window;
    enter.message = WM_KEYDOWN;
    enter.wParam = VK_RETURN;
    EXPECT_TRUE(TranslateAcceleratorA(mainWnd.window, table, &enter));
    DestroyAcceleratorTable(table);
    EXPECT_EQ("GameSettings 1/2 +\n  マップ名 1/2 +\n    Two 5/5\n", Dump(mainWnd.tree));
}

TEST_F(RecordTree, RowsWithoutARecordLeaveTheTreeAsItWas)
{
    int row = AddSettings("kept.rec", u8"<GameSettings><MapName>Kept</MapName></GameSettings>");
    mainWnd.ShowRecordInTree(row);
    std::string kept = Dump(mainWnd.tree);
    mainWnd.list.InsertItem("no record", 1, 0, 1, 0);
    for (int other : {-1, 1, 2, 99}) {
        mainWnd.ShowRecordInTree(other);
        EXPECT_EQ(kept, Dump(mainWnd.tree)) << other;
    }
    // Nothing selected: Enter and "更新(&U)" change nothing.
    Command(ID_TREE_REFRESH);
    EXPECT_EQ(kept, Dump(mainWnd.tree));
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(RecordTree, AMalformedTextShowsWhereAndWhatAndEmptiesTheTree)
{
    int good = AddSettings("good.rec", u8"<GameSettings><MapName>x</MapName></GameSettings>");
    const char malformed[] = "<GameSettings><MapName>x</Map></GameSettings>";
    int bad = AddSettings("bad.rec", malformed);
    mainWnd.ShowRecordInTree(good);
    mainWnd.ShowRecordInTree(bad);
    std::string expected;
    try {
        Sprig::DOM_Parser parser;
        delete parser.Parse(malformed);
    } catch (const Sprig::ParsingException& error) {
        EXPECT_EQ(29, error.position);
        expected = "エラー場所：29\n" + std::string(error.what());
    }
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ(expected, boxes.boxes[0].text);
    EXPECT_EQ("エラー", boxes.boxes[0].caption);
    EXPECT_EQ(0x10030u, boxes.boxes[0].flags);
    EXPECT_EQ(mainWnd.window, boxes.boxes[0].owner);
    EXPECT_EQ("", Dump(mainWnd.tree));
}

// The text that a record keeps of its failure, before the detail.
const char kRecordFailure[] = "スクリプトにエラーがあるか、未対応の形式です。\n\n";

struct UndecodableCase {
    const char* name;
    // The file's bytes; a file that is gone is first a recorded game.
    std::string bytes;
    bool gone;
    // What the record says of it; the file's path follows for a file that is gone.
    std::string detail;
};

class RecordTreeUndecodable : public RecordTree, public ::testing::WithParamInterface<UndecodableCase> {};

// A record that cannot be decoded tells its own failure, as the command line does, and the tree
// stays empty.
TEST_P(RecordTreeUndecodable, ShowsTheRecordsOwnFailure)
{
    const UndecodableCase& c = GetParam();
    int shown = AddSettings("shown.rec", u8"<GameSettings><MapName>x</MapName></GameSettings>");
    mainWnd.ShowRecordInTree(shown);
    std::string path = testfiles::Write(std::string(c.name) + ".rec", c.bytes);
    int row = AddFileRow(path);
    if (c.gone) {
        ASSERT_TRUE(DeleteFileA(path.c_str()));
    }
    mainWnd.ShowRecordInTree(row);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ(kRecordFailure + c.detail + (c.gone ? path : ""), boxes.boxes[0].text);
    EXPECT_EQ("エラー", boxes.boxes[0].caption);
    EXPECT_EQ("", Dump(mainWnd.tree));
}

INSTANTIATE_TEST_SUITE_P(
    Files, RecordTreeUndecodable,
    ::testing::Values(UndecodableCase{"NotARecordedGame", "not a recorded game", false,
                                      "Unpack Error : Invalid file header"},
                      UndecodableCase{"Gone", fixtures::FileBytes(fixtures::GoodBody()), true,
                                      "Unpack Error : open error "}),
    [](const ::testing::TestParamInfo<UndecodableCase>& info) { return info.param.name; });

TEST_F(RecordTree, CopyPutsTheSelectedItemsWholeText)
{
    SetChecks(true, true);
    int row = AddSettings("copy.rec", u8"<GameSettings><Player id=\"3\">Alice</Player></GameSettings>");
    mainWnd.ShowRecordInTree(row);
    HTREEITEM player = mainWnd.tree.GetChild(mainWnd.tree.GetRoot());
    HTREEITEM attribute = TreeView_GetNextSibling(mainWnd.tree.window, mainWnd.tree.GetChild(player));
    ASSERT_TRUE(mainWnd.tree.SelectItem(attribute, TVGN_CARET));
    SetClipboardText("before");
    Command(ID_TREE_COPY);
    EXPECT_EQ("id：3", ClipboardText());
    ASSERT_TRUE(mainWnd.tree.SelectItem(player, TVGN_CARET));
    Command(ID_TREE_COPY);
    EXPECT_EQ("プレイヤー", ClipboardText());
}

TEST_F(RecordTree, CopyWithoutASelectedItemLeavesTheClipboard)
{
    SetClipboardText("before");
    Command(ID_TREE_COPY);
    EXPECT_EQ("before", ClipboardText());
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(RecordTree, CopyOfALongJapaneseTextEndsOnAWholeCharacter)
{
    std::string text;
    for (int i = 0; i < 130; ++i)
        text += u8"あ";
    int row = AddSettings("long.rec", u8"<GameSettings><MapName>" + text + u8"</MapName></GameSettings>");
    mainWnd.ShowRecordInTree(row);
    HTREEITEM value = mainWnd.tree.GetChild(mainWnd.tree.GetChild(mainWnd.tree.GetRoot()));
    ASSERT_TRUE(mainWnd.tree.SelectItem(value, TVGN_CARET));
    Command(ID_TREE_COPY);
    std::string expected;
    for (int i = 0; i < 127; ++i)
        expected += "あ";
    EXPECT_EQ(expected, ClipboardText());
}

// Hostile settings: the tree shows what it can, says what it left out, and the window goes on.
class HostileTree : public RecordTree {
protected:
    void ExpectReport(const std::string& line)
    {
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ("設定が大きすぎるため、ツリーには一部だけを表示しています。\n" + line,
                  boxes.boxes[0].text);
        boxes.boxes.clear();
    }
    void ExpectStillWorking()
    {
        int row = AddSettings("after.rec", u8"<GameSettings><MapName>After</MapName></GameSettings>");
        mainWnd.ShowRecordInTree(row);
        EXPECT_EQ("GameSettings 1/2 +\n  マップ名 1/2 +\n    After 5/5\n", Dump(mainWnd.tree));
        EXPECT_TRUE(boxes.boxes.empty());
    }
};

TEST_F(HostileTree, AHundredThousandLevelsShowTheShallowerOnes)
{
    std::string settings = "<GameSettings>";
    for (int i = 0; i < 100000; ++i)
        settings += "<Player>";
    settings += "deep";
    for (int i = 0; i < 100000; ++i)
        settings += "</Player>";
    settings += "</GameSettings>";
    mainWnd.ShowRecordInTree(AddDecodedRow(settings));
    // The root, then Player items down to level 255; the last has no room for its text.
    EXPECT_EQ(CMainWnd::kTreeDepthLimit - 1, Depth(mainWnd.tree));
    EXPECT_EQ(CMainWnd::kTreeDepthLimit - 1, ItemCount(mainWnd.tree));
    ExpectReport("256 階層より深い項目は表示していません。");
    ExpectStillWorking();
}

TEST_F(HostileTree, TheDeepestLevelHoldsTextsAndAttributes)
{
    SetChecks(true, true);
    std::string settings = "<GameSettings>";
    for (int i = 2; i < CMainWnd::kTreeDepthLimit; ++i)
        settings += "<Player a=\"1\">t";
    for (int i = 2; i < CMainWnd::kTreeDepthLimit; ++i)
        settings += "</Player>";
    settings += "</GameSettings>";
    mainWnd.ShowRecordInTree(AddDecodedRow(settings));
    EXPECT_EQ(CMainWnd::kTreeDepthLimit, Depth(mainWnd.tree));
    EXPECT_EQ(1 + 3 * (CMainWnd::kTreeDepthLimit - 2), ItemCount(mainWnd.tree));
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(HostileTree, AMillionAttributesShowAsManyItemsAsTheTreeTakes)
{
    SetChecks(true, true);
    std::string settings = "<GameSettings><Player";
    for (int i = 0; i < 1000000; ++i)
        settings += " a" + std::to_string(i) + "=\"1\"";
    settings += "/></GameSettings>";
    mainWnd.ShowRecordInTree(AddDecodedRow(settings));
    EXPECT_EQ(CMainWnd::kTreeItemLimit, ItemCount(mainWnd.tree));
    HTREEITEM player = mainWnd.tree.GetChild(mainWnd.tree.GetRoot());
    std::string first;
    mainWnd.tree.GetItem(mainWnd.tree.GetChild(player), first);
    EXPECT_EQ("a0：1", first);
    EXPECT_NE(0u, TreeView_GetItemState(mainWnd.tree.window, player, TVIS_EXPANDED) & TVIS_EXPANDED);
    ExpectReport("100000 個を超える項目は表示していません。");
    ExpectStillWorking();
}

TEST_F(HostileTree, TenMegabytesOfTextShowTheirStartOnWholeCharacters)
{
    std::string text = "x";
    while (text.size() < 10 * 1024 * 1024)
        text += "あ";
    mainWnd.ShowRecordInTree(AddDecodedRow("<GameSettings><MapName>" + text + "</MapName></GameSettings>"));
    HTREEITEM value = mainWnd.tree.GetChild(mainWnd.tree.GetChild(mainWnd.tree.GetRoot()));
    TVITEMA item = {};
    std::vector<char> buffer(4096);
    item.mask = TVIF_TEXT;
    item.hItem = value;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    ASSERT_TRUE(TreeView_GetItem(mainWnd.tree.window, &item));
    EXPECT_EQ(text.substr(0, CMainWnd::kTreeTextLimit - 1), std::string(buffer.data()));
    ExpectReport("1024 バイトを超えるテキストは先頭だけを表示しています。");
    ExpectStillWorking();
}

TEST_F(HostileTree, ANulCharacterInTheSettingsLeavesThemUndecoded)
{
    recbuilder::Source source;
    source.settingsXml = std::string(u8"<GameSettings><MapName>a</MapName>\0<Other/></GameSettings>", 58);
    mainWnd.ShowRecordInTree(AddRecordRow("nul-character.rec", source));
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ(std::string(kRecordFailure) + "invalid vector<T> subscript", boxes.boxes[0].text);
    boxes.boxes.clear();
    EXPECT_EQ("", Dump(mainWnd.tree));
    ExpectStillWorking();
}

}
