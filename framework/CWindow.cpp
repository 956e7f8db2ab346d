#include "framework/CWindow.h"

bool CWindow::Create(const char* className, const char* title, DWORD style, DWORD exStyle, int x,
                     int y, int width, int height, HWND parent, UINT_PTR menuOrId)
{
    if (window)
        return false;
    HWND made = CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent,
                                reinterpret_cast<HMENU>(menuOrId), GetModuleHandleA(nullptr),
                                static_cast<CWndBase*>(this));
    // A window that refused its creation at WM_NCCREATE was bound without a WM_DESTROY to
    // unbind it.
    if (!made)
        Detach();
    return made != nullptr;
}

void CWindow::Destroy()
{
    if (window)
        DestroyWindow(window);
}

bool CWindow::SetIcon(WORD iconId)
{
    // The icon's own small image rather than its large one scaled down.
    HANDLE icon =
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED);
    return SendMsg(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon)) != 0;
}
