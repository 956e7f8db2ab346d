#include "framework/CDialog.h"

INT_PTR CDialog::DoModal(HWND parent, WORD templateId)
{
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), parent,
                           &StaticWindowProc,
                           reinterpret_cast<LPARAM>(static_cast<CWndBase*>(this)));
}

HWND CDialog::CreateModeless(HWND parent, WORD templateId)
{
    return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), parent,
                              &StaticWindowProc,
                              reinterpret_cast<LPARAM>(static_cast<CWndBase*>(this)));
}

BOOL CDialog::EndDialog(INT_PTR result)
{
    return ::EndDialog(window, result);
}
