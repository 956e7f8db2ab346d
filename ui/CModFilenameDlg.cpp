#include "ui/CModFilenameDlg.h"

#include "framework/CPathParts.h"
#include "framework/Messages.h"
#include "framework/StringUtil.h"
#include "resources/resource.h"
#include "ui/UniqueFileName.h"

CModFilenameDlg::CModFilenameDlg(CRecord* record) : record(record) {}

LRESULT CModFilenameDlg::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam));
    case WM_CLOSE:
        return OnClose();
    default:
        return CDialog::WindowProc(hwnd, message, wParam, lParam);
    }
}

INT_PTR CModFilenameDlg::OnOK()
{
    newName.clear();
    std::string text = edit.GetText();
    TrimString(text, " ", " ");
    if (text.empty()) {
        ShowError(window, "ファイル名が入力されていません。");
        SetFocus(edit.window);
        edit.SetSel(0, -1);
        return -1;
    }
    if (text == initialName)
        return kSkipped;
    // A name with a folder or drive in it would move the file elsewhere, parts that failed
    // would make a path relative to the current folder, and a path that the program cannot split
    // would leave the record without a name. The extension is the file name's: the path of a
    // file known by its short name ends in the short one.
    CPathParts parts;
    CPathParts name;
    std::string newPath;
    if (parts.Set(record->path.c_str()) && name.Set(record->fileName.c_str())) {
        newName = text + name.extension;
        newPath = parts.folder + newName;
    }
    if (!IsBaseName(text) || newPath.empty() || !FitsPathParts(newPath) ||
        !MoveFileA(record->path.c_str(), newPath.c_str())) {
        ShowError(window, "名前の変更に失敗しました。");
        return -1;
    }
    record->Moved(newPath);
    return kRenamed;
}

LRESULT CModFilenameDlg::OnInitDialog()
{
    edit.AttachDlgItem(window, IDC_RENAME_EDIT);
    SetFocus(edit.window);
    // The name that the list shows: for a file known by its short name, its long name with "?"
    // for each character that the code page lacks, which no file name holds.
    CPathParts parts(record->fileName.c_str());
    edit.SetText(parts.baseName);
    edit.SetSel(0, -1);
    initialName = parts.baseName;
    return 0;
}

LRESULT CModFilenameDlg::OnCommand(UINT id)
{
    switch (id) {
    case IDOK:
        if (INT_PTR result = OnOK(); result >= 0)
            EndDialog(result);
        break;
    case IDCANCEL:
        EndDialog(kStopped);
        break;
    case IDC_RENAME_SKIP:
        EndDialog(kSkipped);
        break;
    }
    return 0;
}

// The close box stops the renaming, as Escape and Cancel do.
LRESULT CModFilenameDlg::OnClose()
{
    EndDialog(kStopped);
    return 0;
}
