#include "framework/CMenu.h"

CMenu::~CMenu()
{
    if (owned)
        Destroy();
}

bool CMenu::Load(WORD menuId, HINSTANCE module)
{
    if (owned)
        Destroy();
    handle = LoadMenuA(module ? module : GetModuleHandleA(nullptr), MAKEINTRESOURCEA(menuId));
    owned = handle != nullptr;
    return owned;
}

bool CMenu::Destroy()
{
    if (handle)
        DestroyMenu(handle);
    handle = nullptr;
    owned = false;
    return true;
}

void CMenu::SetHandle(HMENU menu)
{
    handle = menu;
    owned = false;
}

BOOL CMenu::TrackPopup(HWND owner, int position, int x, int y, UINT flags)
{
    return TrackPopupMenuEx(GetSubMenu(handle, position), flags, x, y, owner, nullptr);
}

void CMenu::CheckItem(UINT commandId, bool checked)
{
    CheckMenuItem(handle, commandId, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool CMenu::IsChecked(UINT commandId)
{
    // GetMenuState gives all ones for a missing item, which has the check bit set.
    UINT state = GetMenuState(handle, commandId, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
}

void CMenu::EnableItem(UINT commandId, bool enabled)
{
    EnableMenuItem(handle, commandId, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void CMenu::SetItemText(UINT commandId, const std::string& text)
{
    MENUITEMINFOA item = {};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_STRING;
    item.dwTypeData = const_cast<char*>(text.c_str());
    SetMenuItemInfoA(handle, commandId, FALSE, &item);
}
