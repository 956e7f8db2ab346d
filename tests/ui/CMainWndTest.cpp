#include "MainWindowTest.h"

#include "ChildProcess.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

using mainwindow::MainWindow;
using mainwindow::OptionPath;
using mainwindow::UseShippedOptions;
using mainwindow::Width;
using mainwindow::WindowRect;

TEST_F(MainWindow, AFirstClientWidthOf1000GivesPanesOf650And350)
{
    RECT client = {};
    GetClientRect(mainWnd.window, &client);
    ASSERT_EQ(1000, client.right);
    EXPECT_EQ(650, Width(WindowRect(mainWnd.leftPane.window)));
    EXPECT_EQ(646, Width(WindowRect(mainWnd.list.window)));
    EXPECT_EQ(350, Width(WindowRect(mainWnd.rightPane.window)));
    EXPECT_EQ(350, Width(WindowRect(mainWnd.tree.window)));
    EXPECT_EQ(600, WindowRect(mainWnd.list.window).bottom - WindowRect(mainWnd.list.window).top);
    EXPECT_EQ(600, WindowRect(mainWnd.tree.window).bottom - WindowRect(mainWnd.tree.window).top);
    POINT rightPane = {WindowRect(mainWnd.rightPane.window).left, 0};
    ScreenToClient(mainWnd.window, &rightPane);
    EXPECT_EQ(650, rightPane.x);
    EXPECT_EQ(646, mainWnd.listPlacement.rect.right);
    EXPECT_EQ(350, mainWnd.treePlacement.rect.right);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(MainWindow, ChildWindowsHaveTheirClassesStylesAndIds)
{
    struct Child {
        HWND window;
        const char* className;
        LONG_PTR style;
        LONG_PTR exStyle;
        int id;
        HWND parent;
    };
    const Child children[] = {
        {mainWnd.leftPane.window, "SplitBaseLeft Class", 0x52000000, 0, 0, mainWnd.window},
        {mainWnd.rightPane.window, "SplitBaseRight Class", 0x52000000, 0, 0, mainWnd.window},
        {mainWnd.list.window, "SysListView32", 0x52010009, 0x200, 100, mainWnd.leftPane.window},
        {mainWnd.tree.window, "SysTreeView32", 0x52010227, 0x200, 101, mainWnd.rightPane.window},
    };
    for (const Child& child : children) {
        char className[64] = {};
        GetClassNameA(child.window, className, sizeof(className));
        SCOPED_TRACE(child.className);
        EXPECT_STREQ(child.className, className);
        // The controls add their scroll bars themselves.
        EXPECT_EQ(child.style,
                  GetWindowLongPtrA(child.window, GWL_STYLE) & ~(WS_HSCROLL | WS_VSCROLL));
        EXPECT_EQ(child.exStyle, GetWindowLongPtrA(child.window, GWL_EXSTYLE) & ~WS_EX_NOPARENTNOTIFY);
        EXPECT_EQ(child.id, GetDlgCtrlID(child.window));
        EXPECT_EQ(child.parent, GetParent(child.window));
    }
    EXPECT_EQ(mainWnd.list.window, mainWnd.leftInfo.content);
    EXPECT_EQ(mainWnd.rightPane.window, mainWnd.leftInfo.right);
    EXPECT_EQ(mainWnd.window, mainWnd.leftInfo.owner);
    EXPECT_EQ(nullptr, mainWnd.leftInfo.bottom);
    EXPECT_EQ(mainWnd.tree.window, mainWnd.rightInfo.content);
    EXPECT_EQ(nullptr, mainWnd.rightInfo.right);
    EXPECT_NE(0, GetWindowLongPtrA(mainWnd.window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    EXPECT_NE(0, SendMessageA(mainWnd.window, WM_GETICON, ICON_SMALL, 0));
}

TEST_F(MainWindow, TheListHasItsThreeColumnsAndStyles)
{
    struct Column {
        const char* heading;
        int width;
    };
    const Column columns[] = {{"ファイル名", 8 * 646 / 12}, {"更新日時", 3 * 646 / 12}, {"種類", 646 / 11}};
    EXPECT_EQ(3, mainWnd.list.columnCount);
    for (int i = 0; i < 3; ++i) {
        char text[64] = {};
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.pszText = text;
        column.cchTextMax = sizeof(text);
        ASSERT_TRUE(SendMessageA(mainWnd.list.window, LVM_GETCOLUMNA, i,
                                 reinterpret_cast<LPARAM>(&column)));
        EXPECT_STREQ(columns[i].heading, text);
        EXPECT_EQ(columns[i].width, column.cx);
        EXPECT_EQ(LVCFMT_LEFT, column.fmt & LVCFMT_JUSTIFYMASK);
    }
    EXPECT_EQ(0x31u, mainWnd.list.GetExtendedStyle() & 0x31u);
    EXPECT_NE(0, SendMessageA(mainWnd.list.window, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    EXPECT_NE(0, SendMessageA(mainWnd.tree.window, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
    EXPECT_EQ(3, ImageList_GetImageCount(mainWnd.list.images.handle));
    EXPECT_EQ(7, ImageList_GetImageCount(mainWnd.tree.images.handle));
}

namespace {

// Sets the main window's client width, the height as it is; the client width it then has.
int ResizeClient(HWND window, int clientWidth)
{
    RECT frame = WindowRect(window);
    RECT client = {};
    GetClientRect(window, &client);
    SetWindowPos(window, nullptr, 0, 0, clientWidth + Width(frame) - client.right,
                 frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);
    GetClientRect(window, &client);
    return client.right;
}

}

// The left pane keeps its width as the window narrows for as long as the tree keeps its least
// width; past that the left pane gives way, down to its own least width, and keeps the width it
// was left with when the window grows again.
TEST_F(MainWindow, ALeftPaneKeepsItsWidthWhileTheTreeHasRoom)
{
    const int least = mainWnd.leftPane.minSize;
    ASSERT_GT(least, mainWnd.leftPane.barSize);
    ASSERT_EQ(650 + least, ResizeClient(mainWnd.window, 650 + least));
    EXPECT_EQ(650, Width(WindowRect(mainWnd.leftPane.window)));
    EXPECT_EQ(least, Width(WindowRect(mainWnd.rightPane.window)));
    int narrow = ResizeClient(mainWnd.window, 400);
    ASSERT_EQ(400, narrow);
    EXPECT_EQ(400 - least, Width(WindowRect(mainWnd.leftPane.window)));
    EXPECT_EQ(least, Width(WindowRect(mainWnd.rightPane.window)));
    EXPECT_EQ(least, Width(WindowRect(mainWnd.tree.window)));
    int wide = ResizeClient(mainWnd.window, 1200);
    EXPECT_EQ(400 - least, Width(WindowRect(mainWnd.leftPane.window)));
    EXPECT_EQ(wide - (400 - least), Width(WindowRect(mainWnd.rightPane.window)));
    EXPECT_EQ(wide - (400 - least), Width(WindowRect(mainWnd.tree.window)));
}

// A minimized window has no client area: the panes keep their widths for its restoring.
TEST_F(MainWindow, MinimizedAndRestoredThePanesKeepTheirWidths)
{
    ShowWindow(mainWnd.window, SW_SHOWMINIMIZED);
    ASSERT_TRUE(IsIconic(mainWnd.window));
    ShowWindow(mainWnd.window, SW_RESTORE);
    EXPECT_EQ(650, Width(WindowRect(mainWnd.leftPane.window)));
    EXPECT_EQ(350, Width(WindowRect(mainWnd.rightPane.window)));
}

namespace {

// Whether a control's scroll bar shows whole inside the main window's client area, long enough
// for its two arrows and a thumb.
::testing::AssertionResult ScrollBarShows(HWND main, HWND control, LONG bar)
{
    SCROLLBARINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetScrollBarInfo(control, bar, &info))
        return ::testing::AssertionFailure() << "no scroll bar";
    if (info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN))
        return ::testing::AssertionFailure() << "hidden, state " << info.rgstate[0];
    RECT client = {};
    GetClientRect(main, &client);
    MapWindowPoints(main, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const RECT& r = info.rcScrollBar;
    if (r.left < client.left || r.top < client.top || r.right > client.right || r.bottom > client.bottom)
        return ::testing::AssertionFailure() << "cut off: " << r.left << "," << r.top << " - " << r.right << ","
                                             << r.bottom << " in " << client.left << "," << client.top << " - "
                                             << client.right << "," << client.bottom;
    int length = bar == OBJID_VSCROLL ? r.bottom - r.top : r.right - r.left;
    int arrow = bar == OBJID_VSCROLL ? GetSystemMetrics(SM_CYVSCROLL) : GetSystemMetrics(SM_CXHSCROLL);
    if (length < 3 * arrow)
        return ::testing::AssertionFailure() << "only " << length << " pixels long";
    return ::testing::AssertionSuccess();
}

}

class MainWindowLeast : public MainWindow {
protected:
    // Rows and items enough for both scroll bars of the list and of the tree.
    void Fill()
    {
        for (int i = 0; i < 50; ++i)
            mainWnd.list.InsertItem("a recorded game with a long name " + std::to_string(i) + ".rec", i, 0, 1, 0);
        for (int i = 0; i < 50; ++i)
            mainWnd.tree.InsertItem("a setting with a long text " + std::to_string(i), TVI_ROOT, TVI_LAST, 1, 1, 0);
    }
    // The control's vertical scroll bar, and its horizontal one when it is too narrow for its
    // content, show whole.
    void ExpectScrollBars(HWND control, bool horizontal)
    {
        SCOPED_TRACE(control == mainWnd.list.window ? "list" : "tree");
        EXPECT_TRUE(ScrollBarShows(mainWnd.window, control, OBJID_VSCROLL));
        if (horizontal) {
            EXPECT_TRUE(ScrollBarShows(mainWnd.window, control, OBJID_HSCROLL));
        }
    }
};

// The window cannot shrink past the size at which both panes show with their scroll bars, the
// menu bar on one line.
TEST_F(MainWindowLeast, TheSmallestWindowShowsBothPanesAndTheirScrollBars)
{
    Fill();
    ShowWindow(mainWnd.window, SW_SHOW);
    int menuHeight = GetSystemMetrics(SM_CYMENU);
    RECT frame = WindowRect(mainWnd.window);
    RECT client = {};
    GetClientRect(mainWnd.window, &client);
    int chrome = frame.bottom - frame.top - client.bottom;
    SetWindowPos(mainWnd.window, nullptr, 0, 0, 112, 91, SWP_NOMOVE | SWP_NOZORDER);
    GetClientRect(mainWnd.window, &client);
    SIZE least = {2 * mainWnd.leftPane.minSize, 6 * GetSystemMetrics(SM_CYHSCROLL)};
    EXPECT_GE(client.right, least.cx);
    EXPECT_EQ(least.cy, client.bottom);
    EXPECT_EQ(chrome, WindowRect(mainWnd.window).bottom - WindowRect(mainWnd.window).top - client.bottom)
        << "the menu bar (" << menuHeight << " pixels) stays on one line";
    EXPECT_GE(Width(WindowRect(mainWnd.leftPane.window)), mainWnd.leftPane.minSize);
    EXPECT_GE(Width(WindowRect(mainWnd.rightPane.window)), mainWnd.leftPane.minSize);
    ExpectScrollBars(mainWnd.list.window, true);
    ExpectScrollBars(mainWnd.tree.window, true);
}

struct SplitLimitCase {
    const char* name;
    int toX;
    bool leftAtLeast; // the left pane stops at its least width, else the tree does
};

class MainWindowSplit : public MainWindowLeast, public ::testing::WithParamInterface<SplitLimitCase> {};

// The splitter hides neither pane: a drag stops where the pane it narrows keeps its least width.
TEST_P(MainWindowSplit, ADragStopsAtEachPanesLeastWidth)
{
    Fill();
    ShowWindow(mainWnd.window, SW_SHOW);
    HWND pane = mainWnd.leftPane.window;
    SendMessageA(pane, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(648, 10));
    SendMessageA(pane, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(static_cast<short>(GetParam().toX)), 10));
    SendMessageA(pane, WM_LBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(static_cast<short>(GetParam().toX)), 10));
    const int least = mainWnd.leftPane.minSize;
    int left = GetParam().leftAtLeast ? least : 1000 - least;
    EXPECT_EQ(left, Width(WindowRect(mainWnd.leftPane.window)));
    EXPECT_EQ(1000 - left, Width(WindowRect(mainWnd.rightPane.window)));
    ExpectScrollBars(mainWnd.list.window, GetParam().leftAtLeast);
    ExpectScrollBars(mainWnd.tree.window, !GetParam().leftAtLeast);
}

INSTANTIATE_TEST_SUITE_P(Drags, MainWindowSplit,
                         ::testing::Values(SplitLimitCase{"FarLeft", -2000, true}, SplitLimitCase{"FarRight", 3000, false}),
                         [](const ::testing::TestParamInfo<SplitLimitCase>& info) { return info.param.name; });

TEST_F(MainWindow, IsCentredOverTheDesktop)
{
    RECT frame = WindowRect(mainWnd.window);
    RECT desktop = WindowRect(GetDesktopWindow());
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    int x = desktop.left + (Width(desktop) - Width(frame)) / 2;
    int y = desktop.top + (desktop.bottom - desktop.top - (frame.bottom - frame.top)) / 2;
    EXPECT_EQ(std::max<int>(work.left, x), frame.left);
    EXPECT_EQ(std::max<int>(work.top, y), frame.top);
}

struct MenuItemCase {
    const char* name;
    std::vector<int> path; // positions from the menu bar down to the item
    std::string text;
    int id;                // -1 for a popup, 0 for a separator
    UINT state;            // MF_CHECKED, MF_GRAYED
};

class MainMenu : public MainWindow, public ::testing::WithParamInterface<MenuItemCase> {};

TEST_P(MainMenu, ItemHasItsTextIdAndState)
{
    const MenuItemCase& c = GetParam();
    HMENU menu = GetMenu(mainWnd.window);
    for (size_t i = 0; i + 1 < c.path.size(); ++i)
        menu = GetSubMenu(menu, c.path[i]);
    ASSERT_NE(nullptr, menu);
    int position = c.path.back();
    char text[128] = {};
    GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
    EXPECT_EQ(c.text, text);
    UINT state = GetMenuState(menu, position, MF_BYPOSITION);
    if (c.id == 0) {
        EXPECT_NE(0u, state & MF_SEPARATOR);
    } else if (c.id < 0) {
        EXPECT_NE(nullptr, GetSubMenu(menu, position));
    } else {
        EXPECT_EQ(static_cast<UINT>(c.id), GetMenuItemID(menu, position));
        EXPECT_EQ(c.state, state & (MF_CHECKED | MF_GRAYED | MF_DISABLED));
    }
}

TEST_F(MainWindow, MenusHaveTheirItemCounts)
{
    HMENU bar = GetMenu(mainWnd.window);
    EXPECT_EQ(5, GetMenuItemCount(bar));
    const int counts[] = {13, 12, 3, 1, 1};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(counts[i], GetMenuItemCount(GetSubMenu(bar, i))) << "popup " << i;
    EXPECT_EQ(2, GetMenuItemCount(GetSubMenu(GetSubMenu(bar, 0), 8)));
    EXPECT_EQ(3, GetMenuItemCount(GetSubMenu(GetSubMenu(bar, 2), 0)));
    EXPECT_EQ(6, GetMenuItemCount(GetSubMenu(GetSubMenu(bar, 3), 0)));
}

INSTANTIATE_TEST_SUITE_P(
    Items, MainMenu,
    ::testing::Values(
        MenuItemCase{"File", {0}, "ﾌｧｲﾙ(&F)", -1, 0},
        MenuItemCase{"New", {0, 0}, "新規(&N)", 163, 0},
        MenuItemCase{"FileSeparator1", {0, 1}, "", 0, 0},
        MenuItemCase{"OpenFiles", {0, 2}, "ファイルを開く(&O)", 133, 0},
        MenuItemCase{"AddFiles", {0, 3}, "ファイルを追加(&P)", 137, 0},
        MenuItemCase{"FileSeparator2", {0, 4}, "", 0, 0},
        MenuItemCase{"OpenFolder", {0, 5}, "フォルダを開く(&F)", 3, 0},
        MenuItemCase{"AddFolder", {0, 6}, "フォルダを追加(&G)", 138, 0},
        MenuItemCase{"FileSeparator3", {0, 7}, "", 0, 0},
        MenuItemCase{"Export", {0, 8}, "エクスポート(&E)", -1, 0},
        MenuItemCase{"ExportXml", {0, 8, 0}, "XML(&X)", 139, 0},
        MenuItemCase{"ExportCopy", {0, 8, 1}, "ファイルをコピー(&C)", 156, 0},
        MenuItemCase{"FileSeparator4", {0, 9}, "", 0, 0},
        MenuItemCase{"Properties", {0, 10}, "プロパティ(&P)", 1001, 0},
        MenuItemCase{"FileSeparator5", {0, 11}, "", 0, 0},
        MenuItemCase{"Exit", {0, 12}, "終了(&X)", 105, 0},
        MenuItemCase{"Edit", {1}, "編集(&E)", -1, 0},
        MenuItemCase{"Undo", {1, 0}, "元に戻す(&Z)\tCtrl+Z", 175, MF_GRAYED},
        MenuItemCase{"EditSeparator0", {1, 1}, "", 0, 0},
        MenuItemCase{"Rename", {1, 2}, "選択ファイル名の変更(&M)\tF2", 158, 0},
        MenuItemCase{"BatchRename", {1, 3}, "選択ファイル名一括変換(&B)\tCtrl+B", 162, 0},
        MenuItemCase{"BatchPreview", {1, 4}, "一括変換のプレビュー(&V)...", 176, 0},
        MenuItemCase{"EditSeparator1", {1, 5}, "", 0, 0},
        MenuItemCase{"Delete", {1, 6}, "選択ファイルを削除(&D)\tDEL", 167, 0},
        MenuItemCase{"EditSeparator2", {1, 7}, "", 0, 0},
        MenuItemCase{"SelectAll", {1, 8}, "全て選択(&A)\tCtrl+A", 160, 0},
        MenuItemCase{"EditSeparator3", {1, 9}, "", 0, 0},
        MenuItemCase{"Find", {1, 10}, "検索(&F)...\tCtrl+F", 168, 0},
        MenuItemCase{"SelectDuplicates", {1, 11}, "重複ファイルを選択(&U)", 169, 0},
        MenuItemCase{"View", {2}, "表示(&V)", -1, 0},
        MenuItemCase{"TreeView", {2, 0}, "ツリービュー(&T)", -1, 0},
        MenuItemCase{"Refresh", {2, 0, 0}, "更新(&U)", 150, 0},
        MenuItemCase{"AutoExpand", {2, 0, 1}, "自動展開する(&E)", 154, MF_CHECKED},
        MenuItemCase{"ShowAll", {2, 0, 2}, "全項目を表示する(&A)", 155, 0},
        MenuItemCase{"ViewSeparator", {2, 1}, "", 0, 0},
        MenuItemCase{"RecordColumns", {2, 2}, "記録の内容を列に表示(&C)", ID_VIEW_RECORD_COLUMNS, 0},
        MenuItemCase{"Tools", {3}, "ツール(&T)", -1, 0},
        MenuItemCase{"OpenGameFolder", {3, 0}, "フォルダを開く(&O)", -1, 0},
        MenuItemCase{"KarFolder", {3, 0, 0}, "Karフォルダ(&A)\tF9", 142, 0},
        MenuItemCase{"SaveGameFolder", {3, 0, 1}, "SaveGameフォルダ(&S)\tF10", 143, 0},
        MenuItemCase{"TauntsFolder", {3, 0, 2}, "Tauntsフォルダ(&T)\tF11", 144, 0},
        MenuItemCase{"ToolsSeparator", {3, 0, 3}, "", 0, 0},
        MenuItemCase{"RiftSaveGameFolder", {3, 0, 4}, "Rift:SaveGameフォルダ(&E)\tF12", 157, 0},
        MenuItemCase{"RiftTauntsFolder", {3, 0, 5}, "Rift:Tauntsフォルダ(&U)", 166, 0},
        MenuItemCase{"Help", {4}, "ヘルプ(&H)", -1, 0},
        MenuItemCase{"About", {4, 0}, "バージョン情報(&A) ...", 104, 0}),
    [](const ::testing::TestParamInfo<MenuItemCase>& info) { return info.param.name; });

TEST(Resources, TheTreeMenuAndTheStringShowInShiftJis)
{
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TREEMENU));
    ASSERT_NE(nullptr, menu);
    char text[128] = {};
    GetMenuStringA(menu, 0, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ("ツリービューで右クリック", text);
    HMENU popup = GetSubMenu(menu, 0);
    EXPECT_EQ(1, GetMenuItemCount(popup));
    GetMenuStringA(popup, 0, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ("クリップボードにコピー(&C)", text);
    EXPECT_EQ(149u, GetMenuItemID(popup, 0));
    DestroyMenu(menu);
    char string[64] = {};
    EXPECT_EQ(10, LoadStringA(GetModuleHandleA(nullptr), IDS_PROPERTIES, string, sizeof(string)));
    EXPECT_STREQ("プロパティ", string);
}

TEST(Resources, TheAcceleratorTableHasItsTwelveKeys)
{
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    ASSERT_NE(nullptr, table);
    ACCEL entries[16] = {};
    ASSERT_EQ(12, CopyAcceleratorTableA(table, entries, 16));
    const BYTE plain = FVIRTKEY | FNOINVERT;
    const BYTE control = FVIRTKEY | FNOINVERT | FCONTROL;
    const ACCEL expected[] = {
        {plain, VK_TAB, 32780}, {plain, VK_DELETE, 167}, {control, 'B', 162},
        {plain, VK_F2, 158},    {plain, VK_F9, 142},     {plain, VK_F10, 143},
        {plain, VK_F11, 144},   {plain, VK_F12, 157},    {control, 'A', 160},
        {plain, VK_RETURN, 150}, {control, 'F', 168}, {control, 'Z', 175}};
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(expected[i].fVirt, entries[i].fVirt & 0x7F);
        EXPECT_EQ(expected[i].key, entries[i].key);
        EXPECT_EQ(expected[i].cmd, entries[i].cmd);
    }
    DestroyAcceleratorTable(table);
}

TEST(Resources, TheBitmapsHoldTheirImages)
{
    struct Bitmap {
        WORD id;
        LONG width;
        COLORREF background;
    };
    for (const Bitmap& expected : {Bitmap{IDB_TREEIMAGES, 112, RGB(255, 0, 0)},
                                   Bitmap{IDB_LISTIMAGES, 48, RGB(255, 0, 255)}}) {
        HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(expected.id));
        ASSERT_NE(nullptr, bitmap);
        BITMAP info = {};
        GetObjectA(bitmap, sizeof(info), &info);
        EXPECT_EQ(expected.width, info.bmWidth);
        EXPECT_EQ(16, info.bmHeight);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap);
        EXPECT_EQ(expected.background, GetPixel(dc, 0, 0));
        EXPECT_EQ(expected.background, GetPixel(dc, info.bmWidth - 1, 15));
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    EXPECT_NE(nullptr, LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TALLYVANE),
                                  IMAGE_ICON, 16, 16, 0));
}

