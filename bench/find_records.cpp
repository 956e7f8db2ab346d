// The record search under Wine, Edit > Find over every row of the main window.
//   find_records speed [COUNT]    (10,000) records of the castle-duel sample (settings of 2.6 KB,
//                                 bodies of 6 KB): the first search beside decoding the same
//                                 records' settings alone in the same process (goal: at most
//                                 1.2 times), and a second search over the same rows beside the
//                                 first (goal: at most a tenth). Faster of two turns each.
//   find_records make [COUNT]     (2,000) records whose bodies are 1 MiB, nearly all map script
//   find_records memory [COUNT]   searches the records that make wrote: the process's peak working
//                                 set after the search beside its working set before (goal: a
//                                 growth of at most twice the settings texts and a few MB).
// bench/find_records.sh runs both; memory runs in a process of its own, so that writing the
// files weighs on no peak.
#include "WindowBench.h"

#include "DialogVisitor.h"
#include "MessageBoxRecorder.h"

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using windowbench::Now;

namespace {

// Answers the search dialog with text as soon as it shows.
class FindAnswer {
public:
    explicit FindAnswer(const std::string& text)
        : visitor("検索", [text](HWND dialog) {
              SetDlgItemTextA(dialog, IDC_FIND_TEXT, text.c_str());
              PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                           reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
          })
    {
    }
    DialogVisitor visitor;
};

// One search of the main window's rows for text, from the opening of its progress dialog to the
// end of the command; the number of rows found.
double Search(CMainWnd& mainWnd, const std::string& text, int& found)
{
    FindAnswer find(text);
    windowbench::ProgressOpening opening;
    SendMessageA(mainWnd.window, WM_COMMAND, ID_EDIT_FIND, 0);
    double time = Now() - opening.time;
    found = mainWnd.list.GetSelectedCount();
    return time;
}

std::vector<std::string> Paths(const std::string& folder, int count)
{
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        char name[32];
        wsprintfA(name, "r%05d.rec", i);
        paths.push_back(folder + name);
    }
    return paths;
}

int Speed(int count)
{
    std::string folder = windowbench::Folder("tv_bench_find");
    std::vector<std::string> paths = Paths(folder, count);
    for (int i = 0; i < count; ++i) {
        char player[32];
        wsprintfA(player, "Alice%05d", i);
        windowbench::WriteAll(paths[static_cast<size_t>(i)], windowbench::CastleDuel(player, 0));
    }
    for (const std::string& path : paths)
        windowbench::ReadAll(path);

    std::string wanted = "alice" + std::to_string(count / 2) + " 王殺し";
    double decode = 0, first = 0, second = 0;
    int foundFirst = 0, foundSecond = 0;
    for (int round = 0; round < 2; ++round) {
        double start = Now();
        for (const std::string& path : paths) {
            CRecord record;
            record.Load(path);
            record.GetSettingsAlone();
        }
        double alone = Now() - start;
        decode = round == 0 || alone < decode ? alone : decode;

        CMainWnd mainWnd;
        if (!windowbench::OpenMainWindow(mainWnd, paths))
            return 1;
        MessageBoxRecorder boxes;
        double that = Search(mainWnd, wanted, foundFirst);
        first = round == 0 || that < first ? that : first;
        that = Search(mainWnd, wanted, foundSecond);
        second = round == 0 || that < second ? that : second;
        windowbench::CloseMainWindow(mainWnd);
    }

    double perRecord = 1000.0 / count;
    std::printf("search of %d records of the castle-duel sample (under Wine, ms per record, the faster of two turns)\n",
                count);
    std::printf("  decoding the settings alone:  %8.4f\n", decode * perRecord);
    std::printf("  first search:                 %8.4f  (%d found)\n", first * perRecord, foundFirst);
    std::printf("  second search:                %8.4f  (%d found)\n", second * perRecord, foundSecond);
    std::printf("  first search / decoding:  %.3f (goal: at most 1.2)\n", first / decode);
    std::printf("  second search / first:    %.3f (goal: at most 0.1)\n", second / first);
    windowbench::Folder("tv_bench_find");
    return 0;
}

