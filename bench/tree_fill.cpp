// Cost of showing a record in the tree, under Wine, with the main window on the screen.
//   tree_fill [ROUNDS]   fills the tree from a typical record (about 100 items) and from one of
//                        10,000 items, with "自動展開する" on and off, ROUNDS (5) times each. In
//                        the same run it inserts the items of each fill into a bare tree view
//                        with redrawing off, in the states the fill gave them (expanded where the
//                        fill expanded), so that both trees show the same rows in the end. The
//                        fill (ShowRecordInTree: deleting the previous tree, parsing, translating,
//                        inserting, redrawing on) and the repaint that shows it are timed apart,
//                        and so are the bare insertion, its repaint and the deletion of the bare
//                        tree's previous items. Prints the medians, per item, and the ratios of
//                        the fill to the bare insertion, without and with that deletion. Then it
//                        inserts the typical record's items into a visible tree as they come,
//                        expanding each parent after each child (the fill without redraw
//                        suppression), for comparison.
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

// The items of a filled tree in order, with their parent's position (-1 for the root), their
// images and whether the fill expanded them.
struct Item {
    std::string text;
    int parent;
    int image;
    int selectedImage;
    bool expanded;
};

std::vector<Item> Items(CTreeView& tree)
{
    std::vector<Item> items;
    std::vector<std::pair<HTREEITEM, int>> pending{{tree.GetRoot(), -1}};
    while (!pending.empty()) {
        auto [item, parent] = pending.back();
        pending.pop_back();
        std::string text;
        TVITEMA record = {};
        tree.GetItem(item, text, &record);
        UINT state = TreeView_GetItemState(tree.window, item, TVIS_EXPANDED);
        items.push_back({text, parent, record.iImage, record.iSelectedImage,
                         (state & TVIS_EXPANDED) != 0});
        int self = static_cast<int>(items.size()) - 1;
        std::vector<HTREEITEM> children;
        for (HTREEITEM child = tree.GetChild(item); child;
             child = TreeView_GetNextSibling(tree.window, child))
            children.push_back(child);
        for (auto child = children.rbegin(); child != children.rend(); ++child)
            pending.push_back({*child, self});
    }
    return items;
}

TVINSERTSTRUCTA InsertRecord(const Item& item, const std::vector<HTREEITEM>& made)
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = item.parent < 0 ? TVI_ROOT : made[item.parent];
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(item.text.c_str());
    insert.item.iImage = item.image;
    insert.item.iSelectedImage = item.selectedImage;
    return insert;
}

// Seconds of a fill or a bare insertion and of the repaint that shows its tree; for the bare
// tree also of emptying it before (a fill's own time includes that).
struct Times {
    double fill;
    double paint;
    double empty;
};

Times Repainted(HWND tree, double start)
{
    double filled = Seconds();
    UpdateWindow(tree);
    Pump();
    return {filled - start, Seconds() - filled, 0};
}

// Empties the bare tree with redrawing off, as the fill does, then inserts the items in their
// states with redrawing off and turns it on.
Times InsertBare(HWND tree, const std::vector<Item>& items)
{
    double emptying = Seconds();
    SendMessageA(tree, WM_SETREDRAW, FALSE, 0);
    SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    double start = Seconds();
    std::vector<HTREEITEM> made;
    made.reserve(items.size());
    for (const Item& item : items) {
        TVINSERTSTRUCTA insert = InsertRecord(item, made);
        if (item.expanded) {
            insert.item.mask |= TVIF_STATE;
            insert.item.state = insert.item.stateMask = TVIS_EXPANDED | TVIS_EXPANDEDONCE;
        }
        made.push_back(reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert))));
    }
    SendMessageA(tree, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(tree, nullptr, TRUE);
    Times times = Repainted(tree, start);
    times.empty = start - emptying;
    return times;
}

// Inserts the items into a visible tree with redrawing on, each parent expanded after each child.
double InsertVisible(HWND tree, const std::vector<Item>& items)
{
    SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    double start = Seconds();
    std::vector<HTREEITEM> made;
    for (const Item& item : items) {
        TVINSERTSTRUCTA insert = InsertRecord(item, made);
        made.push_back(reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert))));
        if (item.parent >= 0)
            SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(made[item.parent]));
    }
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(made[0]));
    UpdateWindow(tree);
    Pump();
    return Seconds() - start;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Medians {
    std::vector<double> fill;
    std::vector<double> paint;
    std::vector<double> empty;
    void Add(const Times& times)
    {
        fill.push_back(times.fill);
        paint.push_back(times.paint);
        empty.push_back(times.empty);
    }
    Times Get() const { return {Median(fill), Median(paint), Median(empty)}; }
};

