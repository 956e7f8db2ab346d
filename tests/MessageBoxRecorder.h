#pragma once
// Answers the message boxes of the test's thread while it lives, and records what each showed:
// owner, text, caption and flags. No test waits for a person.
#include <windows.h>

#include <string>
#include <vector>

class MessageBoxRecorder {
public:
    struct Box {
        HWND owner;
        std::string text;
        std::string caption;
        UINT flags;
    };

    // answer: the button each box is closed with (IDOK, IDYES, IDNO, ...).
    explicit MessageBoxRecorder(int answer = IDOK) : answer(answer)
    {
        current = this;
        hook = SetWindowsHookExA(WH_CALLWNDPROCRET, HookProc, nullptr, GetCurrentThreadId());
    }
    ~MessageBoxRecorder()
    {
        UnhookWindowsHookEx(hook);
        current = nullptr;
    }
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    std::vector<Box> boxes;
    int answer;

private:
    static std::string Narrow(const wchar_t* text)
    {
        if (!text)
            return std::string();
        int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
        std::string out(size > 0 ? size : 1, '\0');
        WideCharToMultiByte(CP_ACP, 0, text, -1, &out[0], size, nullptr, nullptr);
        out.resize(out.size() - 1);
        return out;
    }

    // A message box's dialog gets its MSGBOXPARAMSW with WM_INITDIALOG.
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam)
    {
        const CWPRETSTRUCT* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (code == HC_ACTION && current && call->message == WM_INITDIALOG && call->lParam) {
            const MSGBOXPARAMSW* params = reinterpret_cast<const MSGBOXPARAMSW*>(call->lParam);
            char className[16] = {};
            GetClassNameA(call->hwnd, className, sizeof(className));
            if (std::string(className) == "#32770" && params->cbSize == sizeof(MSGBOXPARAMSW)) {
                current->boxes.push_back({params->hwndOwner, Narrow(params->lpszText),
                                          Narrow(params->lpszCaption), params->dwStyle});
                PostMessageA(call->hwnd, WM_COMMAND, current->answer, 0);
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline MessageBoxRecorder* current = nullptr;
    HHOOK hook;
};