const char kMemoryFolder[] = "tv_bench_find_memory";
const size_t kMegabyte = 1u << 20;

// A record of the castle-duel sample whose map script fills its body to 1 MiB.
recbuilder::Bytes MegabyteRecord(const std::string& player)
{
    const char* root = std::getenv("TV_SOURCE_DIR");
    std::string source = std::string(root ? root : windowbench::ProgramFolder() + "..\\..\\..") + "\\samples\\src\\";
    recbuilder::Source record;
    record.settingsXml = windowbench::ReadAll(source + "castle-duel.settings.xml");
    record.settingsXml.replace(record.settingsXml.find("Alice"), 5, player);
    record.trailerSize = 0;
    std::string line = "place_towns 2 // a line of the map script\r\n";
    while (record.mapScript.size() + line.size() < kMegabyte - 16 * 1024)
        record.mapScript += line;
    return recbuilder::Build(record);
}

int Make(int count)
{
    std::string folder = windowbench::Folder(kMemoryFolder);
    std::vector<std::string> paths = Paths(folder, count);
    for (int i = 0; i < count; ++i) {
        char player[32];
        wsprintfA(player, "Alice%05d", i);
        windowbench::WriteAll(paths[static_cast<size_t>(i)], MegabyteRecord(player));
    }
    return 0;
}

PROCESS_MEMORY_COUNTERS Memory()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters;
}

int MeasureMemory(int count)
{
    char temporary[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temporary);
    std::vector<std::string> paths = Paths(std::string(temporary) + kMemoryFolder + "\\", count);
    CMainWnd mainWnd;
    if (!windowbench::OpenMainWindow(mainWnd, paths))
        return 1;
    MessageBoxRecorder boxes;
    PROCESS_MEMORY_COUNTERS before = Memory();
    int found = 0;
    double time = Search(mainWnd, "alice00001", found);
    PROCESS_MEMORY_COUNTERS after = Memory();
    size_t settings = 0, kept = 0, mapScripts = 0, bodies = 0;
    for (auto& entry : mainWnd.data.records) {
        settings += entry.second.settings.size();
        kept += entry.second.searchText.size();
        mapScripts += entry.second.mapScript.size();
        bodies += kMegabyte;
    }
    double megabyte = static_cast<double>(kMegabyte);
    double growth = (static_cast<double>(after.PeakWorkingSetSize) - static_cast<double>(before.WorkingSetSize)) / megabyte;
    std::printf("search of %d records with bodies of 1 MiB (under Wine, %.2f s, %d found)\n", count, time, found);
    std::printf("  working set before:        %8.1f MB (peak so far %.1f MB)\n", before.WorkingSetSize / megabyte,
                before.PeakWorkingSetSize / megabyte);
    std::printf("  peak working set after:    %8.1f MB\n", after.PeakWorkingSetSize / megabyte);
    std::printf("  growth:                    %8.1f MB\n", growth);
    std::printf("  settings texts:            %8.1f MB, search texts kept %.1f MB, map scripts kept %.1f MB\n",
                settings / megabyte, kept / megabyte, mapScripts / megabyte);
    std::printf("  bodies decoded:            %8.1f MB\n", bodies / megabyte);
    std::printf("  growth - 2 x settings:     %8.1f MB (goal: a few MB)\n", growth - 2 * settings / megabyte);
    windowbench::CloseMainWindow(mainWnd);
    windowbench::Folder(kMemoryFolder);
    return 0;
}

}

int main(int argc, char** argv)
{
    std::string mode = argc > 1 ? argv[1] : "speed";
    int count = argc > 2 ? std::atoi(argv[2]) : 0;
    if (mode == "make")
        return Make(count > 0 ? count : 2000);
    if (mode == "memory")
        return MeasureMemory(count > 0 ? count : 2000);
    return Speed(count > 0 ? count : 10000);
}