void PrintTimes(const char* what, const Times& times, double count)
{
    std::printf("    %-36s %7.4f s %7.2f us/item   repaint %7.4f s\n", what, times.fill,
                times.fill * 1e6 / count, times.paint);
}

void PrintRatio(const char* what, double fill, double bare, double filled, double shown)
{
    std::printf("    %-36s %7.2f   with the repaints %5.2f\n", what, fill / bare, filled / shown);
}

// The fill against the bare insertion alone, and against the bare tree emptied before too.
void PrintRatios(const Times& fill, const Times& bare)
{
    double filled = fill.fill + fill.paint;
    double shown = bare.fill + bare.paint;
    PrintRatio("ratio", fill.fill, bare.fill, filled, shown);
    PrintRatio("ratio, the bare tree emptied too", fill.fill, bare.empty + bare.fill, filled,
               bare.empty + shown);
}

}

int main(int argc, char** argv)
{
    int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
    InitCommonControls();
    RegisterWindowClass("TallyvaneBench", CS_HREDRAW | CS_VREDRAW, nullptr, nullptr,
                        LoadCursorA(nullptr, IDC_ARROW),
                        reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1), IDR_MAINMENU);
    static CMainWnd mainWnd;
    if (!mainWnd.Create("TallyvaneBench", "Tallyvane Version 0.12",
                        WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 0, 1000, 700, nullptr, 0))
        return 1;
    ShowWindow(mainWnd.window, SW_SHOW);
    Pump();
    mainWnd.mainMenu.CheckItem(ID_TREE_SHOW_ALL, true);
    // The bare tree has the style, the size and the images of the program's tree.
    RECT pane = {};
    GetWindowRect(mainWnd.tree.window, &pane);
    auto style = static_cast<DWORD>(GetWindowLongPtrA(mainWnd.tree.window, GWL_STYLE));
    HWND bare = CreateWindowExA(WS_EX_CLIENTEDGE, "SysTreeView32", "", style, 0, 0,
                                pane.right - pane.left, pane.bottom - pane.top, mainWnd.window,
                                nullptr, nullptr, nullptr);
    SendMessageA(bare, TVM_SETIMAGELIST, TVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(mainWnd.tree.images.handle));

    std::vector<Item> typical;
    for (int players : {12, 1250}) {
        int32_t id = ++mainWnd.data.lastId;
        CRecord& record = mainWnd.data.records[id];
        record.settings = Settings(players);
        record.formatVersion = "1";
        record.unpacked = true;
        mainWnd.list.DeleteAllItems();
        mainWnd.list.InsertItem("bench.rec", 0, 0, 1, id);
        Times expandedFill = {};
        for (bool autoExpand : {true, false}) {
            mainWnd.mainMenu.CheckItem(ID_TREE_AUTO_EXPAND, autoExpand);
            Medians fills;
            Medians bares;
            std::vector<Item> items;
            for (int round = 0; round < rounds; ++round) {
                double start = Seconds();
                mainWnd.ShowRecordInTree(0);
                fills.Add(Repainted(mainWnd.tree.window, start));
                items = Items(mainWnd.tree);
                bares.Add(InsertBare(bare, items));
            }
            double count = static_cast<double>(items.size());
            std::printf("%s record, %zu items, auto expand %s (medians of %d rounds)\n",
                        players == 12 ? "typical" : "10,000-item", items.size(),
                        autoExpand ? "on" : "off", rounds);
            PrintTimes("fill", fills.Get(), count);
            PrintTimes("bare tree, same items", bares.Get(), count);
            std::printf("    %-36s %7.4f s\n", "bare tree, emptying it before",
                        bares.Get().empty);
            PrintRatios(fills.Get(), bares.Get());
            if (autoExpand) {
                if (players == 12)
                    typical = items;
                expandedFill = fills.Get();
            } else {
                std::printf("    the fill with auto expand against this bare tree with only its "
                            "root expanded: %.2f, with the repaints %.2f\n",
                            expandedFill.fill / bares.Get().fill,
                            (expandedFill.fill + expandedFill.paint) /
                                (bares.Get().fill + bares.Get().paint));
            }
        }
    }
    double visible = InsertVisible(bare, typical);
    std::printf("typical record inserted with the tree visible and each parent expanded after "
                "each child, redrawing on: %.3f s, %.0f us/item\n",
                visible, visible * 1e6 / static_cast<double>(typical.size()));
    DestroyWindow(mainWnd.window);
    return 0;
}
