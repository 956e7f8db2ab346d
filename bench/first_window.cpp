// Part of the start-up benchmark, run under Wine: starts the program (tallyvane.exe) RUNS times
// and measures the time from CreateProcess to its shown main window; closes the window and waits
// for the program and its single-instance lock to go before the next run. Prints each time and
// the median in ms.
//   first_window.exe PROGRAM RUNS
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
        std::fprintf(stderr, "usage: first_window PROGRAM RUNS\n");
        return 2;
    }
    std::vector<double> times;
    for (int run = 0; run < std::atoi(argv[2]); ++run) {
        WaitUntilNoInstance();
        double time = TimeOneStart(argv[1]);
        if (time < 0) {
            std::fprintf(stderr, "%s showed no main window\n", argv[1]);
            return 1;
        }
        times.push_back(time);
    }
    std::sort(times.begin(), times.end());
    for (double time : times)
        std::printf("%.1f ", time);
    std::printf("\nmedian %.1f ms\n", (times[(times.size() - 1) / 2] + times[times.size() / 2]) / 2);
    return 0;
}
