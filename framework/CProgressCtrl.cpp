#include "framework/CProgressCtrl.h"

#include <commctrl.h>

void CProgressCtrl::SetRange(int low, int high)
{
    if (low < 0 || high < 0)
        return;
    // The 32-bit form: the 16-bit words of PBM_SETRANGE would wrap past 65535.
    SendMsg(PBM_SETRANGE32, low, high);
}

void CProgressCtrl::SetPos(int position)
{
    if (position < 0)
        return;
    SendMsg(PBM_SETPOS, position, 0);
}

void CProgressCtrl::SetStep(int step)
{
    SendMsg(PBM_SETSTEP, step, 0);
}

void CProgressCtrl::StepIt()
{
    SendMsg(PBM_STEPIT, 0, 0);
}
