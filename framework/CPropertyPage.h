#pragma once
#include <windows.h>

#include <commctrl.h>

// One page of a property sheet, made from a dialog template of the program. The sheet copies the
// page's PROPSHEETPAGEA; its dialog procedure finds the object again through that copy and keeps
// it in the page window's user data. By default a page accepts activation, leaving, Apply and
// Cancel and saves nothing.
class CPropertyPage {
public:
    CPropertyPage(HINSTANCE instance, WORD templateId);
    virtual ~CPropertyPage() = default;
    CPropertyPage(const CPropertyPage&) = delete;
    CPropertyPage& operator=(const CPropertyPage&) = delete;

    // The page's messages: WM_INITDIALOG, WM_NOTIFY, WM_COMMAND and WM_CLOSE to their handlers;
    // 0 (the dialog manager's default) for the rest.
    virtual INT_PTR PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // The sheet's PSN_ notifications; the answers go to the page's message result.
    virtual INT_PTR OnNotify(HWND hwnd, WPARAM wParam, const NMHDR* header);
    virtual INT_PTR OnCommand(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual int OnInitDialog() = 0;
    // The next four: more than 0 accepts.
    virtual int OnSetActive();
    virtual int OnKillActive();
    virtual void OnClose();
    virtual void OnSave();
    virtual int OnQueryCancel();
    virtual void OnReset();
    virtual int OnApply();

    // The dialog procedure of every page.
    static INT_PTR CALLBACK PageDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE instance;
    WORD templateId;
    PROPSHEETPAGEA page;
    HWND pageWindow = nullptr;
    HWND sheetWindow = nullptr;
};
