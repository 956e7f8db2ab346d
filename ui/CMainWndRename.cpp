// Edit > rename (F2): each selected file in turn in the rename dialog.
#include "ui/CMainWnd.h"

#include "resources/resource.h"
#include "ui/CModFilenameDlg.h"

// The files that the dialogs renamed, up to Cancel or the last row, are one step for Edit > Undo.
void CMainWnd::RenameSelected(UINT)
{
    CRenameHistory::Step renamed = {CRenameHistory::kRename, {}};
    CFileIdentifier identifier;
    for (int row = list.GetFirstSelected(); row != -1; row = list.GetNextSelected(row)) {
        CRecord* record = RecordOfRow(row);
        if (!record)
            continue;
        std::string oldPath = record->path;
        std::string oldShownName = record->fileName;
        std::wstring oldLongPath = CRenameHistory::LongPathOf(oldPath, oldShownName);
        CModFilenameDlg dialog(record);
        INT_PTR result = dialog.DoModal(window, IDD_RENAME);
        if (result == CModFilenameDlg::kRenamed) {
            list.SetItemText(dialog.newName, row, 0);
            renamed.files.push_back(CRenameHistory::Renamed(
                oldPath, record->path, static_cast<int32_t>(list.GetItemParam(row)), identifier,
                oldLongPath, oldShownName));
        } else if (result == CModFilenameDlg::kStopped) {
            break;
        }
    }
    renames.Push(std::move(renamed));
    ShowUndoState();
    SetFocus(list.window);
}
