#pragma once
#include "framework/CWndBaseEx.h"

// A control (a dialog item or a child control) that keeps its own class procedure: binding
// subclasses it, and what the object leaves alone goes to that procedure.
class CControlBase : public CWndBaseEx {
public:
    // false at once when the object is bound, or when no control was made.
    bool Create(const char* className, const char* title, DWORD style, DWORD exStyle, int x, int y,
                int width, int height, HWND parent, int id);
    // Binds the dialog's item; false for a null dialog or an id that the dialog lacks.
    bool AttachDlgItem(HWND dialog, int id);
    // 0 without a call when unbound or for a null text.
    int SetText(const char* text);
};
