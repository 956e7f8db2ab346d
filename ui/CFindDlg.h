#pragma once
#include "framework/CDialog.h"
#include "framework/CEditBox.h"

#include <string>

// The search dialog (template 170): the text to find, offered with all of it selected, and
// whether only the rows that match stay in the list. OK takes both; Cancel leaves them.
class CFindDlg : public CDialog {
public:
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    CEditBox edit;
    std::string text;
    bool keepOnlyMatches = false;

private:
    LRESULT OnInitDialog();
    LRESULT OnCommand(UINT id);
};
