#pragma once
// Real windows for the tests of the window classes: a registered class, a window object that
// records what reached it, and a pump that empties the thread's queue.
#include "framework/CWindow.h"
#include "framework/WindowUtil.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace wintest {

// Ids of the test resources (WindowTest.rc).
constexpr WORD kDialog = 200;
constexpr WORD kPage = 201;
constexpr WORD kSheetCaption = 600;
constexpr WORD kMenu = 300;
constexpr WORD kBitmap = 400;
constexpr WORD kIcon = 500;
constexpr int kEditId = 1006;
constexpr int kListId = 1010;
constexpr UINT kCheckedCommand = 10;
constexpr UINT kGrayedCommand = 11;

constexpr char kClass[] = "TvTestWindow";

inline void RegisterClasses()
{
    static bool done = [] {
        InitCommonControls();
        return RegisterWindowClass(kClass, CS_HREDRAW | CS_VREDRAW, nullptr, nullptr,
                                   LoadCursorA(nullptr, IDC_ARROW),
                                   reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), 0) != 0;
    }();
    (void)done;
}

// A window that records the messages its object handled and answers WM_NOTIFY with a chosen
// result.
class CRecordingWindow : public CWindow {
public:
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        messages.push_back(message);
        if (message == WM_NOTIFY) {
            notifyWParams.push_back(wParam);
            notifications.push_back(*reinterpret_cast<const NMHDR*>(lParam));
            return notifyResult;
        }
        return CWindow::WindowProc(hwnd, message, wParam, lParam);
    }

    bool Saw(UINT message) const
    {
        return std::find(messages.begin(), messages.end(), message) != messages.end();
    }

    std::vector<UINT> messages;
    std::vector<WPARAM> notifyWParams;
    std::vector<NMHDR> notifications;
    LRESULT notifyResult = 0;
};

// A top-level test window of the registered class, hidden unless style says otherwise.
inline bool CreateTopLevel(CWindow& object, int width = 400, int height = 300,
                           DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN)
{
    RegisterClasses();
    return object.Create(kClass, "test", style, 0, 0, 0, width, height, nullptr, 0);
}

// Delivers what waits in the queue; the quit messages that destroyed panes post are dropped.
inline void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Pumps until the condition holds or two seconds have passed; input made with SendInput goes
// through the X server and arrives a little later.
template <typename Condition>
bool PumpUntil(Condition condition)
{
    DWORD start = GetTickCount();
    while (true) {
        Pump();
        if (condition())
            return true;
        if (GetTickCount() - start > 2000)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

inline RECT WindowRect(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

inline int Width(HWND window)
{
    RECT rect = WindowRect(window);
    return rect.right - rect.left;
}

inline int Height(HWND window)
{
    RECT rect = WindowRect(window);
    return rect.bottom - rect.top;
}

// The window's position in its parent's client coordinates.
inline POINT Position(HWND window)
{
    RECT rect = WindowRect(window);
    POINT corner = {rect.left, rect.top};
    if (HWND parent = GetParent(window))
        ScreenToClient(parent, &corner);
    return corner;
}

inline std::string WindowText(HWND window)
{
    char buffer[4096] = {};
    GetWindowTextA(window, buffer, sizeof(buffer));
    return buffer;
}

}
