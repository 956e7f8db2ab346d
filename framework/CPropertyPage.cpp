#include "framework/CPropertyPage.h"

namespace {

// A page answers a notification through its message result, and says so with 1.
INT_PTR Answer(HWND page, LONG_PTR answer)
{
    SetWindowLongPtrA(page, DWLP_MSGRESULT, answer);
    return 1;
}

}

CPropertyPage::CPropertyPage(HINSTANCE instance, WORD templateId)
    : instance(instance), templateId(templateId), page()
{
    page.dwSize = sizeof(page);
    page.hInstance = instance;
    page.pszTemplate = MAKEINTRESOURCEA(templateId);
    page.pfnDlgProc = &PageDialogProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
}

INT_PTR CALLBACK CPropertyPage::PageDialogProc(HWND hwnd, UINT message, WPARAM wParam,
                                               LPARAM lParam)
{
    CPropertyPage* object = nullptr;
    if (message == WM_INITDIALOG) {
        auto copy = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
        object = reinterpret_cast<CPropertyPage*>(copy->lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
        object->pageWindow = hwnd;
        object->sheetWindow = GetParent(hwnd);
    } else {
        object = reinterpret_cast<CPropertyPage*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!object)
        return 0;
    return object->PageProc(hwnd, message, wParam, lParam);
}

INT_PTR CPropertyPage::PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_NOTIFY:
        return OnNotify(hwnd, wParam, reinterpret_cast<const NMHDR*>(lParam));
    case WM_INITDIALOG:
        // The dialog manager then gives the focus to the first item.
        SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, OnInitDialog());
        return 1;
    case WM_COMMAND:
        return OnCommand(hwnd, wParam, lParam);
    default:
        return 0;
    }
}

INT_PTR CPropertyPage::OnNotify(HWND hwnd, WPARAM, const NMHDR* header)
{
    switch (header->code) {
    case PSN_SETACTIVE:
        return Answer(hwnd, OnSetActive() > 0 ? 0 : 1);
    case PSN_KILLACTIVE:
        return Answer(hwnd, OnKillActive() > 0 ? FALSE : TRUE);
    case PSN_APPLY:
        return Answer(hwnd, OnApply() > 0 ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE);
    case PSN_QUERYCANCEL:
        return Answer(hwnd, OnQueryCancel() > 0 ? FALSE : TRUE);
    case PSN_RESET:
        OnReset();
        return 1;
    default:
        return 0;
    }
}

INT_PTR CPropertyPage::OnCommand(HWND, WPARAM, LPARAM)
{
    return 1;
}

int CPropertyPage::OnSetActive()
{
    return 1;
}

int CPropertyPage::OnKillActive()
{
    return 1;
}

void CPropertyPage::OnClose()
{
}

void CPropertyPage::OnSave()
{
}

int CPropertyPage::OnQueryCancel()
{
    return 1;
}

void CPropertyPage::OnReset()
{
}

int CPropertyPage::OnApply()
{
    OnSave();
    return 1;
}
