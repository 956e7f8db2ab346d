// The file list under Wine, with the main window on the screen.
//   file_list [COUNT] [ROUNDS]   (10000, 5)
// Makes a folder of COUNT recorded files, then, ROUNDS times in turn:
//  - adds the folder with File > Add folder (the folder browser answered; timed from its close
//    to the end of the command): per file, beside the bare loop of FindFirstFileA/FindNextFileA,
//    CreateFileA, GetFileTime and CloseHandle over the same folder (goal: at most 1.3 times);
//  - sorts the rows by each column as a click on its heading does, beside LVM_SORTITEMS with a
//    callback that compares the two record ids alone, both from the same scrambled order of the
//    rows (goal: at most 2 times).
// Medians of the rounds. For comparison it then inserts COUNT rows into a visible list view one by
// one with redrawing on and off, and sorts 1,000 rows by the rows' own texts found with
// LVM_FINDITEM on every comparison.
#include "WindowBench.h"

#include "ReadBackSort.h"
#include "record/CKarRecord.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using readbacksort::CompareByReadingTheList;
using readbacksort::CompareIds;
using windowbench::BareListing;
using windowbench::FolderChoice;
using windowbench::Now;

namespace {

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Orders the rows by a scrambling of their ids: the same order whatever order they were in.
int CALLBACK CompareScrambled(LPARAM id1, LPARAM id2, LPARAM)
{
    auto scrambled = [](LPARAM id) { return (static_cast<unsigned long long>(id) * 2654435761u) % 4294967291u; };
    unsigned long long a = scrambled(id1);
    unsigned long long b = scrambled(id2);
    return a < b ? -1 : a > b ? 1 : 0;
}

// Seconds of one sort of the rows with the callback, starting from the scrambled order.
double SortFromScrambled(CMainWnd& mainWnd, const std::function<void()>& sort)
{
    mainWnd.list.SendMsg(LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&CompareScrambled));
    double start = Now();
    sort();
    return Now() - start;
}

void ClickColumn(CMainWnd& mainWnd, int column)
{
    NMLISTVIEW click = {};
    click.hdr.hwndFrom = mainWnd.list.window;
    click.hdr.idFrom = 100;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = column;
    SendMessageA(mainWnd.window, WM_NOTIFY, 100, reinterpret_cast<LPARAM>(&click));
}

// Seconds to insert count rows into a visible bare list view, one insertion and two text updates
// each, with or without redrawing off around the loop.
double InsertRows(HWND list, int count, bool redrawOff)
{
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    double start = Now();
    if (redrawOff)
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < count; ++i) {
        char name[32];
        wsprintfA(name, "r%05d.rec", i);
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = i;
        item.pszText = name;
        item.lParam = i + 1;
        int row = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        for (int subitem = 1; subitem <= 2; ++subitem) {
            LVITEMA text = {};
            text.iSubItem = subitem;
            text.pszText = const_cast<char*>(subitem == 1 ? "2003/07/14 21:05:09" : "rec");
            SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&text));
        }
        // What the window gets to do between two insertions of a long command.
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
    if (redrawOff) {
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
        UpdateWindow(list);
    }
    return Now() - start;
}

}

int main(int argc, char** argv)
{
    int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    // The records lie in the player's saved-game folder, where the browser opens by itself: Wine's
    // browser at times refuses to be moved to another folder.
    std::string folder = CKarRecord().GetInitialFolder();
    SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
    std::vector<std::string> paths;
    recbuilder::Bytes record = windowbench::CastleDuel("Alice", 0);
    for (int i = 0; i < count; ++i) {
        char name[32];
        wsprintfA(name, "\\tv_bench_%05d.rec", (i * 7919) % count);
        paths.push_back(folder + name);
        windowbench::WriteAll(paths.back(), record);
    }

    CMainWnd mainWnd;
    if (!windowbench::OpenMainWindow(mainWnd))
        return 1;
    ShowWindow(mainWnd.window, SW_SHOW);
    UpdateWindow(mainWnd.window);

    std::vector<double> added, bare, sorted[3], byId[3];
    for (int round = 0; round < rounds; ++round) {
        bare.push_back(BareListing(folder));
        mainWnd.ClearAll();
        FolderChoice choice(folder);
        SendMessageA(mainWnd.window, WM_COMMAND, ID_FOLDER_ADD, 0);
        added.push_back(Now() - choice.closed);
        if (mainWnd.list.GetItemCount() != count) {
            std::printf("the list holds %d rows, not %d\n", mainWnd.list.GetItemCount(), count);
            return 1;
        }
        // Each column's sort and the sort by ids start from the same order of the rows, as the
        // count of comparisons depends on it.
        for (int column = 0; column < 3; ++column) {
            sorted[column].push_back(SortFromScrambled(mainWnd, [&] { ClickColumn(mainWnd, column); }));
            byId[column].push_back(SortFromScrambled(mainWnd, [&] {
                mainWnd.list.SendMsg(LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&CompareIds));
            }));
        }
    }

    double perFile = 1e6 / count;
    std::printf("file list of %d recorded files under Wine, the list visible, median of %d rounds\n",
                count, rounds);
    std::printf("  add folder (after the browser):  %8.2f us per file\n", Median(added) * perFile);
    std::printf("  bare listing and opening:        %8.2f us per file\n", Median(bare) * perFile);
    std::printf("  add folder / bare: %.2f (goal: at most 1.3)\n", Median(added) / Median(bare));
    const char* names[] = {"file name", "time", "type"};
    for (int column = 0; column < 3; ++column)
        std::printf("  sort by %-9s %8.2f ms, by ids alone %8.2f ms: %.2f (goal: at most 2)\n",
                    names[column], Median(sorted[column]) * 1000, Median(byId[column]) * 1000,
                    Median(sorted[column]) / Median(byId[column]));

    HWND list = mainWnd.list.window;
    std::printf("for comparison:\n");
    std::printf("  %d rows into a visible list, redrawing off: %8.3f s\n", count,
                InsertRows(list, count, true));
    std::printf("  %d rows into a visible list, redrawing on:  %8.3f s\n", count,
                InsertRows(list, count, false));
    int few = std::min(count, 1000);
    InsertRows(list, few, true);
    readbacksort::ReadBack readBack = {list, 0, 1};
    double start = Now();
    SendMessageA(list, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&readBack),
                 reinterpret_cast<LPARAM>(&CompareByReadingTheList));
    std::printf("  sort of %d rows finding each row on every comparison: %8.3f s\n", few,
                Now() - start);
    windowbench::CloseMainWindow(mainWnd);
    for (const std::string& path : paths)
        DeleteFileA(path.c_str());
    return 0;
}
