#include "framework/CEditBox.h"

const char* CEditBox::GetText()
{
    if (!window)
        return "";
    char buffer[1024] = {};
    GetWindowTextA(window, buffer, sizeof(buffer));
    text = buffer;
    return text.c_str();
}

void CEditBox::SetSel(int start, int end)
{
    SendMsg(EM_SETSEL, start, end);
}
