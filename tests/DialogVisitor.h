#pragma once
// Visits the first window with a given caption that the test's thread shows while a modal loop
// runs (a property sheet, a dialog), from a thread timer, so that no test waits for a person. A
// window that the visit leaves open is closed after two seconds.
#include <windows.h>

#include <functional>
#include <string>

class DialogVisitor {
public:
    DialogVisitor(const std::string& caption, std::function<void(HWND)> visit)
        : caption(caption), visit(std::move(visit))
    {
        current = this;
        timer = SetTimer(nullptr, 0, 20, TimerProc);
    }
    ~DialogVisitor()
    {
        KillTimer(nullptr, timer);
        current = nullptr;
    }
    DialogVisitor(const DialogVisitor&) = delete;
    DialogVisitor& operator=(const DialogVisitor&) = delete;

    int visits = 0;

private:
    static BOOL CALLBACK FindProc(HWND window, LPARAM found)
    {
        char text[256] = {};
        GetWindowTextA(window, text, sizeof(text));
        if (IsWindowVisible(window) && current->caption == text) {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        return TRUE;
    }

    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD)
    {
        if (!current)
            return;
        HWND dialog = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindProc, reinterpret_cast<LPARAM>(&dialog));
        if (!dialog)
            return;
        if (current->visits == 0) {
            ++current->visits;
            current->seen = GetTickCount();
            current->visit(dialog);
        } else if (GetTickCount() - current->seen > 2000) {
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        }
    }

    static inline DialogVisitor* current = nullptr;
    std::string caption;
    std::function<void(HWND)> visit;
    UINT_PTR timer = 0;
    DWORD seen = 0;
};
