#pragma once
#include <windows.h>

#include <string>

// Puts text on the clipboard for the owner window.
class CClipboard {
public:
    CClipboard() = default;
    virtual ~CClipboard() = default;

    // 0 on success, -2 when no memory block could be had, -3 when the clipboard could not be
    // opened (it is held by another window), -4 when the clipboard refused the text.
    int SetText(const std::string& text);

    HWND owner = nullptr;
};
