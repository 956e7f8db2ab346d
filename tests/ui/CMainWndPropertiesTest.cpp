#include "DialogVisitor.h"
#include "MainWindowTest.h"

#include "framework/StringUtil.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

using mainwindow::MainWindow;

namespace {

const char kSettingsXml[] = u8"<GameSettings>\n\t<MapName>Highland</MapName>\n</GameSettings>";

std::string ControlText(HWND control)
{
    std::vector<char> text(SendMessageA(control, WM_GETTEXTLENGTH, 0, 0) + 1, '\0');
    SendMessageA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}

// What a sheet showed: its caption, owner, tab texts, and each page's text box.
struct SheetSeen {
    std::string caption;
    HWND owner = nullptr;
    bool ownerEnabled = true;
    std::vector<std::string> tabs;
    std::vector<std::string> texts;
    std::vector<LONG_PTR> styles;
    std::vector<LONG_PTR> exStyles;
    std::vector<LRESULT> lineCounts;
    // Each text box as its page first shows: the selection's start and end, and the first line
    // in view.
    std::vector<std::pair<DWORD, DWORD>> selections;
    std::vector<LRESULT> firstLines;
    // Whether the first page's text box had the focus as the sheet opened.
    bool textFocused = false;
    std::string firstTextAgain;
};

HWND PageText(HWND sheet)
{
    return GetDlgItem(PropSheet_GetCurrentPageHwnd(sheet), 1003);
}

// Reads both pages, goes back to the first, and ends the sheet with the button.
SheetSeen ReadSheet(HWND sheet, int button)
{
    SheetSeen seen;
    char caption[64] = {};
    GetWindowTextA(sheet, caption, sizeof(caption));
    seen.caption = caption;
    seen.owner = GetWindow(sheet, GW_OWNER);
    seen.ownerEnabled = seen.owner && IsWindowEnabled(seen.owner);
    HWND tabs = PropSheet_GetTabControl(sheet);
    for (int i = 0; i < TabCtrl_GetItemCount(tabs); ++i) {
        char text[64] = {};
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        seen.tabs.push_back(text);
    }
    seen.textFocused = GetFocus() == PageText(sheet);
    for (int page = 0; page < 2; ++page) {
        // The first page as the sheet opened on it, the second as its tab shows it.
        if (page > 0)
            PropSheet_SetCurSel(sheet, nullptr, page);
        HWND text = PageText(sheet);
        DWORD start = 0;
        DWORD end = 0;
        SendMessageA(text, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        seen.selections.push_back({start, end});
        seen.firstLines.push_back(SendMessageA(text, EM_GETFIRSTVISIBLELINE, 0, 0));
        seen.texts.push_back(ControlText(text));
        seen.styles.push_back(GetWindowLongPtrA(text, GWL_STYLE));
        seen.exStyles.push_back(GetWindowLongPtrA(text, GWL_EXSTYLE));
        seen.lineCounts.push_back(SendMessageA(text, EM_GETLINECOUNT, 0, 0));
    }
    PropSheet_SetCurSel(sheet, nullptr, 0);
    seen.firstTextAgain = ControlText(PageText(sheet));
    PropSheet_PressButton(sheet, button);
    return seen;
}

class FilePropertySheet : public MainWindow {
protected:
    int AddRecord(const std::string& settingsXml, const std::string& mapScript)
    {
        recbuilder::Source source;
        source.settingsXml = settingsXml;
        source.mapScript = mapScript;
        return AddRecordRow("sheet.rec", source);
    }
    // Runs the sheet of a row as the command or a double click does, answering it with button.
    SheetSeen Open(int row, int button = PSBTN_OK)
    {
        SheetSeen seen;
        DialogVisitor visitor("プロパティ", [&](HWND sheet) { seen = ReadSheet(sheet, button); });
        mainWnd.ShowProperties(row);
        visits = visitor.visits;
        return seen;
    }
    int visits = 0;
};

}

TEST_F(FilePropertySheet, ShowsBothTextsReadOnlyOverADisabledOwner)
{
    int row = AddRecord(kSettingsXml, "// map\nplace_towns 2\n");
    mainWnd.list.SelectItem(row);
    SheetSeen seen;
    {
        DialogVisitor visitor("プロパティ", [&](HWND sheet) { seen = ReadSheet(sheet, PSBTN_OK); });
        Command(ID_FILE_PROPERTIES);
        ASSERT_EQ(1, visitor.visits);
    }
    EXPECT_EQ("プロパティ", seen.caption);
    EXPECT_EQ(mainWnd.window, seen.owner);
    EXPECT_FALSE(seen.ownerEnabled);
    EXPECT_EQ((std::vector<std::string>{"GameSettings", "MapScript"}), seen.tabs);
    ASSERT_EQ(2u, seen.texts.size());
    EXPECT_EQ("<GameSettings>\r\n\t<MapName>Highland</MapName>\r\n</GameSettings>", seen.texts[0]);
    EXPECT_EQ("// map\r\nplace_towns 2\r\n", seen.texts[1]);
    EXPECT_EQ(seen.texts[0], seen.firstTextAgain);
    // Read-only, multi-line, both scroll bars, no wrapping; the dialog manager draws the border
    // as a sunken edge.
    for (size_t page = 0; page < 2; ++page) {
        EXPECT_EQ(0x50310884, seen.styles[page] & ~WS_BORDER);
        EXPECT_TRUE((seen.styles[page] & WS_BORDER) || (seen.exStyles[page] & WS_EX_CLIENTEDGE));
    }
    EXPECT_EQ(3, seen.lineCounts[0]);
    EXPECT_TRUE(IsWindowEnabled(mainWnd.window));
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(FilePropertySheet, CancelClosesItTooAndTheRecordStaysAsItWas)
{
    int row = AddRecord(kSettingsXml, "map");
    const CRecord before = mainWnd.data.records.begin()->second;
    EXPECT_EQ(2u, Open(row, PSBTN_CANCEL).texts.size());
    EXPECT_EQ(1, visits);
    const CRecord& after = mainWnd.data.records.begin()->second;
    EXPECT_EQ("<GameSettings>\n\t<MapName>Highland</MapName>\n</GameSettings>", after.settings);
    EXPECT_EQ("map", after.mapScript);
    EXPECT_EQ(before.path, after.path);
}

struct MapCase {
    const char* name;
    std::string map;
    std::string shown;
    int lines;
};

class FilePropertySheetMap : public FilePropertySheet, public ::testing::WithParamInterface<MapCase> {};

TEST_P(FilePropertySheetMap, ShowsTheScriptOneLinePerLine)
{
    const MapCase& c = GetParam();
    SheetSeen seen = Open(AddRecord(kSettingsXml, c.map));
    ASSERT_EQ(2u, seen.texts.size());
    EXPECT_EQ(c.shown, seen.texts[1]);
    EXPECT_EQ(c.lines, seen.lineCounts[1]);
}

std::string LongLines()
{
    std::string line(5000, 'x');
    return line + "\n" + line + "\n";
}

std::string TwoHundredKilobytes()
{
    std::string text;
    for (int i = 0; text.size() < 200 * 1024; ++i)
        text += "place_object " + std::to_string(i) + "\n";
    return text;
}

std::string WithCrLf(std::string text)
{
    ReplaceAll(text, "\n", "\r\n");
    return text;
}

int Lines(const std::string& text)
{
    return static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, FilePropertySheetMap,
    ::testing::Values(
        MapCase{"LineFeedsBecomeLineBreaks", "a\nb\nc", "a\r\nb\r\nc", 3},
        MapCase{"CrLfBecomesCrCrLf", "a\r\nb", "a\r\r\nb", 2},
        MapCase{"LongLinesScrollInsteadOfWrapping", LongLines(), WithCrLf(LongLines()), 3},
        MapCase{"TwoHundredKilobytesWhole", TwoHundredKilobytes(), WithCrLf(TwoHundredKilobytes()),
                Lines(TwoHundredKilobytes())},
        MapCase{"JapaneseText", "// 日本の地図\nソ表\n", "// 日本の地図\r\nソ表\r\n", 3}),
    [](const ::testing::TestParamInfo<MapCase>& info) { return info.param.name; });

// Both pages open at the top of their texts, nothing selected; the first has the focus with the
// caret at the start of its text.
TEST_F(FilePropertySheet, BothPagesOpenAtTheTopWithTheCaretAtTheStart)
{
    std::string settings = "<GameSettings>\n";
    for (int i = 0; i < 300; ++i)
        settings += "\t<Item>" + std::to_string(i) + "</Item>\n";
    settings += "</GameSettings>\n";
    SheetSeen seen = Open(AddRecord(settings, TwoHundredKilobytes()));
    ASSERT_EQ(2u, seen.texts.size());
    EXPECT_GT(seen.lineCounts[0], 300);
    EXPECT_TRUE(seen.textFocused);
    EXPECT_EQ((std::vector<std::pair<DWORD, DWORD>>{{0, 0}, {0, 0}}), seen.selections);
    EXPECT_EQ((std::vector<LRESULT>{0, 0}), seen.firstLines);
}

TEST_F(FilePropertySheet, AnUndecodableRecordShowsTwoEmptyPages)
{
    SheetSeen seen = Open(AddFileRow(testfiles::Write("garbage.rec", "not a recorded game")));
    EXPECT_EQ((std::vector<std::string>{"", ""}), seen.texts);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(FilePropertySheet, NothingOpensForARowWithoutARecord)
{
    AddRecord(kSettingsXml, "map");
    mainWnd.list.InsertItem("no record", 1, 0, 1, 0);
    for (int row : {-1, 1, 2, 99}) {
        Open(row);
        EXPECT_EQ(0, visits) << row;
    }
    // Nothing selected: File > "プロパティ(&P)" opens nothing either.
    DialogVisitor visitor("プロパティ", [](HWND sheet) { PropSheet_PressButton(sheet, PSBTN_OK); });
    Command(ID_FILE_PROPERTIES);
    EXPECT_EQ(0, visitor.visits);
}
