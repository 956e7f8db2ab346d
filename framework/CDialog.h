#pragma once
#include "framework/CWindow.h"

// A dialog from a template of the program's resources; bound at WM_INITDIALOG.
class CDialog : public CWindow {
public:
    // What the dialog passed to EndDialog, or -1 when no dialog was made.
    INT_PTR DoModal(HWND parent, WORD templateId);
    // The new dialog, already bound, or null.
    HWND CreateModeless(HWND parent, WORD templateId);
    BOOL EndDialog(INT_PTR result);
};
