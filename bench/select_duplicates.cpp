// Edit > Select duplicate files under Wine, over every row of the main window.
//   select_duplicates [COUNT] [PAIRS]   (2,000, 100)
// Writes COUNT files of about 1 MiB of pseudo-random bytes: PAIRS pairs of equal files, PAIRS pairs
// of files of equal size that differ only in their last byte, and files of sizes of their own.
// The command (from its start to its end: the sizes, the reading, the selection; its progress
// dialog opens only for a longer run) beside the bare loop of CreateFileA, ReadFile and
// CloseHandle over the files of equal size, each once, in the same process (goal: at most 1.3
// times); the two take turns five times and the fastest of each counts, the machine's other work
// weighing least on it.
#include "WindowBench.h"

#include "MessageBoxRecorder.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using windowbench::Now;

namespace {

const size_t kMegabyte = 1u << 20;
const DWORD kBlock = 1u << 20;

std::string Bytes(size_t size, uint32_t seed)
{
    std::string bytes(size, '\0');
    uint32_t state = seed * 2654435761u + 1;
    for (char& c : bytes) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 16);
    }
    return bytes;
}

void Write(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

double ReadAlone(const std::vector<std::string>& paths)
{
    std::vector<char> buffer(kBlock);
    double start = Now();
    for (const std::string& path : paths) {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        DWORD read = 0;
        while (ReadFile(file, buffer.data(), kBlock, &read, nullptr) && read > 0) {
        }
        CloseHandle(file);
    }
    return Now() - start;
}

double RunCommand(const std::vector<std::string>& paths, int& selected)
{
    CMainWnd mainWnd;
    if (!windowbench::OpenMainWindow(mainWnd, paths))
        return 0;
    mainWnd.list.SetItemState(-1, 0, LVIS_SELECTED);
    MessageBoxRecorder boxes;
    double start = Now();
    SendMessageA(mainWnd.window, WM_COMMAND, ID_EDIT_SELECT_DUPLICATES, 0);
    double run = Now() - start;
    selected = mainWnd.list.GetSelectedCount();
    windowbench::CloseMainWindow(mainWnd);
    return run;
}

}

int main(int argc, char** argv)
{
    int count = argc > 1 ? std::atoi(argv[1]) : 2000;
    int pairs = argc > 2 ? std::atoi(argv[2]) : 100;
    std::string folder = windowbench::Folder("tv_bench_duplicates");
    std::vector<std::string> paths;
    std::vector<std::string> sameSize;
    for (int i = 0; i < count; ++i) {
        char name[32];
        wsprintfA(name, "f%05d.rec", i);
        paths.push_back(folder + name);
    }
    // Files 0 to 2 PAIRS - 1 are the first halves of the pairs, the next 2 PAIRS their second
    // halves, in another part of the list; the rest have sizes of their own.
    for (int i = 0; i < count; ++i) {
        size_t index = static_cast<size_t>(i);
        if (i < 4 * pairs) {
            int pair = i % (2 * pairs);
            std::string bytes = Bytes(kMegabyte + static_cast<size_t>(pair), static_cast<uint32_t>(pair));
            if (i >= 2 * pairs && pair >= pairs)
                bytes.back() = static_cast<char>(bytes.back() + 1);
            Write(paths[index], bytes);
            sameSize.push_back(paths[index]);
        } else {
            Write(paths[index], Bytes(kMegabyte + 2 * static_cast<size_t>(pairs) + index, static_cast<uint32_t>(i)));
        }
    }

    double read = 0, run = 0;
    int selected = 0;
    const int kRounds = 5;
    for (int round = 0; round < kRounds; ++round) {
        double alone = ReadAlone(sameSize);
        read = round == 0 || alone < read ? alone : read;
        double that = RunCommand(paths, selected);
        run = round == 0 || that < run ? that : run;
    }

    std::printf("duplicates among %d files of about 1 MiB, %d pairs equal, %d pairs of one size (under Wine, the "
                "fastest of %d turns)\n",
                count, pairs, pairs, kRounds);
    std::printf("  the command:                      %8.1f ms  (%d rows selected)\n", run * 1000, selected);
    std::printf("  reading the %zu files of equal size: %8.1f ms\n", sameSize.size(), read * 1000);
    std::printf("  command / reading: %.3f (goal: at most 1.3)\n", run / read);
    windowbench::Folder("tv_bench_duplicates");
    return 0;
}
