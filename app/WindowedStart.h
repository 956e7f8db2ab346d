#pragma once
#include "ui/CMainWnd.h"

#include <windows.h>

// The main window object, defined beside the entry so that it exists before the single-instance
// lock and goes after it.
extern CMainWnd g_mainWnd;

// Creates and shows the main window and runs the message loop; returns the exit code.
int RunWindowed();

// Registers the main window's class and creates the window; false after telling the user why.
bool CreateMainWindow(CMainWnd& mainWnd);

// The accelerator table of the module; null after telling the user why.
HACCEL LoadMainAccelerators(HINSTANCE module);

// Feeds the thread's messages to the windows, their dialogs and the accelerators of mainWindow
// until WM_QUIT; returns its wParam.
int RunMessageLoop(HWND mainWindow, HACCEL accelerators);
