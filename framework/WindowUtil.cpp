#include "framework/WindowUtil.h"
#include "framework/CWndBase.h"

ATOM RegisterWindowClass(const char* className, UINT style, HICON icon, HICON smallIcon,
                         HCURSOR cursor, HBRUSH background, WORD menuId)
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = style;
    windowClass.lpfnWndProc = &StaticWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hIcon = icon;
    windowClass.hCursor = cursor;
    windowClass.hbrBackground = background;
    windowClass.lpszMenuName = MAKEINTRESOURCEA(menuId);
    windowClass.lpszClassName = className;
    windowClass.hIconSm = smallIcon;
    return RegisterClassExA(&windowClass);
}

namespace {
// start clamped into [low, high - size]; the low edge wins only when start is already below it.
int Clamp(int start, int size, int low, int high)
{
    if (start < low)
        return low;
    if (start + size > high)
        return high - size;
    return start;
}
}

void CenterWindow(HWND reference, HWND window)
{
    RECT own;
    RECT outer;
    if (!GetWindowRect(window, &own) || !GetWindowRect(reference, &outer))
        return;
    RECT work;
    if (!SystemParametersInfoA(SPI_GETWORKAREA, sizeof(RECT), &work, 0))
        work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    int width = own.right - own.left;
    int height = own.bottom - own.top;
    int x = outer.left + ((outer.right - outer.left) - width) / 2;
    int y = outer.top + ((outer.bottom - outer.top) - height) / 2;
    SetWindowPos(window, nullptr, Clamp(x, width, work.left, work.right),
                 Clamp(y, height, work.top, work.bottom), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}
