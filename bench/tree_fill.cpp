// Cost of showing a record in the tree, under Wine, with the main window on the screen.
//   tree_fill [ROUNDS]   fills the tree from a typical record (about 100 items) and from one of
//                        10,000 items, ROUNDS (5) times each, and in the same run inserts the same
//                        items into a bare tree view with redrawing off; prints both per item and
//                        their ratio. Then it inserts the typical record's items into a visible
//                        tree as they come, expanding each parent after each child (the fill
//                        without redraw suppression), for comparison.
#include "framework/WindowUtil.h"
#include "resources/resource.h"
#include "ui/CMainWnd.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double Seconds()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Settings of players with a few values each; with every item shown, elements and their texts
// give two items each, attributes one.
std::string Settings(int players)
{
    std::string text = "<GameSettings><GameType>0</GameType><MapName>Highland</MapName>";
    for (int i = 0; i < players; ++i)
        text += "<Player id=\"" + std::to_string(i) + "\"><Name>P" + std::to_string(i) +
                "</Name><Civ>3</Civ><Team>1</Team></Player>";
    return text + "</GameSettings>";
}

// The items of a filled tree in order, with their parent's position (-1 for the root).
struct Item {
    std::string text;
    int parent;
};

std::vector<Item> Items(CTreeView& tree)
{
    std::vector<Item> items;
    std::vector<std::pair<HTREEITEM, int>> pending{{tree.GetRoot(), -1}};
    while (!pending.empty()) {
        auto [item, parent] = pending.back();
        pending.pop_back();
        std::string text;
        tree.GetItem(item, text);
        items.push_back({text, parent});
        int self = static_cast<int>(items.size()) - 1;
        std::vector<HTREEITEM> children;
        for (HTREEITEM child = tree.GetChild(item); child; child = TreeView_GetNextSibling(tree.window, child))
            children.push_back(child);
        for (auto child = children.rbegin(); child != children.rend(); ++child)
            pending.push_back({*child, self});
    }
    return items;
}

// Inserts the items into a tree; with expand, each parent is expanded after each child.
double Insert(HWND tree, const std::vector<Item>& items, bool redrawOff, bool expand)
{
    double start = Seconds();
    if (redrawOff)
        SendMessageA(tree, WM_SETREDRAW, FALSE, 0);
    std::vector<HTREEITEM> made;
    for (const Item& item : items) {
        TVINSERTSTRUCTA insert = {};
        insert.hParent = item.parent < 0 ? TVI_ROOT : made[item.parent];
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
        insert.item.pszText = const_cast<char*>(item.text.c_str());
        insert.item.iImage = 1;
        insert.item.iSelectedImage = 2;
        made.push_back(reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert))));
        if (expand && item.parent >= 0)
            SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(made[item.parent]));
    }
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(made[0]));
    if (redrawOff) {
        SendMessageA(tree, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(tree, nullptr, TRUE);
    }
    UpdateWindow(tree);
    Pump();
    return Seconds() - start;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}

int main(int argc, char** argv)
{
    int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
    InitCommonControls();
    RegisterWindowClass("TallyvaneBench", CS_HREDRAW | CS_VREDRAW, nullptr, nullptr,
                        LoadCursorA(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1),
                        IDR_MAINMENU);
    static CMainWnd mainWnd;
    if (!mainWnd.Create("TallyvaneBench", "Tallyvane Version 0.12", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                        0, 0, 0, 1000, 700, nullptr, 0))
        return 1;
    ShowWindow(mainWnd.window, SW_SHOW);
    Pump();
    mainWnd.mainMenu.CheckItem(ID_TREE_SHOW_ALL, true);
    HWND bare = CreateWindowExA(WS_EX_CLIENTEDGE, "SysTreeView32", "", 0x52010227, 0, 0, 300, 600,
                                mainWnd.window, nullptr, nullptr, nullptr);

    std::printf("%-22s %8s %12s %12s %12s %7s\n", "record", "items", "fill s", "fill us/item",
                "bare us/item", "ratio");
    std::vector<Item> typical;
    for (int players : {12, 1250}) {
        int32_t id = ++mainWnd.data.lastId;
        CRecord& record = mainWnd.data.records[id];
        record.settings = Settings(players);
        record.formatVersion = "1";
        record.unpacked = true;
        mainWnd.list.DeleteAllItems();
        mainWnd.list.InsertItem("bench.rec", 0, 0, 1, id);
        std::vector<double> fills;
        std::vector<double> bares;
        std::vector<Item> items;
        for (int round = 0; round < rounds; ++round) {
            double start = Seconds();
            mainWnd.ShowRecordInTree(0);
            UpdateWindow(mainWnd.tree.window);
            Pump();
            fills.push_back(Seconds() - start);
            items = Items(mainWnd.tree);
            SendMessageA(bare, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
            bares.push_back(Insert(bare, items, true, false));
        }
        double fill = Median(fills);
        double bareTime = Median(bares);
        double count = static_cast<double>(items.size());
        std::printf("%-22s %8zu %12.4f %12.2f %12.2f %7.2f\n", players == 12 ? "typical" : "10,000 items",
                    items.size(), fill, fill * 1e6 / count, bareTime * 1e6 / count, fill / bareTime);
        if (players == 12)
            typical = items;
    }
    SendMessageA(bare, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    double visible = Insert(bare, typical, false, true);
    std::printf("typical record inserted with the tree visible and each parent expanded after "
                "each child, redrawing on: %.3f s, %.0f us/item\n",
                visible, visible * 1e6 / static_cast<double>(typical.size()));
    DestroyWindow(mainWnd.window);
    return 0;
}
