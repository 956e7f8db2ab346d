// The two panes in the main window's client area, and how small the window may become.
#include "ui/CMainWnd.h"

#include <algorithm>

// A pane holds at least room for its control's scroll bars, each with its two arrows and a
// thumb, the list's header and a little of the content; the left pane holds its strip as well.
SIZE CMainWnd::MinimumPaneSize() const
{
    return {6 * GetSystemMetrics(SM_CXVSCROLL) + leftPane.barSize,
            6 * GetSystemMetrics(SM_CYHSCROLL)};
}

// The window keeps room for both panes and for its menu bar on one line: a menu bar that wraps
// would take the height that the panes were given.
LRESULT CMainWnd::OnGetMinMaxInfo(MINMAXINFO* info)
{
    SIZE pane = MinimumPaneSize();
    int menuWidth = 0;
    HMENU menu = GetMenu(window);
    for (int item = 0; menu && item < GetMenuItemCount(menu); ++item) {
        RECT rect = {};
        if (GetMenuItemRect(window, menu, static_cast<UINT>(item), &rect))
            menuWidth += rect.right - rect.left;
    }
    RECT frame = {0, 0, std::max(2 * static_cast<int>(pane.cx), menuWidth), pane.cy};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)),
                       menu != nullptr, static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE)));
    info->ptMinTrackSize.x = frame.right - frame.left;
    info->ptMinTrackSize.y = frame.bottom - frame.top;
    return 0;
}

// The left pane keeps its width while the tree keeps its least width; a narrower window takes
// from the left pane, down to its own least width. A minimized window leaves the panes alone.
LRESULT CMainWnd::OnSize()
{
    if (!leftPane.window || !rightPane.window || IsIconic(window))
        return 0;
    RECT client = {};
    GetClientRect(window, &client);
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    RECT pane = {};
    GetWindowRect(leftPane.window, &pane);
    int least = leftPane.minSize;
    int left = std::max(std::min(static_cast<int>(pane.right - pane.left), width - least), least);
    SetWindowPos(leftPane.window, nullptr, 0, 0, left, height, SWP_NOZORDER);
    SetWindowPos(rightPane.window, nullptr, left, 0, std::max(width - left, 0), height,
                 SWP_NOZORDER);
    return 0;
}
