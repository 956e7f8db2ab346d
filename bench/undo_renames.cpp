// Undo of a batch rename under Wine: COUNT (1,000) records renamed by the batch rename with the
// shipped Rename.xsl, then Edit > Undo, beside a bare loop of the same moves (MoveFileA from the
// new name to the old one, the last renamed first) on the same files. Between turns the files get
// their new names back and the step is offered to Undo again. Undo and loop take turns seven
// times, in alternating order, and the fastest of each counts, so that a passing load on the
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

// The files under the names the batch gave them again.
void Rename(const CRenameHistory::Step& step)
{
    for (const CRenameHistory::File& file : step.files)
        MoveFileA(file.oldPath.c_str(), file.newPath.c_str());
}

double TimeUndo(CMainWnd& mainWnd, const CRenameHistory::Step& step)
{
    Rename(step);
    mainWnd.renames.Push(step);
    double start = Now();
    SendMessageA(mainWnd.window, WM_COMMAND, ID_EDIT_UNDO, 0);
    return Now() - start;
}

double TimeLoop(const CRenameHistory::Step& step)
{
    Rename(step);
    double start = Now();
    for (auto file = step.files.rbegin(); file != step.files.rend(); ++file)
        MoveFileA(file->newPath.c_str(), file->oldPath.c_str());
    return Now() - start;
}

}

int main(int argc, char** argv)
{
    int count = argc > 1 ? std::atoi(argv[1]) : 1000;
    std::string folder = windowbench::Folder("tv_bench_undo");
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        char name[32], player[32];
        wsprintfA(name, "r%04d.rec", i);
        wsprintfA(player, "Alice%04d", i);
        windowbench::WriteAll(folder + name, windowbench::CastleDuel(player, 0));
        paths.push_back(folder + name);
    }
    CMainWnd mainWnd;
    if (!windowbench::OpenMainWindow(mainWnd, paths))
        return 1;
    MessageBoxRecorder boxes(IDYES);
    SendMessageA(mainWnd.window, WM_COMMAND, ID_EDIT_BATCH_RENAME, 0);
    if (mainWnd.renames.Empty())
        return 1;
    CRenameHistory::Step step = mainWnd.renames.Last();
    mainWnd.renames.DropLast();
    int renamed = static_cast<int>(step.files.size());

    double undo = 0;
    double loop = 0;
    int movedBack = 0;
    for (int turn = 0; turn < 7; ++turn) {
        double thatUndo = 0;
        double thatLoop = 0;
        if (turn % 2 == 0) {
            thatUndo = TimeUndo(mainWnd, step);
            movedBack = CountIn(folder, "r*.rec");
            thatLoop = TimeLoop(step);
        } else {
            thatLoop = TimeLoop(step);
            thatUndo = TimeUndo(mainWnd, step);
            movedBack = CountIn(folder, "r*.rec");
        }
        if (turn == 0 || thatUndo < undo)
            undo = thatUndo;
        if (turn == 0 || thatLoop < loop)
            loop = thatLoop;
    }
    windowbench::CloseMainWindow(mainWnd);
    windowbench::Folder("tv_bench_undo");

    double perFile = 1000.0 / count;
    std::printf("undo of a batch rename of %d files (under Wine, ms per file, the fastest of seven turns)\n", count);
    std::printf("  Edit > Undo:         %8.3f  (%d renamed, %d moved back)\n", undo * perFile, renamed, movedBack);
    std::printf("  bare MoveFileA loop: %8.3f\n", loop * perFile);
    std::printf("  undo / loop: %.3f (goal: at most 1.2)\n", undo / loop);
    return 0;
}
