// The records' own columns of the file list under Wine (View > 記録の内容を列に表示), over COUNT
// (10,000) records of the castle-duel sample with players and maps of their own:
//   record_columns [COUNT] [TURNS]   (10,000, 3)
// Each turn runs in a process of its own (record_columns turn KIND COUNT RESULT); the best turn
// of each figure counts. Half the turns decode the copies first, half last: a process that has
// decoded thousands of bodies allocates their successors more slowly.
//  - open: the bare listing of the folder (as bench/file_list.sh times it), then File > Add
//    folder with the columns on, from the browser's close to the end of the command, which draws
//    the first page: at most 1.3 times the bare listing. Then the list scrolled page by page to
//    its last row, each page with its drawing, beside decoding the settings of the page's new rows
//    alone (copies of their records, each timed): at most 1.2 times, over all pages and page by
//    page (the median and the worst page are shown).
//  - sort: decoding the settings of every record alone (copies), beside the first sort by the
//    map, from the click on its heading to the end of the sort, the records read under the
//    progress dialog: at most 1.3 times; then the same column the other way: at most 20 ms.
//  - memory: the process's working set with the rows listed and drawn without the columns,
//    beside its peak working set after the columns drawn page by page to the last row and a sort
//    by each of them (the search's measure): at most 400 bytes a record more.
#include "WindowBench.h"

#include "MessageBoxRecorder.h"
#include "record/CKarRecord.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

using windowbench::Now;

