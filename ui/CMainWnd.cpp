#include "ui/CMainWnd.h"

#include "framework/CPathParts.h"
#include "framework/CXmlTransform.h"
#include "framework/Messages.h"
#include "framework/WindowUtil.h"
#include "resources/resource.h"

#include <shellapi.h>
#include <windowsx.h>

namespace {

const DWORD kPaneStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
const DWORD kListStyle =
    WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS;
const DWORD kTreeStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP | TVS_HASBUTTONS |
                         TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | TVS_TRACKSELECT;
const int kListId = 100;
const int kTreeId = 101;
// The share of the client width that the left pane takes at first, in percent.
const int kLeftPanePercent = 65;

bool RegisterPaneClass(const char* className)
{
    return RegisterWindowClass(className, CS_HREDRAW | CS_VREDRAW, nullptr, nullptr,
                               LoadCursorA(nullptr, IDC_ARROW),
                               reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), 0) != 0;
}

}

CMainWnd::CMainWnd() : leftInfo(), rightInfo(), listPlacement(), treePlacement()
{
}

LRESULT CMainWnd::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate();
    case WM_DESTROY:
        return OnDestroy();
    case WM_SIZE:
        return OnSize();
    case WM_GETMINMAXINFO:
        return OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
    case WM_CLOSE:
        return OnClose();
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_CONTEXTMENU:
        return OnContextMenu(hwnd, wParam, lParam);
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam));
    case WM_DROPFILES:
        return OnDropFiles(reinterpret_cast<HDROP>(wParam));
    case WM_ACTIVATE:
        return OnActivate(hwnd, wParam, lParam);
    case WM_ENDSESSION:
        return OnEndSession(wParam != FALSE);
    default:
        return CWindow::WindowProc(hwnd, message, wParam, lParam);
    }
}

// Creation

LRESULT CMainWnd::OnCreate()
{
    SetIcon(IDI_TALLYVANE);
    CenterWindow(GetDesktopWindow(), window);
    if (!CreatePanes())
        return -1;
    CreateList();
    CreateTree();
    mainMenu.SetHandle(GetMenu(window));
    if (!IsXmlEngineAvailable()) {
        mainMenu.EnableItem(ID_EDIT_BATCH_RENAME, false);
        mainMenu.EnableItem(ID_EDIT_BATCH_PREVIEW, false);
    }
    DragAcceptFiles(window, TRUE);
    // Wine activates the window already as it is centred, before the list exists.
    if (GetActiveWindow() == window && list.window)
        SetFocus(list.window);
    LoadOptions();
    return 0;
}

bool CMainWnd::CreatePanes()
{
    RECT client = {};
    GetClientRect(window, &client);
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    int left = width * kLeftPanePercent / 100;
    if (!RegisterPaneClass("SplitBaseLeft Class")) {
        ShowError(window, "SplitWndLeft");
        return false;
    }
    if (!RegisterPaneClass("SplitBaseRight Class")) {
        ShowError(window, "SplitWndRight");
        return false;
    }
    leftPane.info = &leftInfo;
    leftPane.minSize = MinimumPaneSize().cx;
    if (!leftPane.Create("SplitBaseLeft Class", "", kPaneStyle, 0, 0, 0, left, height, window, 0))
        return false;
    rightPane.info = &rightInfo;
    if (!rightPane.Create("SplitBaseRight Class", "", kPaneStyle, 0, left, 0, width - left, height,
                          window, 0))
        return false;
    leftInfo = {leftPane.window, window, nullptr, rightPane.window, nullptr};
    rightInfo = {rightPane.window, window, nullptr, nullptr, nullptr};
    listPlacement = {leftPane.window, {0, 0, left - leftPane.barSize, height}};
    treePlacement = {rightPane.window, {0, 0, width - left, height}};
    return true;
}