TEST_F(MainWindow, TabMovesTheFocusBetweenListAndTree)
{
    ShowWindow(mainWnd.window, SW_SHOW);
    SetFocus(mainWnd.list.window);
    ASSERT_EQ(mainWnd.list.window, GetFocus());
    Command(ID_SWITCH_FOCUS);
    EXPECT_EQ(mainWnd.tree.window, GetFocus());
    Command(ID_SWITCH_FOCUS);
    EXPECT_EQ(mainWnd.list.window, GetFocus());
    SetFocus(mainWnd.window);
    Command(ID_SWITCH_FOCUS);
    EXPECT_EQ(mainWnd.window, GetFocus());
}

TEST_F(MainWindow, TheListHasTheFocusWhenTheWindowOpensAndAfterItIsActivatedAgain)
{
    ShowWindow(mainWnd.window, SW_SHOW);
    SetForegroundWindow(mainWnd.window);
    EXPECT_EQ(mainWnd.list.window, GetFocus());
    // Another window takes the activation, as Alt+Tab would, and gives it back.
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, other);
    SetForegroundWindow(other);
    ASSERT_EQ(other, GetActiveWindow());
    EXPECT_NE(mainWnd.list.window, GetFocus());
    SetForegroundWindow(mainWnd.window);
    EXPECT_EQ(mainWnd.window, GetActiveWindow());
    EXPECT_EQ(mainWnd.list.window, GetFocus());
    // The tree keeps the focus that the user gave it.
    SetFocus(mainWnd.tree.window);
    SetForegroundWindow(other);
    SetForegroundWindow(mainWnd.window);
    EXPECT_EQ(mainWnd.tree.window, GetFocus());
    DestroyWindow(other);
}

