#pragma once
#include "framework/CDialog.h"
#include "framework/CEditBox.h"
#include "framework/CListView.h"

#include <string>

// The version dialog "バージョン情報": the program's name and version, and a list of the
// system, three system libraries and the game's installation values that "コピー(&C)" (and the
// Escape key, which the dialog manager sends as the same id) puts on the clipboard.
class CAboutDlg : public CDialog {
public:
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    void SetTexts(const std::string& product, const std::string& version);
    // The list's rows, appended in their fixed order.
    void FillList();
    // Every row as a line of quoted cells separated by commas, after a heading line.
    void CopyToClipboard();

    std::string productLine;
    std::string versionLine;
    CEditBox productBox;
    CEditBox versionBox;
    CListView list;

private:
    LRESULT OnInitDialog();
    LRESULT OnCommand(UINT id);
    LRESULT OnClose();

    void AddRow(const std::string& name, const std::string& value);
};