void CMainWnd::CreateList()
{
    const RECT& r = listPlacement.rect;
    if (!list.Create("SysListView32", "", kListStyle, WS_EX_CLIENTEDGE, r.left, r.top,
                     r.right - r.left, r.bottom - r.top, listPlacement.parent, kListId))
        ShowError(window, "ChildWndLeft");
    leftInfo.content = list.window;
    list.MergeExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT);
    list.SetImageList(IDB_LISTIMAGES, 16, 16, 3, RGB(255, 0, 255));
    list.InsertColumn("ファイル名", 8 * r.right / 12, 0, LVCFMT_LEFT);
    list.InsertColumn("更新日時", 3 * r.right / 12, 1, LVCFMT_LEFT);
    list.InsertColumn("種類", r.right / 11, 2, LVCFMT_LEFT);
}

void CMainWnd::CreateTree()
{
    const RECT& r = treePlacement.rect;
    if (!tree.Create("SysTreeView32", "", kTreeStyle, WS_EX_CLIENTEDGE, r.left, r.top,
                     r.right - r.left, r.bottom - r.top, treePlacement.parent, kTreeId))
        ShowError(window, "ChildWndRight");
    rightInfo.content = tree.window;
    tree.SetImageList(IDB_TREEIMAGES, 16, 16, 7, RGB(255, 0, 0));
}

void CMainWnd::LoadOptions()
{
    if (!data.option.Load(ProgramFolder() + "option.xml"))
        ShowError(window, "設定の読み込みに失敗しました。\n" + data.option.GetMessageText());
}

// The folder of the program's executable, ending with a backslash.
std::string CMainWnd::ProgramFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return CPathParts(path).folder;
}

CRecord* CMainWnd::RecordOfRow(int row)
{
    auto record = data.records.find(static_cast<int32_t>(list.GetItemParam(row)));
    return record == data.records.end() ? nullptr : &record->second;
}

// Messages

LRESULT CMainWnd::OnDestroy()
{
    PostQuitMessage(0);
    return 0;
}

// A run is stopped with its progress dialog, never by closing the window under it (another
// program may send the close even to the disabled window).
LRESULT CMainWnd::OnClose()
{
    if (!runState.active)
        DestroyWindow(window);
    return 0;
}

LRESULT CMainWnd::OnContextMenu(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    // A menu asked for from the keyboard has no point: both coordinates are -1, which a sender
    // may give in the low 32 bits alone. Screens left of or above the primary one have negative
    // coordinates.
    if (LOWORD(lParam) != 0xFFFF || HIWORD(lParam) != 0xFFFF) {
        POINT screen = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        LVHITTESTINFO onList = {};
        onList.pt = screen;
        ScreenToClient(list.window, &onList.pt);
        TVHITTESTINFO onTree = {};
        onTree.pt = screen;
        ScreenToClient(tree.window, &onTree.pt);
        if (list.window && list.SendMsg(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&onList)) >= 0) {
            mainMenu.TrackPopup(window, 1, screen.x, screen.y, 0);
        } else if (tree.window &&
                   tree.SendMsg(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&onTree)) != 0) {
            CMenu menu;
            if (menu.Load(IDR_TREEMENU))
                menu.TrackPopup(window, 0, screen.x, screen.y, 0);
        }
    }
    return CWindow::WindowProc(hwnd, WM_CONTEXTMENU, wParam, lParam);
}

// The frame itself takes no keys: on activation the focus goes on to the list, or to the tree
// when it had the focus as the window was left.
LRESULT CMainWnd::OnActivate(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    HWND focus = GetFocus();
    bool leaving = LOWORD(wParam) == WA_INACTIVE;
    if (leaving && focus && (focus == list.window || focus == tree.window))
        focusWhenInactive = focus;
    LRESULT result = CWindow::WindowProc(hwnd, WM_ACTIVATE, wParam, lParam);
    HWND target = focusWhenInactive && IsWindow(focusWhenInactive) ? focusWhenInactive : list.window;
    if (!leaving && !IsIconic(window) && target)
        SetFocus(target);
    return result;
}
