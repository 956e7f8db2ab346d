#pragma once
#include <windows.h>

// The one window procedure of the program: the procedure of every window class it registers,
// the dialog procedure of its dialogs and the subclass procedure of its controls. It finds the
// object bound to the window (which the "CPP_CLASS" property names too) and hands it the message.
LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The root of the window classes: binds one object to one window. The binding starts at
// WM_NCCREATE, WM_CREATE or WM_INITDIALOG (or by Attach) and ends after WM_DESTROY.
class CWndBase {
public:
    CWndBase() = default;
    // Unbinds a window that is still bound (the window itself stays), so that it never reaches a
    // destroyed object.
    virtual ~CWndBase();
    CWndBase(const CWndBase&) = delete;
    CWndBase& operator=(const CWndBase&) = delete;

    // Binds the object to the window; a window of another class procedure is subclassed. An
    // object that is already bound is detached first; so is another object bound to the window.
    bool Attach(HWND handle);
    // Gives the window its replaced procedure back and removes the property; false when unbound.
    bool Detach();
    // The default handling: the replaced procedure, else DefWindowProcA (0 for a dialog).
    virtual LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window = nullptr;
    // The window or dialog procedure that the binding replaced; null when none was replaced.
    WNDPROC previousProc = nullptr;
    bool isDialog = false;
};
