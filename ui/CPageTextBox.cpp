#include "ui/CPageTextBox.h"

LRESULT CPageTextBox::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CEditBox::WindowProc(hwnd, message, wParam, lParam);
    // The dialog manager selects the whole text of a control that says it takes EM_SETSEL.
    if (message == WM_GETDLGCODE)
        result &= ~static_cast<LRESULT>(DLGC_HASSETSEL);
    return result;
}