TEST_F(MainWindow, TheViewCheckItemsToggleAlone)
{
    Command(ID_TREE_AUTO_EXPAND);
    EXPECT_EQ(0u, MenuState(ID_TREE_AUTO_EXPAND) & MF_CHECKED);
    Command(ID_TREE_AUTO_EXPAND);
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED), MenuState(ID_TREE_AUTO_EXPAND) & MF_CHECKED);
    Command(ID_TREE_SHOW_ALL);
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED), MenuState(ID_TREE_SHOW_ALL) & MF_CHECKED);
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED), MenuState(ID_TREE_AUTO_EXPAND) & MF_CHECKED);
    EXPECT_EQ(0u, MenuState(ID_TREE_REFRESH) & (MF_CHECKED | MF_GRAYED));
}

TEST_F(MainWindow, CommandsOnSelectedRowsWithoutRowsAndUnknownIdsDoNothing)
{
    const UINT ids[] = {139, 156, 158, 162, 167, 175, 176, 1001, 4242};
    for (UINT id : ids)
        Command(id);
    EXPECT_TRUE(IsWindow(mainWnd.window));
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(0, mainWnd.list.GetItemCount());
}

struct CloseCase {
    const char* name;
    UINT message;
    WPARAM wParam;
};

class MainWindowClose : public MainWindow, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(MainWindowClose, DestroysTheWindowAndPostsQuit)
{
    SendMessageA(mainWnd.window, GetParam().message, GetParam().wParam, 0);
    EXPECT_FALSE(IsWindow(mainWnd.window));
    EXPECT_EQ(nullptr, mainWnd.window);
    MSG quit;
    ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(0u, quit.wParam);
    EXPECT_TRUE(boxes.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Ways, MainWindowClose,
                         ::testing::Values(CloseCase{"CloseBox", WM_CLOSE, 0},
                                           CloseCase{"AltF4", WM_SYSCOMMAND, SC_CLOSE},
                                           CloseCase{"ExitCommand", WM_COMMAND, ID_FILE_EXIT}),
                         [](const ::testing::TestParamInfo<CloseCase>& info) {
                             return info.param.name;
                         });

namespace {

// Records the popup menus that open on the thread and closes each at once.
class PopupRecorder {
public:
    PopupRecorder()
    {
        current = this;
        hook = SetWindowsHookExA(WH_CALLWNDPROC, HookProc, nullptr, GetCurrentThreadId());
    }
    ~PopupRecorder()
    {
        UnhookWindowsHookEx(hook);
        current = nullptr;
    }
    struct Popup {
        HMENU menu;
        int count;
        UINT firstId;
    };
    std::vector<Popup> menus;

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam)
    {
        const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && current && call->message == WM_INITMENUPOPUP) {
            HMENU menu = reinterpret_cast<HMENU>(call->wParam);
            current->menus.push_back({menu, GetMenuItemCount(menu), GetMenuItemID(menu, 0)});
            EndMenu();
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline PopupRecorder* current = nullptr;
    HHOOK hook;
};

LPARAM ScreenPoint(HWND window, int x, int y)
{
    POINT point = {x, y};
    ClientToScreen(window, &point);
    return MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y));
}

}