namespace {

const char* const kMaps[] = {"highland_fords", "twin_rivers", "salt_marsh", "crown_isles", "frost_pass", "ember_wastes", "old_kingdoms"};

// The records lie in the player's saved-game folder, where the browser opens by itself: Wine's
// browser at times refuses to be moved to another folder.
std::string RecordFolder()
{
    return CKarRecord().GetInitialFolder();
}

std::vector<std::string> Paths(int count)
{
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        char name[32];
        wsprintfA(name, "\\tv_columns_%05d.rec", i);
        paths.push_back(RecordFolder() + name);
    }
    return paths;
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

CRecord& RecordOfRow(CMainWnd& mainWnd, int row)
{
    return mainWnd.data.records[static_cast<int32_t>(mainWnd.list.GetItemParam(row))];
}

// The main window on the screen with the columns on; no rows.
bool ShowWindowWithColumns(CMainWnd& mainWnd, const std::vector<std::string>& paths = {})
{
    if (!windowbench::OpenMainWindow(mainWnd, paths))
        return false;
    mainWnd.list.SelectItem(0);
    ShowWindow(mainWnd.window, SW_SHOW);
    UpdateWindow(mainWnd.window);
    return true;
}

// Seconds of decoding each copy's settings alone.
std::vector<double> DecodeEach(std::vector<CRecord>& copies)
{
    std::vector<double> seconds;
    for (CRecord& record : copies) {
        double start = Now();
        record.GetSettingsAlone();
        seconds.push_back(Now() - start);
    }
    return seconds;
}

using Figures = std::map<std::string, double>;

int OpenTurn(int count, bool decodeFirst, Figures& figures)
{
    std::string folder = RecordFolder();
    CMainWnd mainWnd;
    if (!ShowWindowWithColumns(mainWnd))
        return 1;
    SendMessageA(mainWnd.window, WM_COMMAND, ID_VIEW_RECORD_COLUMNS, 0);
    figures["bare"] = windowbench::BareListing(folder);
    {
        windowbench::FolderChoice choice(folder);
        SendMessageA(mainWnd.window, WM_COMMAND, ID_FOLDER_ADD, 0);
        figures["added"] = Now() - choice.closed;
    }
    if (mainWnd.list.GetItemCount() != count) {
        std::printf("the list holds %d rows, not %d\n", mainWnd.list.GetItemCount(), count);
        return 1;
    }
    figures["firstPage"] = mainWnd.columnsMade;

    // Copies of the records as they were listed, in the order of the rows.
    std::vector<CRecord> copies;
    for (int row = 0; row < count; ++row)
        copies.push_back(RecordOfRow(mainWnd, row));
    std::vector<double> decoded;
    if (decodeFirst)
        decoded = DecodeEach(copies);
    // Each page: the rows it made, and its time.
    struct Page {
        std::vector<int> rows;
        double seconds;
    };
    std::vector<Page> pages;
    int perPage = static_cast<int>(mainWnd.list.SendMsg(LVM_GETCOUNTPERPAGE, 0, 0));
    while (static_cast<int>(mainWnd.list.SendMsg(LVM_GETTOPINDEX, 0, 0)) + perPage < count) {
        int top = static_cast<int>(mainWnd.list.SendMsg(LVM_GETTOPINDEX, 0, 0));
        std::vector<bool> madeBefore;
        for (int row = top; row < std::min(count, top + 2 * perPage + 2); ++row)
            madeBefore.push_back(RecordOfRow(mainWnd, row).columns.Made());
        double start = Now();
        mainWnd.list.SendMsg(WM_VSCROLL, SB_PAGEDOWN, 0);
        UpdateWindow(mainWnd.list.window);
        Page page = {{}, Now() - start};
        for (size_t i = 0; i < madeBefore.size(); ++i) {
            int row = top + static_cast<int>(i);
            if (!madeBefore[i] && RecordOfRow(mainWnd, row).columns.Made())
                page.rows.push_back(row);
        }
        pages.push_back(page);
    }
    if (!decodeFirst)
        decoded = DecodeEach(copies);
    std::vector<double> ratios;
    double scrolled = 0, alone = 0;
    for (const Page& page : pages) {
        double pageAlone = 0;
        for (int row : page.rows)
            pageAlone += decoded[static_cast<size_t>(row)];
        if (pageAlone <= 0)
            continue;
        scrolled += page.seconds;
        alone += pageAlone;
        ratios.push_back(page.seconds / pageAlone);
    }
    std::sort(ratios.begin(), ratios.end());
    figures["scrolled"] = scrolled;
    figures["alone"] = alone;
    figures["pages"] = static_cast<double>(ratios.size());
    figures["medianPage"] = ratios.empty() ? 0 : ratios[ratios.size() / 2];
    figures["worstPage"] = ratios.empty() ? 0 : ratios.back();
    figures["made"] = mainWnd.columnsMade;
    windowbench::CloseMainWindow(mainWnd);
    return 0;
}

int SortTurn(int count, bool decodeFirst, Figures& figures)
{
    CMainWnd mainWnd;
    if (!ShowWindowWithColumns(mainWnd, Paths(count)))
        return 1;
    MessageBoxRecorder boxes;
    SendMessageA(mainWnd.window, WM_COMMAND, ID_VIEW_RECORD_COLUMNS, 0);
    std::vector<CRecord> copies;
    for (const auto& entry : mainWnd.data.records)
        copies.push_back(entry.second);
    auto decodeAll = [&] {
        std::vector<double> each = DecodeEach(copies);
        double sum = 0;
        for (double seconds : each)
            sum += seconds;
        figures["decodeAll"] = sum;
    };
    if (decodeFirst)
        decodeAll();
    int column = CMainWnd::kFileListColumns + CColumnTexts::MapName;
    double start = Now();
    ClickColumn(mainWnd, column);
    figures["firstSort"] = Now() - start;
    start = Now();
    ClickColumn(mainWnd, column);
    figures["reverseSort"] = Now() - start;
    if (!decodeFirst)
        decodeAll();
    figures["made"] = mainWnd.columnsMade;
    windowbench::CloseMainWindow(mainWnd);
    return 0;
}

int MemoryTurn(int count, Figures& figures)
{
    CMainWnd mainWnd;
    if (!ShowWindowWithColumns(mainWnd, Paths(count)))
        return 1;
    MessageBoxRecorder boxes;
    PROCESS_MEMORY_COUNTERS before = {};
    GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof(before));
    SendMessageA(mainWnd.window, WM_COMMAND, ID_VIEW_RECORD_COLUMNS, 0);
    UpdateWindow(mainWnd.list.window);
    int perPage = static_cast<int>(mainWnd.list.SendMsg(LVM_GETCOUNTPERPAGE, 0, 0));
    while (static_cast<int>(mainWnd.list.SendMsg(LVM_GETTOPINDEX, 0, 0)) + perPage < count) {
        mainWnd.list.SendMsg(WM_VSCROLL, SB_PAGEDOWN, 0);
        UpdateWindow(mainWnd.list.window);
    }
    for (int column = 0; column < CColumnTexts::kCount; ++column)
        ClickColumn(mainWnd, CMainWnd::kFileListColumns + column);
    PROCESS_MEMORY_COUNTERS after = {};
    GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof(after));
    figures["growth"] = static_cast<double>(after.PeakWorkingSetSize) - static_cast<double>(before.WorkingSetSize);
    figures["privateGrowth"] = static_cast<double>(after.PagefileUsage) - static_cast<double>(before.PagefileUsage);
    double cells = 0;
    for (const auto& entry : mainWnd.data.records) {
        for (int column = 0; column < CColumnTexts::kCount; ++column)
            cells += static_cast<double>(entry.second.columns.View(static_cast<CColumnTexts::Column>(column)).size() + 1);
    }
    figures["cells"] = cells;
    figures["made"] = mainWnd.columnsMade;
    windowbench::CloseMainWindow(mainWnd);
    return 0;
}

