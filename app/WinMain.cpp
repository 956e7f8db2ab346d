#include "app/CMutex.h"
#include "app/CommandLine.h"
#include "app/WindowedStart.h"

#include <windows.h>

CMainWnd g_mainWnd;

namespace {
CMutex g_instanceLock;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (g_instanceLock.Acquire("Tallyvane") != 0) {
        ReportInstanceRunning();
        return 0;
    }
    if (RunCommandLine())
        return 0;
    return RunWindowed();
}
