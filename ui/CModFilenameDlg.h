#pragma once
#include "framework/CDialog.h"
#include "framework/CEditBox.h"
#include "record/CRecord.h"

#include <string>

// The dialog that renames one file (template 159): it shows the file's name without extension,
// and OK renames the file at once, in its folder, keeping the extension.
class CModFilenameDlg : public CDialog {
public:
    // What DoModal gives.
    enum Result { kRenamed = 0, kSkipped = 1, kStopped = 2 };

    explicit CModFilenameDlg(CRecord* record);
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    // The OK button: -1 keeps the dialog open (the name is empty, or the file could not be
    // renamed, both told in an error box), else the dialog's result.
    INT_PTR OnOK();

    CRecord* record;
    CEditBox edit;
    std::string initialName;
    // The new file name with extension after a rename; the name that failed after a failure.
    std::string newName;

private:
    LRESULT OnInitDialog();
    LRESULT OnCommand(UINT id);
    LRESULT OnClose();
};
