// The record search under Wine, Edit > Find over every row of the main window.
//   find_records speed [COUNT] [BODY]
//                                 (10,000) records of the castle-duel sample (settings of 2.6 KB)
//                                 whose bodies are BODY KiB (0, the default: the sample's own,
//                                 about 12 KB): the first search beside decoding the same records'
//                                 settings alone (goal: at most 1.2 times), and a second search
//                                 over the same rows beside the first (goal: at most a tenth).
//                                 Each of six turns runs in a process of its own with the main
//                                 window's rows (find_records turn ...), decoding copies of the
//                                 rows' records first in three and last in the other three; the best
//                                 turn of each, by the clock and in the processor time.
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

// Answers the search dialog with text as soon as it shows; answered: when it clicked OK.
class FindAnswer {
public:
    explicit FindAnswer(const std::string& text)
        : visitor("検索", [this, text](HWND dialog) {
              SetDlgItemTextA(dialog, IDC_FIND_TEXT, text.c_str());
              answered = Now();
              PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                           reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
          })
    {
    }
    double answered = 0;
    DialogVisitor visitor;
};

// The time the process has run on a processor, its own code and the system's for it: the
// machine's other work weighs on it far less than on the clock.
double ProcessorTime()
{
    FILETIME creation, exit, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user);
    auto seconds = [](const FILETIME& time) {
        return static_cast<double>(static_cast<uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

struct Cost {
    double clock;
    double processor;
};

// The lesser of each.
void KeepBest(Cost& best, const Cost& cost, bool first)
{
    if (first || cost.clock < best.clock)
        best.clock = cost.clock;
    if (first || cost.processor < best.processor)
        best.processor = cost.processor;
}

// One search of the main window's rows for text: by the clock from the click on OK in the search
// dialog to the end of the command, by the processor time of the whole command (the search
// dialog waits without it). found: the number of rows selected afterwards.
Cost Search(CMainWnd& mainWnd, const std::string& text, int& found)
{
    FindAnswer find(text);
    double processor = ProcessorTime();
    SendMessageA(mainWnd.window, WM_COMMAND, ID_EDIT_FIND, 0);
    Cost cost = {Now() - find.answered, ProcessorTime() - processor};
    found = mainWnd.list.GetSelectedCount();
    return cost;
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

const char kSpeedFolder[] = "tv_bench_find";

// A folder of the temporary folder as it is, ending with a backslash.
std::string TemporaryFolder(const char* name)
{
    char temporary[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temporary);
    return std::string(temporary) + name + "\\";
}

// One turn in a process of its own, with the main window's rows: decoding copies of the rows'
// records (settings alone) and the two searches, in the order given, decodeFirst or searchFirst.
// A process that has decoded thousands of bodies allocates their successors more slowly, so the
// order changes from turn to turn. Writes the costs to result: clock and processor time of the
// decoding, the first and the second search, and the rows that the searches found.
int Turn(const std::string& order, int count, const std::string& result)
{
    std::vector<std::string> paths = Paths(TemporaryFolder(kSpeedFolder), count);
    char wanted[64];
    wsprintfA(wanted, "alice%05d 王殺し", count / 2);
    CMainWnd mainWnd;
    if (!windowbench::OpenMainWindow(mainWnd, paths))
        return 1;
    MessageBoxRecorder boxes;
    std::vector<CRecord> copies;
    for (const auto& entry : mainWnd.data.records)
        copies.push_back(entry.second);
    Cost decode = {}, first = {}, second = {};
    int found[2] = {};
    auto decodeCopies = [&] {
        double start = Now();
        double processor = ProcessorTime();
        for (CRecord& record : copies)
            record.GetSettingsAlone();
        decode = {Now() - start, ProcessorTime() - processor};
        copies.clear();
    };
    if (order == "decodeFirst")
        decodeCopies();
    first = Search(mainWnd, wanted, found[0]);
    second = Search(mainWnd, wanted, found[1]);
    if (order != "decodeFirst")
        decodeCopies();
    windowbench::CloseMainWindow(mainWnd);
    FILE* out = std::fopen(result.c_str(), "w");
    if (!out)
        return 1;
    std::fprintf(out, "%.9f %.9f %.9f %.9f %.9f %.9f %d %d\n", decode.clock, decode.processor, first.clock,
                 first.processor, second.clock, second.processor, found[0], found[1]);
    std::fclose(out);
    return 0;
}

// Runs a turn in a new process of this program: the costs of the decoding, the first and the
// second search.
bool RunTurn(const std::string& order, int count, Cost costs[3], int found[2])
{
    std::string result = TemporaryFolder(kSpeedFolder) + "turn.txt";
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = "\"" + std::string(self) + "\" turn " + order + " " + std::to_string(count) + " \"" + result + "\"";
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
    bool read = std::fscanf(in, "%lf %lf %lf %lf %lf %lf %d %d", &costs[0].clock, &costs[0].processor, &costs[1].clock,
                            &costs[1].processor, &costs[2].clock, &costs[2].processor, &found[0], &found[1]) == 8;
    std::fclose(in);
    DeleteFileA(result.c_str());
    return read;
}

int Speed(int count, size_t bodySize)
{
    std::string folder = windowbench::Folder(kSpeedFolder);
    std::vector<std::string> paths = Paths(folder, count);
    for (int i = 0; i < count; ++i) {
        char player[32];
        wsprintfA(player, "Alice%05d", i);
        windowbench::WriteAll(paths[static_cast<size_t>(i)], windowbench::CastleDuel(player, bodySize));
    }

    const int kRounds = 6;
    Cost decode = {}, first = {}, second = {};
    int found[2] = {};
    for (int round = 0; round < kRounds; ++round) {
        Cost costs[3] = {};
        if (!RunTurn(round % 2 == 0 ? "decodeFirst" : "searchFirst", count, costs, found))
            return 1;
        KeepBest(decode, costs[0], round == 0);
        KeepBest(first, costs[1], round == 0);
        KeepBest(second, costs[2], round == 0);
    }

    double perRecord = 1000.0 / count;
    std::string body = bodySize > 0 ? std::to_string(bodySize / 1024) + " KiB" : "about 12 KB";
    std::printf("search of %d records of the castle-duel sample, bodies of %s (under Wine, ms per record, the best "
                "of %d turns; by the clock, and in processor time)\n",
                count, body.c_str(), kRounds);
    std::printf("  decoding the settings alone:  %8.4f  %8.4f\n", decode.clock * perRecord, decode.processor * perRecord);
    std::printf("  first search:                 %8.4f  %8.4f  (%d found)\n", first.clock * perRecord,
                first.processor * perRecord, found[0]);
    std::printf("  second search:                %8.4f  %8.4f  (%d found)\n", second.clock * perRecord,
                second.processor * perRecord, found[1]);
    std::printf("  first search / decoding:  %.3f  %.3f (goal: at most 1.2)\n", first.clock / decode.clock,
                first.processor / decode.processor);
    std::printf("  second search / first:    %.3f  %.3f (goal: at most 0.1)\n", second.clock / first.clock,
                second.processor / first.processor);
    windowbench::Folder(kSpeedFolder);
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
    std::vector<std::string> paths = Paths(TemporaryFolder(kMemoryFolder), count);
    CMainWnd mainWnd;
    if (!windowbench::OpenMainWindow(mainWnd, paths))
        return 1;
    MessageBoxRecorder boxes;
    PROCESS_MEMORY_COUNTERS before = Memory();
    int found = 0;
    double time = Search(mainWnd, "alice00001", found).clock;
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
    if (mode == "turn" && argc > 4)
        return Turn(argv[2], std::atoi(argv[3]), argv[4]);
    if (mode == "make")
        return Make(count > 0 ? count : 2000);
    if (mode == "memory")
        return MeasureMemory(count > 0 ? count : 2000);
    size_t body = argc > 3 ? static_cast<size_t>(std::atoi(argv[3])) * 1024 : 0;
    return Speed(count > 0 ? count : 10000, body);
}
