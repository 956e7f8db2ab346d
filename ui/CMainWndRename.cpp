// Edit > rename (F2): each selected file in turn in the rename dialog.
#include "ui/CMainWnd.h"

#include "resources/resource.h"
#include "ui/CModFilenameDlg.h"

void CMainWnd::RenameSelected(UINT)
{
    for (int row = list.GetFirstSelected(); row != -1; row = list.GetNextSelected(row)) {
        CRecord* record = RecordOfRow(row);
        if (!record)
            continue;
        CModFilenameDlg dialog(record);
        INT_PTR result = dialog.DoModal(window, IDD_RENAME);
        if (result == CModFilenameDlg::kRenamed)
            list.SetItemText(dialog.newName, row, 0);
        else if (result == CModFilenameDlg::kStopped)
            break;
    }
    SetFocus(list.window);
}