class MainWindowContextMenu : public MainWindow {
protected:
    void SetUp() override
    {
        MainWindow::SetUp();
        ASSERT_EQ(0, mainWnd.list.InsertItem("a.rec", 0, 0, 1, 7));
        ASSERT_NE(nullptr, mainWnd.tree.InsertItem("GameSettings", TVI_ROOT, TVI_LAST, 1, 2, 0));
    }
    std::vector<PopupRecorder::Popup> RightClick(LPARAM point)
    {
        PopupRecorder popups;
        SendMessageA(mainWnd.window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(mainWnd.window),
                     point);
        return popups.menus;
    }
    // A point on the first row, the first tree item, or empty space of each control.
    LPARAM OnRow() { return ScreenPoint(mainWnd.list.window, 10, RowCentre()); }
    LPARAM OnTreeItem()
    {
        RECT item = {};
        HTREEITEM root = mainWnd.tree.GetRoot();
        std::memcpy(&item, &root, sizeof(root));
        SendMessageA(mainWnd.tree.window, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&item));
        return ScreenPoint(mainWnd.tree.window, item.left + 2, (item.top + item.bottom) / 2);
    }
    int RowCentre()
    {
        RECT row = {};
        row.left = LVIR_BOUNDS;
        SendMessageA(mainWnd.list.window, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
        return (row.top + row.bottom) / 2;
    }
};

