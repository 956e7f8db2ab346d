// Undo of a batch rename under Wine: COUNT (1,000) records renamed by the batch rename with the
// shipped Rename.xsl, then Edit > Undo, beside a bare loop of the same moves (MoveFileA from the
// new name to the old one, the last renamed first) on the same files in the same folder. Undo and
// loop take turns twice, and the faster of each pair counts, so that a passing load on the
// machine weighs on neither side alone.
//   undo_renames [COUNT]
#include "WindowBench.h"

#include "MessageBoxRecorder.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using windowbench::Now;

namespace {

struct Round {
    double undo = 0;
    double loop = 0;
    int movedBack = 0;
};

int CountIn(const std::string& folder, const char* pattern)
{
    int count = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do
        ++count;
    while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

// The batch renames COUNT fresh records; the undo then times Edit > Undo from the command to its
// end, and the loop the same moves after the files were given their new names again.
Round RunRound(int count)
{
    std::string folder = windowbench::Folder("tv_bench_undo");
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        char name[32], player[32];
        wsprintfA(name, "r%04d.rec", i);
        wsprintfA(player, "Alice%04d", i);
        windowbench::WriteAll(folder + name, windowbench::CastleDuel(player, 0));
        paths.push_back(folder + name);
    }
    Round round;
    CMainWnd mainWnd;
    if (!windowbench::OpenMainWindow(mainWnd, paths))
        return round;
    MessageBoxRecorder boxes(IDYES);
    SendMessageA(mainWnd.window, WM_COMMAND, ID_EDIT_BATCH_RENAME, 0);
    if (mainWnd.renames.Empty())
        return round;
    std::vector<CRenameHistory::File> files = mainWnd.renames.Last().files;
    double start = Now();
    SendMessageA(mainWnd.window, WM_COMMAND, ID_EDIT_UNDO, 0);
    round.undo = Now() - start;
    round.movedBack = CountIn(folder, "r*.rec");
    windowbench::CloseMainWindow(mainWnd);

    for (const CRenameHistory::File& file : files)
        MoveFileA(file.oldPath.c_str(), file.newPath.c_str());
    start = Now();
    for (auto file = files.rbegin(); file != files.rend(); ++file)
        MoveFileA(file->newPath.c_str(), file->oldPath.c_str());
    round.loop = Now() - start;
    return round;
}

}

int main(int argc, char** argv)
{
    int count = argc > 1 ? std::atoi(argv[1]) : 1000;
    Round best;
    for (int turn = 0; turn < 2; ++turn) {
        Round round = RunRound(count);
        if (turn == 0 || round.undo < best.undo) {
            best.undo = round.undo;
            best.movedBack = round.movedBack;
        }
        if (turn == 0 || round.loop < best.loop)
            best.loop = round.loop;
    }
    windowbench::Folder("tv_bench_undo");

    double perFile = 1000.0 / count;
    std::printf("undo of a batch rename of %d files (under Wine, ms per file, the faster of two turns)\n", count);
    std::printf("  Edit > Undo:         %8.3f  (%d of %d moved back)\n", best.undo * perFile, best.movedBack, count);
    std::printf("  bare MoveFileA loop: %8.3f\n", best.loop * perFile);
    std::printf("  undo / loop: %.3f (goal: at most 1.2)\n", best.undo / best.loop);
    return 0;
}
