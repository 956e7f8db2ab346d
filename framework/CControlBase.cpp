#include "framework/CControlBase.h"

bool CControlBase::Create(const char* className, const char* title, DWORD style, DWORD exStyle,
                          int x, int y, int width, int height, HWND parent, int id)
{
    if (window)
        return false;
    HWND made = CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleA(nullptr), static_cast<CWndBase*>(this));
    return made && Attach(made);
}

// An id that the dialog lacks gives false, not true: a caller can then tell a template that does
// not match its code. The object stays unbound, and every operation of an unbound control does
// nothing, so a dialog goes on without that item.
bool CControlBase::AttachDlgItem(HWND dialog, int id)
{
    if (!dialog)
        return false;
    return Attach(GetDlgItem(dialog, id));
}

int CControlBase::SetText(const char* text)
{
    if (!window || !text)
        return 0;
    return SetWindowTextA(window, text);
}
