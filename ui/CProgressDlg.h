#pragma once
#include "framework/CDialog.h"
#include "framework/CEditBox.h"
#include "framework/CProgressCtrl.h"

#include <string>

// The modeless window that the long runs of the main window show: a caption, two lines of text,
// a bar and Cancel. The run lets one message through at a time and reads running after a step;
// Cancel, Escape and closing the window clear it and close the window at once.
class CProgressDlg : public CDialog {
public:
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    // Called before each run: not running; the texts and numbers for the next window.
    void Setup(const std::string& newCaption, const std::string& newFirstText,
               const std::string& newSecondText, int newLow, int newHigh, int newStep);
    // Opens the window (template 161) owned by owner; nothing when it is open already.
    void Create(HWND owner);
    // Steps the bar and repaints the dialog.
    void Step();

    CEditBox firstLine;
    CEditBox secondLine;
    CProgressCtrl bar;
    bool running = false;
    std::string caption;
    std::string firstText;
    std::string secondText;
    int low = 0;
    int high = 0;
    int step = 0;
    int position = 0;

private:
    LRESULT OnInitDialog();
    LRESULT OnCommand(UINT id);
    LRESULT OnClose();
};
