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
        // The text as the box got it, with the characters that text cannot hold.
        std::wstring wideText;
    };

    // answer: the button each box is closed with (IDOK, IDYES, IDNO, ...).
    explicit MessageBoxRecorder(int answer = IDOK) : answer(answer)
    {
        current = this;
        creationHook = SetWindowsHookExA(WH_CBT, CreationProc, nullptr, GetCurrentThreadId());
    }
    ~MessageBoxRecorder()
    {
        UnhookWindowsHookEx(creationHook);
        if (dialogHook)
            UnhookWindowsHookEx(dialogHook);
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

    // A hook on every message costs Wine a tenth of a millisecond per message; so the messages of
    // a dialog are watched only from its creation to its WM_INITDIALOG.
    static LRESULT CALLBACK CreationProc(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_CREATEWND && current && !current->dialogHook) {
            char className[16] = {};
            GetClassNameA(reinterpret_cast<HWND>(wParam), className, sizeof(className));
            if (std::string(className) == "#32770")
                current->dialogHook = SetWindowsHookExA(WH_CALLWNDPROCRET, DialogProc, nullptr,
                                                        GetCurrentThreadId());
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    // A message box's dialog gets its MSGBOXPARAMSW with WM_INITDIALOG.
    static LRESULT CALLBACK DialogProc(int code, WPARAM wParam, LPARAM lParam)
    {
        const CWPRETSTRUCT* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (code == HC_ACTION && current && call->message == WM_INITDIALOG) {
            const MSGBOXPARAMSW* params = reinterpret_cast<const MSGBOXPARAMSW*>(call->lParam);
            if (params && params->cbSize == sizeof(MSGBOXPARAMSW)) {
                current->boxes.push_back({params->hwndOwner, Narrow(params->lpszText),
                                          Narrow(params->lpszCaption), params->dwStyle,
                                          params->lpszText ? params->lpszText : L""});
                PostMessageA(call->hwnd, WM_COMMAND, current->answer, 0);
            }
            UnhookWindowsHookEx(current->dialogHook);
            current->dialogHook = nullptr;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline MessageBoxRecorder* current = nullptr;
    HHOOK creationHook;
    HHOOK dialogHook = nullptr;
};
