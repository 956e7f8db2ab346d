#pragma once
// Input through the desktop, as a user gives it to a program of another process: keys pressed,
// text typed, and waiting for the windows that the program shows.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace desktop {

constexpr DWORD kPatience = 5000;

inline std::string WindowText(HWND window)
{
    char text[512] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

// The text of a message box.
inline std::string BoxText(HWND box)
{
    char text[512] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
    return text;
}

// Polls until the condition holds, at most the given milliseconds.
template <typename Condition>
bool WaitFor(Condition condition, DWORD patience = kPatience)
{
    for (DWORD start = GetTickCount(); !condition();) {
        if (GetTickCount() - start > patience)
            return false;
        Sleep(50);
    }
    return true;
}

// A key pressed and let go, with the modifier keys held around it.
inline void Press(WORD key, std::vector<WORD> modifiers = {})
{
    std::vector<INPUT> inputs;
    auto add = [&inputs](WORD vk, DWORD flags) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = flags | (vk == VK_DELETE ? KEYEVENTF_EXTENDEDKEY : 0);
        inputs.push_back(input);
    };
    for (WORD modifier : modifiers)
        add(modifier, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m)
        add(*m, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Sleep(100);
}

// ASCII text typed character by character, whatever the keyboard's layout.
inline void Type(const std::string& text)
{
    std::vector<INPUT> inputs;
    for (char c : text) {
        for (DWORD flags : {DWORD(KEYEVENTF_UNICODE), DWORD(KEYEVENTF_UNICODE | KEYEVENTF_KEYUP)}) {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = static_cast<unsigned char>(c);
            input.ki.dwFlags = flags;
            inputs.push_back(input);
        }
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Sleep(100);
}

// The first window below parent (at any depth) of the class.
inline HWND FindDescendant(HWND parent, const char* className)
{
    struct Search {
        const char* className;
        HWND found;
    } search = {className, nullptr};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            char name[64] = {};
            GetClassNameA(child, name, sizeof(name));
            if (std::string(name) != s->className)
                return TRUE;
            s->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Closes the program's main window and waits for the program to end; one that does not end is a
// failure and is ended by force.
inline void CloseProgram(PROCESS_INFORMATION& process, HWND main)
{
    if (!process.hProcess)
        return;
    if (main)
        PostMessageA(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 3000) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the program did not end when its window was closed";
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, kPatience);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

// The window of the process with the title once it is the foreground window and has had a
// moment to take its keys; null when it does not come.
inline HWND InFront(DWORD processId, const std::string& title, DWORD patience = kPatience)
{
    HWND found = nullptr;
    WaitFor([&] {
        HWND front = GetForegroundWindow();
        DWORD owner = 0;
        GetWindowThreadProcessId(front, &owner);
        if (owner != processId || !IsWindowVisible(front) || WindowText(front) != title)
            return false;
        found = front;
        return true;
    }, patience);
    Sleep(300);
    return found;
}

}
