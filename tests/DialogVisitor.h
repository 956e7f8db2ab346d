#pragma once
// Visits the first window with a given caption (or one that a test recognises otherwise) that the
// test's thread shows while a modal loop runs (a property sheet, a dialog), from a thread timer,
// so that no test waits for a person; with everyWindow, each such window that opens later is
// visited too. A window that the visit leaves open is closed after two seconds.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

class DialogVisitor {
public:
    DialogVisitor(const std::string& caption, std::function<void(HWND)> visit, bool everyWindow = false)
        : DialogVisitor([caption](HWND window) { return Caption(window) == caption; }, std::move(visit), everyWindow)
    {
    }
    DialogVisitor(std::function<bool(HWND)> matches, std::function<void(HWND)> visit, bool everyWindow = false)
        : matches(std::move(matches)), visit(std::move(visit)), everyWindow(everyWindow)
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

    static std::string Caption(HWND window)
    {
        char text[256] = {};
        GetWindowTextA(window, text, sizeof(text));
        return text;
    }

    int visits = 0;

private:
    static BOOL CALLBACK FindProc(HWND window, LPARAM found)
    {
        if (IsWindowVisible(window) && current->matches(window)) {
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
        std::vector<HWND>& visited = current->visited;
        bool seenBefore = std::find(visited.begin(), visited.end(), dialog) != visited.end();
        if (!seenBefore && (current->visits == 0 || current->everyWindow)) {
            ++current->visits;
            visited.push_back(dialog);
            current->seen = GetTickCount();
            current->visit(dialog);
        } else if (GetTickCount() - current->seen > 2000) {
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        }
    }

    static inline DialogVisitor* current = nullptr;
    std::function<bool(HWND)> matches;
    std::function<void(HWND)> visit;
    bool everyWindow;
    std::vector<HWND> visited;
    UINT_PTR timer = 0;
    DWORD seen = 0;
};
