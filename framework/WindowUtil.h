#pragma once
#include <windows.h>

// Registers a window class of the program (StaticWindowProc, the program's module, no extra
// bytes); menuId 0 for none. The atom, 0 on failure.
ATOM RegisterWindowClass(const char* className, UINT style, HICON icon, HICON smallIcon,
                         HCURSOR cursor, HBRUSH background, WORD menuId);

// Moves window to the centre of reference, kept inside the work area. Nothing when either
// window's rectangle cannot be read.
void CenterWindow(HWND reference, HWND window);