int Turn(const std::string& kind, int count, const std::string& result)
{
    Figures figures;
    int failed = kind == "open"          ? OpenTurn(count, true, figures)
                 : kind == "openLast"    ? OpenTurn(count, false, figures)
                 : kind == "sort"        ? SortTurn(count, true, figures)
                 : kind == "sortLast"    ? SortTurn(count, false, figures)
                                         : MemoryTurn(count, figures);
    if (failed)
        return failed;
    FILE* out = std::fopen(result.c_str(), "w");
    if (!out)
        return 1;
    for (const auto& figure : figures)
        std::fprintf(out, "%s %.9f\n", figure.first.c_str(), figure.second);
    std::fclose(out);
    return 0;
}

// Runs a turn in a new process of this program; its figures.
bool RunTurn(const std::string& kind, int count, Figures& figures)
{
    char temporary[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temporary);
    std::string result = std::string(temporary) + "tv_columns_turn.txt";
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = "\"" + std::string(self) + "\" turn " + kind + " " + std::to_string(count) + " \"" + result + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    FILE* in = std::fopen(result.c_str(), "r");
    if (!in)
        return false;
    char name[64];
    double value;
    while (std::fscanf(in, "%63s %lf", name, &value) == 2)
        figures[name] = value;
    std::fclose(in);
    DeleteFileA(result.c_str());
    return true;
}

// The least of each figure over the turns.
void KeepBest(Figures& best, const Figures& figures)
{
    for (const auto& figure : figures) {
        auto kept = best.find(figure.first);
        if (kept == best.end() || figure.second < kept->second)
            best[figure.first] = figure.second;
    }
}

}

int main(int argc, char** argv)
{
    if (argc > 4 && std::string(argv[1]) == "turn")
        return Turn(argv[2], std::atoi(argv[3]), argv[4]);
    int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    int turns = argc > 2 ? std::atoi(argv[2]) : 3;
    std::vector<std::string> paths = Paths(count);
    SHCreateDirectoryExA(nullptr, RecordFolder().c_str(), nullptr);
    for (int i = 0; i < count; ++i) {
        char player[32];
        wsprintfA(player, "Player%05d", (i * 7919) % count);
        windowbench::WriteAll(paths[static_cast<size_t>(i)], windowbench::CastleDuel(player, 0, kMaps[i % 7]));
    }

    Figures open, sort, memory;
    for (int turn = 0; turn < turns; ++turn) {
        Figures figures;
        if (!RunTurn(turn % 2 == 0 ? "open" : "openLast", count, figures))
            return 1;
        KeepBest(open, figures);
        figures.clear();
        if (!RunTurn(turn % 2 == 0 ? "sort" : "sortLast", count, figures))
            return 1;
        KeepBest(sort, figures);
        figures.clear();
        if (!RunTurn("memory", count, figures))
            return 1;
        KeepBest(memory, figures);
    }
    for (const std::string& path : paths)
        DeleteFileA(path.c_str());

    double perFile = 1e6 / count;
    std::printf("the records' own columns of %d records under Wine, the best of %d turns\n", count, turns);
    std::printf("  bare listing and opening:               %8.2f us per file\n", open["bare"] * perFile);
    std::printf("  add folder, columns on, first page:     %8.2f us per file (%.0f records read)\n",
                open["added"] * perFile, open["firstPage"]);
    std::printf("  add folder / bare: %.2f (goal: at most 1.3)\n", open["added"] / open["bare"]);
    std::printf("  scrolling %.0f pages to the last row:    %8.3f s, their rows' settings decoded alone %8.3f s\n",
                open["pages"], open["scrolled"], open["alone"]);
    std::printf("  scrolling / decoding: %.2f over all pages, %.2f the median page, %.2f the worst (goal: at most 1.2)\n",
                open["scrolled"] / open["alone"], open["medianPage"], open["worstPage"]);
    std::printf("  decoding every record's settings alone: %8.3f s\n", sort["decodeAll"]);
    std::printf("  first sort by the map:                  %8.3f s\n", sort["firstSort"]);
    std::printf("  first sort / decoding: %.2f (goal: at most 1.3)\n", sort["firstSort"] / sort["decodeAll"]);
    std::printf("  the same column the other way:          %8.2f ms (goal: at most 20)\n", sort["reverseSort"] * 1000);
    std::printf("  memory growth, every row drawn and sorted: %.0f bytes a record (peak working set), %.0f (private "
                "bytes); the cells hold %.0f (goal: at most 400)\n",
                memory["growth"] / count, memory["privateGrowth"] / count, memory["cells"] / count);
    return 0;
}
