// The export under Wine: a run over COUNT (200) records whose bodies are 1 MiB each, beside
// decoding the same records alone in the same process. Decoding and run take turns twice, and
// the faster of each pair counts, so that a passing load on the machine weighs on neither side
// alone.
//   export_records [COUNT]
#include "WindowBench.h"

#include "DialogVisitor.h"
#include "MessageBoxRecorder.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using windowbench::Now;

namespace {

double DecodeAlone(const std::vector<std::string>& paths)
{
    double start = Now();
    for (const std::string& path : paths) {
        CRecord record;
        record.Load(path);
        record.GetGameSettings();
    }
    return Now() - start;
}

// The export command over every file of the list into output, from its progress dialog to the
// written file.
double RunCommand(const std::vector<std::string>& paths, const std::string& output)
{
    CMainWnd mainWnd;
    if (!windowbench::OpenMainWindow(mainWnd, paths))
        return 0;
    MessageBoxRecorder boxes(IDYES);
    DialogVisitor save(
        [](HWND window) { return GetDlgItem(window, 0x480) || GetDlgItem(window, 0x47c); },
        [&](HWND dialog) {
            HWND edit = GetDlgItem(dialog, 0x480);
            SetWindowTextA(edit ? edit : GetDlgItem(dialog, 0x47c), output.c_str());
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        });
    windowbench::ProgressOpening opening;
    SendMessageA(mainWnd.window, WM_COMMAND, ID_EXPORT_XML, 0);
    double run = Now() - opening.time;
    windowbench::CloseMainWindow(mainWnd);
    return run;
}

}

int main(int argc, char** argv)
{
    int count = argc > 1 ? std::atoi(argv[1]) : 200;
    std::string folder = windowbench::Folder("tv_bench_export");
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        char name[32], player[32];
        wsprintfA(name, "r%04d.rec", i);
        wsprintfA(player, "Alice%04d", i);
        windowbench::WriteAll(folder + name, windowbench::CastleDuel(player, 1u << 20));
        paths.push_back(folder + name);
    }
    for (const std::string& path : paths)
        windowbench::ReadAll(path);

    std::string output = folder + "export.xml";
    double decode = 0, run = 0;
    for (int round = 0; round < 2; ++round) {
        double alone = DecodeAlone(paths);
        decode = round == 0 || alone < decode ? alone : decode;
        double that = RunCommand(paths, output);
        run = round == 0 || that < run ? that : run;
    }

    double perRecord = 1000.0 / count;
    std::printf("export of %d records with 1 MiB bodies (under Wine, ms per record, the faster of two turns)\n", count);
    std::printf("  the run (to the written file): %8.3f  (%zu bytes written)\n", run * perRecord,
                windowbench::ReadAll(output).size());
    std::printf("  decoding alone:                %8.3f\n", decode * perRecord);
    std::printf("  run / decoding: %.3f (goal: at most 1.2)\n", run / decode);
    windowbench::Folder("tv_bench_export");
    return 0;
}
