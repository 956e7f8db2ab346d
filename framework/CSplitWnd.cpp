#include "framework/CSplitWnd.h"

#include <windowsx.h>

#include <algorithm>

LRESULT CSplitWnd::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: return 0;
    case WM_COMMAND: return 0;
    case WM_DESTROY: return OnDestroy();
    case WM_SIZE: return OnSize(LOWORD(lParam), HIWORD(lParam));
    case WM_CLOSE: return OnClose();
    case WM_SETCURSOR: return OnSetCursor(reinterpret_cast<HWND>(wParam));
    case WM_NOTIFY: return OnNotify(hwnd, wParam, lParam);
    case WM_MOUSEMOVE: OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); break;
    case WM_LBUTTONDOWN: OnLButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); break;
    case WM_LBUTTONUP: OnLButtonUp(); break;
    case WM_CAPTURECHANGED: OnCaptureChanged(); break;
    }
    return CWindow::WindowProc(hwnd, message, wParam, lParam);
}

// The panes end with the program's main window.
LRESULT CSplitWnd::OnDestroy()
{
    PostQuitMessage(0);
    return 0;
}

LRESULT CSplitWnd::OnClose()
{
    DestroyWindow(window);
    return 0;
}

LRESULT CSplitWnd::OnSize(int width, int height)
{
    if (!info || !info->content)
        return 0;
    int contentWidth = info->right ? width - barSize : width;
    int contentHeight = info->bottom ? height - barSize : height;
    SetWindowPos(info->content, nullptr, 0, 0, contentWidth, contentHeight, SWP_NOZORDER);
    return 0;
}

// Only the pane's own client area, the strip, gets a sizing cursor; over the content the control
// chooses its own (deciding here too would make the cursor flicker between the two).
LRESULT CSplitWnd::OnSetCursor(HWND under)
{
    if (under != window)
        return 0;
    POINT cursor = {};
    GetCursorPos(&cursor);
    ScreenToClient(window, &cursor);
    RECT client = {};
    GetClientRect(window, &client);
    LPCSTR shape = IDC_ARROW;
    if (info && info->bottom && cursor.y >= client.bottom - barSize)
        shape = IDC_SIZENS;
    else if (info && info->right)
        shape = IDC_SIZEWE;
    SetCursor(LoadCursorA(nullptr, shape));
    return 0;
}

LRESULT CSplitWnd::OnNotify(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    if (!info || !info->owner)
        return CWindow::WindowProc(hwnd, WM_NOTIFY, wParam, lParam);
    return SendMessageA(info->owner, WM_NOTIFY, wParam, lParam);
}

void CSplitWnd::OnLButtonDown(int x, int y)
{
    if (!info)
        return;
    RECT client = {};
    GetClientRect(window, &client);
    if (info->bottom && y >= client.bottom - barSize) {
        dragMode = 1;
        dragOffset = client.bottom - y;
    } else if (info->right) {
        dragMode = 2;
        dragOffset = client.right - x;
    } else {
        return;
    }
    SetCapture(window);
}

void CSplitWnd::OnMouseMove(int x, int y)
{
    if (dragMode == 0 || !info || !info->owner)
        return;
    HWND neighbour = dragMode == 2 ? info->right : info->bottom;
    if (!neighbour)
        return;
    RECT pane = {};
    RECT next = {};
    GetWindowRect(window, &pane);
    GetWindowRect(neighbour, &next);
    POINT origin = {pane.left, pane.top};
    ScreenToClient(info->owner, &origin);
    int width = pane.right - pane.left;
    int height = pane.bottom - pane.top;
    int nextX = origin.x;
    int nextY = origin.y;
    int nextWidth = width;
    int nextHeight = height;
    if (dragMode == 2) {
        width = std::max(x + dragOffset, minSize);
        nextWidth = next.right - pane.left - width;
        if (nextWidth < minSize) {
            nextWidth = minSize;
            width = std::max(static_cast<int>(next.right - minSize - pane.left), minSize);
        }
        nextX += width;
    } else {
        height = std::max(y + dragOffset, minSize);
        int span = next.bottom - pane.top;
        nextHeight = span - height;
        if (nextHeight < minSize) {
            nextHeight = minSize;
            height = std::max(span - minSize, minSize);
        }
        nextY += height;
    }
    LockWindowUpdate(info->owner);
    SetWindowPos(window, nullptr, origin.x, origin.y, width, height, SWP_NOZORDER);
    SetWindowPos(neighbour, nullptr, nextX, nextY, nextWidth, nextHeight, SWP_NOZORDER);
    LockWindowUpdate(nullptr);
    UpdateWindow(info->owner);
}

void CSplitWnd::OnLButtonUp()
{
    if (dragMode == 0)
        return;
    ReleaseCapture();
    dragMode = 0;
}

// A drag whose capture was taken away (another window, a menu, a switch of task) is over:
// later moves without the button must not drag on.
void CSplitWnd::OnCaptureChanged()
{
    dragMode = 0;
}
