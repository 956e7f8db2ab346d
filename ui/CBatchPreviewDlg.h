#pragma once
#include "framework/CDialog.h"
#include "framework/CListView.h"

#include <string>
#include <vector>

// The preview of the batch rename (template 177): for each file, its name now and what the batch
// would make of it. Convert (the default button) ends the dialog with IDOK; Close, Escape and the
// close box with IDCANCEL.
class CBatchPreviewDlg : public CDialog {
public:
    struct Row {
        std::string current;
        std::string converted;
    };

    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    CListView list;
    std::vector<Row> rows;

private:
    LRESULT OnInitDialog();
    LRESULT OnCommand(UINT id);
};