TEST_F(MainWindowContextMenu, OnARowOpensTheEditMenu)
{
    std::vector<PopupRecorder::Popup> menus = RightClick(OnRow());
    ASSERT_EQ(1u, menus.size());
    EXPECT_EQ(GetSubMenu(GetMenu(mainWnd.window), 1), menus[0].menu);
}

TEST_F(MainWindowContextMenu, OnATreeItemOpensTheCopyMenu)
{
    std::vector<PopupRecorder::Popup> menus = RightClick(OnTreeItem());
    ASSERT_EQ(1u, menus.size());
    EXPECT_EQ(1, menus[0].count);
    EXPECT_EQ(static_cast<UINT>(ID_TREE_COPY), menus[0].firstId);
}

TEST_F(MainWindowContextMenu, ElsewhereOrFromTheKeyboardOpensNothing)
{
    EXPECT_TRUE(RightClick(ScreenPoint(mainWnd.list.window, 10, 500)).empty());
    EXPECT_TRUE(RightClick(ScreenPoint(mainWnd.tree.window, 200, 500)).empty());
    EXPECT_TRUE(RightClick(-1).empty());
}

TEST_F(MainWindowContextMenu, ARowLeftOfThePrimaryScreenStillOpensTheEditMenu)
{
    // Screens left of the primary one have negative coordinates.
    RECT frame = WindowRect(mainWnd.window);
    SetWindowPos(mainWnd.window, nullptr, -300, frame.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    POINT point = {10, RowCentre()};
    ClientToScreen(mainWnd.list.window, &point);
    ASSERT_LT(point.x, 0);
    std::vector<PopupRecorder::Popup> menus =
        RightClick(MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y)));
    ASSERT_EQ(1u, menus.size());
    EXPECT_EQ(GetSubMenu(GetMenu(mainWnd.window), 1), menus[0].menu);
}

