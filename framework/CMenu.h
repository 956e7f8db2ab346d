#pragma once
#include <windows.h>

#include <string>

// A menu handle. A menu that the object loaded is its own and is destroyed with it or when it
// loads another; one handed over by SetHandle (a window's menu bar) is only used.
class CMenu {
public:
    CMenu() = default;
    virtual ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    // module null: the program's own.
    bool Load(WORD menuId, HINSTANCE module = nullptr);
    // Destroys the held menu, whoever owns it; always true.
    bool Destroy();
    void SetHandle(HMENU menu);
    // Shows the popup at that position of the menu at a screen point; the chosen command when the
    // flags ask for it, else the platform's success flag.
    BOOL TrackPopup(HWND owner, int position, int x, int y, UINT flags);
    void CheckItem(UINT commandId, bool checked);
    // false also when there is no menu or no such item.
    bool IsChecked(UINT commandId);
    void EnableItem(UINT commandId, bool enabled);
    // The item's text alone (SetMenuItemInfoA with MIIM_STRING): its state stays as it is.
    void SetItemText(UINT commandId, const std::string& text);

    HMENU handle = nullptr;
    bool owned = false;
};
