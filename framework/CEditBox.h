#pragma once
#include "framework/CControlBase.h"

#include <string>

class CEditBox : public CControlBase {
public:
    // The control's text, at most 1023 characters; empty when unbound. The pointer stays valid
    // until the next GetText or the object's end.
    const char* GetText();
    // EM_SETSEL
    void SetSel(int start, int end);

    std::string text;
};