TEST_F(MainWindowContextMenu, FromTheKeyboardOpensNothingEvenWithARowAtMinusOne)
{
    // The first row under the screen point (-2, -2), so that (-1, -1) lies on it too.
    POINT row = {10, RowCentre()};
    ClientToScreen(mainWnd.list.window, &row);
    RECT frame = WindowRect(mainWnd.window);
    SetWindowPos(mainWnd.window, nullptr, frame.left - row.x - 2, frame.top - row.y - 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_EQ(1u, RightClick(MAKELPARAM(0xFFFE, 0xFFFE)).size());
    EXPECT_TRUE(RightClick(-1).empty());
    // A sender that fills only the low 32 bits.
    EXPECT_TRUE(RightClick(static_cast<LPARAM>(0xFFFFFFFFu)).empty());
}

class MainWindowOptions : public MainWindow {
protected:
    void SetUp() override {}
    void TearDown() override
    {
        MainWindow::TearDown();
        UseShippedOptions();
    }
};

TEST_F(MainWindowOptions, AFailedLoadIsReportedAndTheWindowOpensAllTheSame)
{
    testfiles::Write("broken.xml", "<option version=");
    CopyFileA(testfiles::Path("broken.xml").c_str(), OptionPath().c_str(), FALSE);
    MainWindow::SetUp();
    ASSERT_TRUE(IsWindow(mainWnd.window));
    ASSERT_EQ(1u, boxes.boxes.size());
    const MessageBoxRecorder::Box& box = boxes.boxes[0];
    EXPECT_EQ("設定の読み込みに失敗しました。\n" + mainWnd.data.option.GetMessageText(), box.text);
    EXPECT_NE("設定の読み込みに失敗しました。\n", box.text);
    EXPECT_EQ("エラー", box.caption);
    EXPECT_EQ(0x10030u, box.flags);
    EXPECT_EQ(mainWnd.window, box.owner);
    EXPECT_NE(nullptr, mainWnd.list.window);
}

TEST_F(MainWindowOptions, AMissingFileIsCreatedEmptyAndReported)
{
    DeleteFileA(OptionPath().c_str());
    MainWindow::SetUp();
    ASSERT_TRUE(IsWindow(mainWnd.window));
    EXPECT_EQ(1u, boxes.boxes.size());
    EXPECT_TRUE(std::filesystem::exists(OptionPath()));
    EXPECT_EQ(0u, std::filesystem::file_size(OptionPath()));
}

TEST_F(MainWindowOptions, TheShippedFileLoadsWithoutAMessage)
{
    UseShippedOptions();
    MainWindow::SetUp();
    EXPECT_TRUE(boxes.boxes.empty());
}

// Run in a child process that may not load the stylesheet component.
TEST_F(MainWindow, BatchRenameIsGreyWithoutTheXmlEngine)
{
    if (!std::getenv("TV_NO_XML_ENGINE")) {
        EXPECT_EQ(0u, MenuState(ID_EDIT_BATCH_RENAME) & MF_GRAYED);
        EXPECT_EQ(0u, MenuState(ID_EDIT_BATCH_PREVIEW) & MF_GRAYED);
        return;
    }
    EXPECT_EQ(static_cast<UINT>(MF_GRAYED), MenuState(ID_EDIT_BATCH_RENAME) & MF_GRAYED);
    EXPECT_EQ(static_cast<UINT>(MF_GRAYED), MenuState(ID_EDIT_BATCH_PREVIEW) & MF_GRAYED);
    EXPECT_EQ(0u, MenuState(ID_EDIT_RENAME) & MF_GRAYED);
}

TEST(MainWindowXmlEngine, WithoutTheComponentTheBatchRenameIsGrey)
{
    if (!childprocess::UnderWine())
        GTEST_SKIP() << "the component can be withheld only under Wine";
    childprocess::Outcome child =
        childprocess::RunOwnTestsWithout("msxml3", "MainWindow.BatchRenameIsGrey*", {"TV_NO_XML_ENGINE=1"});
    EXPECT_EQ(0, child.exitCode);
    EXPECT_EQ(std::vector<std::string>{"MainWindow.BatchRenameIsGreyWithoutTheXmlEngine"}, child.completed);
}

// The manifest's common controls are the side-by-side assembly of version 6, not the file of the
// system folder.
TEST(Manifest, TheCommonControlsInUseAreVersionSix)
{
    char path[MAX_PATH] = {};
    ASSERT_NE(0u, GetModuleFileNameA(GetModuleHandleA("comctl32.dll"), path, MAX_PATH));
    std::string loaded = path;
    for (char& c : loaded)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_NE(std::string::npos, loaded.find("\\winsxs\\")) << path;
    EXPECT_NE(std::string::npos, loaded.find("common-controls_6595b64144ccf1df_6.")) << path;
}
