#include "ui/CFindDlg.h"

#include "resources/resource.h"

LRESULT CFindDlg::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam));
    default:
        return CDialog::WindowProc(hwnd, message, wParam, lParam);
    }
}

LRESULT CFindDlg::OnInitDialog()
{
    edit.AttachDlgItem(window, IDC_FIND_TEXT);
    edit.SetText(text.c_str());
    edit.SetSel(0, -1);
    CheckDlgButton(window, IDC_FIND_KEEP_ONLY, keepOnlyMatches ? BST_CHECKED : BST_UNCHECKED);
    SetFocus(edit.window);
    return 0;
}

// The close box and Escape come as Cancel.
LRESULT CFindDlg::OnCommand(UINT id)
{
    switch (id) {
    case IDOK:
        text = edit.GetText();
        keepOnlyMatches = IsDlgButtonChecked(window, IDC_FIND_KEEP_ONLY) == BST_CHECKED;
        EndDialog(IDOK);
        break;
    case IDCANCEL:
        EndDialog(IDCANCEL);
        break;
    }
    return 0;
}
