#pragma once
#include "framework/CControlBase.h"

class CProgressCtrl : public CControlBase {
public:
    // Nothing when either end is negative.
    void SetRange(int low, int high);
    // Nothing for a negative position.
    void SetPos(int position);
    void SetStep(int step);
    void StepIt();
};
