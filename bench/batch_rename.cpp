// The batch rename under Wine: a run over COUNT (1,000) records with the shipped Rename.xsl and
// the system's stylesheet engine, beside the same parts run alone on a copy of the records in the
// same process: decoding, translation and the temporary file, the transform, the move. Parts and
// run take turns twice, each on fresh copies, and the faster of each pair counts, so that a
// passing load on the machine weighs on neither side alone.
//   batch_rename [COUNT]
#include "WindowBench.h"

#include "MessageBoxRecorder.h"
#include "framework/CXmlTransform.h"
#include "framework/TempFile.h"
#include "framework/TextFile.h"
#include "options/COption.h"
#include "options/RecordDocuments.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using windowbench::Now;

namespace {

struct Parts {
    double decode = 0;
    double document = 0;
    double transform = 0;
    double move = 0;
    double Sum() const { return decode + document + transform + move; }
};

// Each part for every file of the list, one file after another, as the run does them.
Parts RunParts(const std::string& folder, const std::vector<std::string>& names)
{
    COption option;
    option.Load(windowbench::ProgramFolder() + "option.xml");
    CXmlTransform transform;
    std::string stylesheet = windowbench::ProgramFolder() + "Rename.xsl";
    std::string temporary = MakeTempFileName("");
    Parts parts;
    for (const std::string& name : names) {
        double start = Now();
        CRecord record;
        record.Load(folder + name);
        record.GetGameSettings();
        double decoded = Now();
        WriteTextFile(temporary, MakeRenameDocument(record, option));
        double written = Now();
        transform.Transform(temporary.c_str(), stylesheet.c_str());
        double transformed = Now();
        MoveFileA((folder + name).c_str(), (folder + transform.resultText + ".rec").c_str());
        double moved = Now();
        parts.decode += decoded - start;
        parts.document += written - decoded;
        parts.transform += transformed - written;
        parts.move += moved - transformed;
    }
    DeleteFileA(temporary.c_str());
    return parts;
}

int CountRenamed(const std::string& folder)
{
    int renamed = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "2003-*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do
        ++renamed;
    while (FindNextFileA(search, &found));
    FindClose(search);
    return renamed;
}

// COUNT records of their own, read once so that no measurement pays for the first reading.
std::vector<std::string> WriteRecords(const std::string& folder, int count)
{
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        char name[32], player[32];
        wsprintfA(name, "r%04d.rec", i);
        wsprintfA(player, "Alice%04d", i);
        windowbench::WriteAll(folder + name, windowbench::CastleDuel(player, 0));
        windowbench::ReadAll(folder + name);
        names.push_back(name);
    }
    return names;
}

// The batch rename command over every file of the list, from its progress dialog to its end.
double RunCommand(const std::string& folder, const std::vector<std::string>& names, int* renamed)
{
    std::vector<std::string> paths;
    for (const std::string& name : names)
        paths.push_back(folder + name);
    CMainWnd mainWnd;
    if (!windowbench::OpenMainWindow(mainWnd, paths))
        return 0;
    MessageBoxRecorder boxes(IDYES);
    windowbench::ProgressOpening opening;
    SendMessageA(mainWnd.window, WM_COMMAND, ID_EDIT_BATCH_RENAME, 0);
    double run = Now() - opening.time;
    windowbench::CloseMainWindow(mainWnd);
    *renamed = CountRenamed(folder);
    return run;
}

}

int main(int argc, char** argv)
{
    int count = argc > 1 ? std::atoi(argv[1]) : 1000;
    Parts parts;
    double run = 0;
    int partsRenamed = 0, runRenamed = 0;
    for (int round = 0; round < 2; ++round) {
        std::string partsFolder = windowbench::Folder("tv_bench_batch_parts");
        Parts those = RunParts(partsFolder, WriteRecords(partsFolder, count));
        if (round == 0 || those.Sum() < parts.Sum())
            parts = those;
        partsRenamed = CountRenamed(partsFolder);
        std::string runFolder = windowbench::Folder("tv_bench_batch_run");
        double that = RunCommand(runFolder, WriteRecords(runFolder, count), &runRenamed);
        if (round == 0 || that < run)
            run = that;
    }
    windowbench::Folder("tv_bench_batch_run");
    windowbench::Folder("tv_bench_batch_parts");

    double perRecord = 1000.0 / count;
    std::printf("batch rename of %d records (under Wine, ms per record, the faster of two turns)\n", count);
    std::printf("  the run:                          %8.3f  (%d of %d renamed)\n", run * perRecord, runRenamed, count);
    std::printf("  parts alone: decode               %8.3f\n", parts.decode * perRecord);
    std::printf("               translation and file %8.3f\n", parts.document * perRecord);
    std::printf("               transform            %8.3f\n", parts.transform * perRecord);
    std::printf("               move                 %8.3f  (%d renamed)\n", parts.move * perRecord, partsRenamed);
    std::printf("               sum                  %8.3f\n", parts.Sum() * perRecord);
    std::printf("  run / sum of parts: %.3f (goal: at most 1.25)\n", run / parts.Sum());
    return 0;
}
