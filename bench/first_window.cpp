// Part of the start-up benchmark, run under Wine: starts each program (a build of tallyvane.exe)
// RUNS times, the programs in turn, and measures the time from CreateProcess to its shown main
// window; closes the window and waits for the program and its single-instance lock to go before
// the next start. Prints each program's median and times in ms.
//   first_window.exe RUNS PROGRAM...
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char kMainClass[] = "Tallyvane";
const char kInstanceLock[] = "Tallyvane";

struct Search {
    DWORD process;
    HWND window;
};

BOOL CALLBACK FindShownWindow(HWND window, LPARAM parameter)
{
    Search* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (owner == search->process && IsWindowVisible(window) &&
        std::string(className) == kMainClass) {
        search->window = window;
        return FALSE;
    }
    return TRUE;
}

// Milliseconds to the first shown window, or -1 when the program did not show one in 30 s.
double TimeOneStart(const std::string& program)
{
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return -1;
    Search search = {process.dwProcessId, nullptr};
    double elapsed = 0;
    while (!search.window && elapsed < 30000) {
        EnumWindows(FindShownWindow, reinterpret_cast<LPARAM>(&search));
        QueryPerformanceCounter(&now);
        elapsed = 1000.0 * (now.QuadPart - start.QuadPart) / frequency.QuadPart;
        if (!search.window)
            Sleep(1);
    }
    if (search.window)
        PostMessageA(search.window, WM_CLOSE, 0, 0);
    else
        TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 30000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return search.window ? elapsed : -1;
}

void WaitUntilNoInstance()
{
    for (int i = 0; i < 500; ++i) {
        HANDLE lock = OpenMutexA(SYNCHRONIZE, FALSE, kInstanceLock);
        if (!lock)
            return;
        CloseHandle(lock);
        Sleep(10);
    }
}

}

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: first_window RUNS PROGRAM...\n");
        return 2;
    }
    std::vector<std::vector<double>> times(argc - 2);
    for (int run = 0; run < std::atoi(argv[1]); ++run) {
        for (int program = 2; program < argc; ++program) {
            WaitUntilNoInstance();
            double time = TimeOneStart(argv[program]);
            if (time < 0) {
                std::fprintf(stderr, "%s showed no main window\n", argv[program]);
                return 1;
            }
            times[program - 2].push_back(time);
        }
    }
    for (int program = 2; program < argc; ++program) {
        std::vector<double>& these = times[program - 2];
        std::sort(these.begin(), these.end());
        std::printf("%s\n  median %.1f ms:", argv[program],
                    (these[(these.size() - 1) / 2] + these[these.size() / 2]) / 2);
        for (double time : these)
            std::printf(" %.1f", time);
        std::printf("\n");
    }
    return 0;
}
