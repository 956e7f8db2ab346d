#include "framework/CWndBaseEx.h"

LRESULT CWndBaseEx::SendMsg(UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendMessageA(window, message, wParam, lParam);
}

BOOL CWndBaseEx::Show(int command)
{
    return ShowWindow(window, command);
}

void CWndBaseEx::Redraw(bool erase)
{
    // A null window would invalidate every window on the screen.
    if (!window)
        return;
    InvalidateRect(window, nullptr, erase);
    UpdateWindow(window);
}

int CWndBaseEx::SetText(const char* text)
{
    if (!text)
        return 0;
    return SetWindowTextA(window, text);
}
