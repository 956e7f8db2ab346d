#pragma once
#include "framework/CDialog.h"
#include "framework/CEditBox.h"
#include "framework/CProgressCtrl.h"

#include <string>

// The modeless window that the long runs of the main window show: a caption, two lines of text,
// a bar and Cancel. The run lets one message through at a time and reads running after a step;
// Cancel, Escape and closing the window clear it and close the window at once.
//
// A run steps far more often than anyone can follow, and under Wine showing the lines and the bar
// costs 3 to 4 ms, the time of decoding twenty records of a few KB: they reach the window at most
// every updateInterval milliseconds, four times a second, and when the bar is full. Cancel does
// not wait for that: the run lets messages through at every record all the same.
class CProgressDlg : public CDialog {
public:
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    // Called before each run: not running; the texts and numbers for the next window.
    void Setup(const std::string& newCaption, const std::string& newFirstText,
               const std::string& newSecondText, int newLow, int newHigh, int newStep);
    // Opens the window (template 161) owned by owner; nothing when it is open already.
    void Create(HWND owner);
    // The texts of the two lines for the record that the run is at.
    void SetLines(const std::string& first, const std::string& second);
    // Advances the bar by its step.
    void Step();
    // Moves the bar to newPosition.
    void SetPosition(int newPosition);
    // Whether updateInterval has passed since the window last showed the run.
    bool UpdateDue() const;

    CEditBox firstLine;
    CEditBox secondLine;
    CProgressCtrl bar;
    bool running = false;
    std::string caption;
    // The texts of the lines: those of Setup, then those of the run.
    std::string firstText;
    std::string secondText;
    int low = 0;
    int high = 0;
    int step = 0;
    int position = 0;
    DWORD updateInterval = 250;
    // When the window last showed the texts and the position (GetTickCount).
    DWORD updated = 0;

private:
    // Shows the texts and the position now.
    void Update();
    LRESULT OnInitDialog();
    LRESULT OnCommand(UINT id);
    LRESULT OnClose();
};
