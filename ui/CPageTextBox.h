#pragma once
#include "framework/CEditBox.h"

// The read-only text box of a property page. The focus that the dialog manager gives it (as the
// sheet opens, or by Tab) leaves its caret where it is, at the start of a text just shown,
// instead of selecting the whole text, which scrolls it to its end.
class CPageTextBox : public CEditBox {
public:
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
};
