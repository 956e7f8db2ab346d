#include "ui/CProgressDlg.h"

#include "resources/resource.h"

LRESULT CProgressDlg::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
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

void CProgressDlg::Setup(const std::string& newCaption, const std::string& newFirstText,
                         const std::string& newSecondText, int newLow, int newHigh, int newStep)
{
    running = false;
    caption = newCaption;
    firstText = newFirstText;
    secondText = newSecondText;
    low = newLow;
    high = newHigh;
    step = newStep;
    position = 0;
    stepShown = false;
}

void CProgressDlg::Create(HWND owner)
{
    if (!window)
        CreateModeless(owner, IDD_PROGRESS);
}

void CProgressDlg::SetLines(const std::string& first, const std::string& second)
{
    firstText = first;
    secondText = second;
    if (UpdateDue() || stepShown)
        Update();
}

void CProgressDlg::Step()
{
    position += step;
    if (UpdateDue() || position >= high) {
        Update();
        stepShown = true;
    }
}

void CProgressDlg::SetPosition(int newPosition)
{
    position = newPosition;
}

bool CProgressDlg::UpdateDue() const
{
    return GetTickCount() - updated >= updateInterval;
}

void CProgressDlg::Update()
{
    firstLine.SetText(firstText.c_str());
    secondLine.SetText(secondText.c_str());
    bar.SetPos(position);
    // Only what changed is painted: the two lines and the bar.
    if (window)
        RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    updated = GetTickCount();
    stepShown = false;
}

LRESULT CProgressDlg::OnInitDialog()
{
    firstLine.AttachDlgItem(window, IDC_PROGRESS_FIRST_LINE);
    secondLine.AttachDlgItem(window, IDC_PROGRESS_SECOND_LINE);
    bar.AttachDlgItem(window, IDC_PROGRESS_BAR);
    SetText(caption.c_str());
    bar.SetRange(low, high);
    Update();
    Show(SW_SHOW);
    Redraw(true);
    running = true;
    return 0;
}

LRESULT CProgressDlg::OnCommand(UINT id)
{
    if (id == IDCANCEL) {
        running = false;
        SendMsg(WM_CLOSE, 0, 0);
    }
    return 0;
}

// The close command of the window (Alt+F4) cancels as the button does.
LRESULT CProgressDlg::OnClose()
{
    running = false;
    Destroy();
    return 0;
}
