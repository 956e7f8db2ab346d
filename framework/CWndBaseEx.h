#pragma once
#include "framework/CWndBase.h"

// The general operations on the bound window.
class CWndBaseEx : public CWndBase {
public:
    LRESULT SendMsg(UINT message, WPARAM wParam, LPARAM lParam);
    BOOL Show(int command);
    // Repaints the whole client area at once; nothing when unbound.
    void Redraw(bool erase);
    // 0 without a call for a null text.
    int SetText(const char* text);
};
