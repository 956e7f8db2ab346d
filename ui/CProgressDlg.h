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
// costs 3 to 4 ms, the time of decoding twenty records of a few KB: they reach the window every
// updateInterval milliseconds, four times a second, and when the bar is full. Whatever the window
// shows is the row being handled: the lines of every row are kept, a step shows those of its own
// row, and the row after a step that was shown shows its own lines as it starts, so that a row
// that takes long is seen while it is handled. Cancel does not wait for any of that: the run lets
// messages through at every record all the same.
class CProgressDlg : public CDialog {
public:
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    // Called before each run: not running; the texts and numbers for the next window.
    void Setup(const std::string& newCaption, const std::string& newFirstText,
               const std::string& newSecondText, int newLow, int newHigh, int newStep);
    // Opens the window (template 161) owned by owner, showing the texts and the position as they
    // are; nothing when it is open already.
    void Create(HWND owner);
    // The texts of the two lines for the row that the run starts; shown when updateInterval has
    // passed, or at once when the window last showed a step.
    void SetLines(const std::string& first, const std::string& second);
    // Advances the bar by its step as a row ends; shown with that row's lines when updateInterval
    // has passed, or when the bar is full.
    void Step();
    // Moves the bar to newPosition, for a run whose rows are not its steps; shown with the next
    // lines.
    void SetPosition(int newPosition);

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
    // Whether the window last showed them at a step: the lines there are those of a row that has
    // ended.
    bool stepShown = false;

private:
    // Whether updateInterval has passed since the window last showed the run.
    bool UpdateDue() const;
    // Shows the texts and the position now.
    void Update();
    LRESULT OnInitDialog();
    LRESULT OnCommand(UINT id);
    LRESULT OnClose();
};
