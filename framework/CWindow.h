#pragma once
#include "framework/CWndBaseEx.h"

// A window of a class that the program registered (RegisterWindowClass): it is bound at
// WM_NCCREATE through its creation parameter.
class CWindow : public CWndBaseEx {
public:
    // false at once when the object is bound, or when no window was made. menuOrId is the menu
    // of a top-level window or the id of a child window.
    bool Create(const char* className, const char* title, DWORD style, DWORD exStyle, int x, int y,
                int width, int height, HWND parent, UINT_PTR menuOrId);
    void Destroy();
    // The small icon from the program's own icon resource; true when the window had one before.
    bool SetIcon(WORD iconId);
};
