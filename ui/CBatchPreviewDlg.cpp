#include "ui/CBatchPreviewDlg.h"

#include "resources/resource.h"

#include <commctrl.h>

LRESULT CBatchPreviewDlg::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
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

// The list gets the focus, so that Enter reaches the default button and the arrows the rows.
LRESULT CBatchPreviewDlg::OnInitDialog()
{
    list.AttachDlgItem(window, IDC_PREVIEW_LIST);
    list.MergeExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    RECT client = {};
    GetClientRect(list.window, &client);
    int half = (client.right - GetSystemMetrics(SM_CXVSCROLL)) / 2;
    list.InsertColumn("現在の名前", half, 0, LVCFMT_LEFT);
    list.InsertColumn("変換後の名前", half, 1, LVCFMT_LEFT);
    // A list view repaints at every insertion while it is visible.
    list.SendMsg(WM_SETREDRAW, FALSE, 0);
    for (size_t i = 0; i < rows.size(); ++i) {
        int row = list.InsertItem(rows[i].current, static_cast<int>(i), 0, -1, 0);
        list.SetItemText(rows[i].converted, row, 1);
    }
    list.SendMsg(WM_SETREDRAW, TRUE, 0);
    SetFocus(list.window);
    return 0;
}

// The close box and Escape come as Cancel.
LRESULT CBatchPreviewDlg::OnCommand(UINT id)
{
    if (id == IDOK || id == IDCANCEL)
        EndDialog(id);
    return 0;
}
