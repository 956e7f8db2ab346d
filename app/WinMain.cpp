#include "app/CMutex.h"
#include "app/CommandLine.h"
#include "app/WindowedStart.h"

#include <windows.h>

#include <commctrl.h>

CMainWnd g_mainWnd;

namespace {
CMutex g_instanceLock;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    InitCommonControls();
    if (g_instanceLock.Acquire("Tallyvane") != 0)
        return 0;
    if (RunCommandLine())
        return 0;
    return RunWindowed();
}
