#include "framework/CWndBase.h"

namespace {
const char kObjectProperty[] = "CPP_CLASS";

CWndBase* BoundObject(HWND window)
{
    return static_cast<CWndBase*>(GetPropA(window, kObjectProperty));
}

// A dialog keeps its dialog procedure in its extra bytes. Other windows may hold anything at
// that offset (the image of a button or a static, say), so only a window with a dialog's extra
// bytes counts.
bool IsDialogWindow(HWND window)
{
    return GetClassLongPtrA(window, GCL_CBWNDEXTRA) >= DLGWINDOWEXTRA &&
           GetWindowLongPtrA(window, DWLP_DLGPROC) != 0;
}

int ProcSlot(bool isDialog)
{
    return isDialog ? DWLP_DLGPROC : GWLP_WNDPROC;
}

// The object named by the creation message of a window that is not bound yet, or null.
CWndBase* ObjectFromCreation(UINT message, LPARAM lParam)
{
    if (message == WM_NCCREATE || message == WM_CREATE) {
        auto create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        return create ? static_cast<CWndBase*>(create->lpCreateParams) : nullptr;
    }
    if (message == WM_INITDIALOG)
        return reinterpret_cast<CWndBase*>(lParam);
    return nullptr;
}
}

LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWndBase* object = BoundObject(window);
    if (!object) {
        object = ObjectFromCreation(message, lParam);
        if (!object)
            return IsDialogWindow(window) ? 0 : DefWindowProcA(window, message, wParam, lParam);
        object->Attach(window);
    }
    LRESULT result = object->WindowProc(window, message, wParam, lParam);
    if (message == WM_DESTROY)
        object->Detach();
    return result;
}

CWndBase::~CWndBase()
{
    Detach();
}

bool CWndBase::Attach(HWND handle)
{
    if (!handle)
        return false;
    if (window)
        Detach();
    if (CWndBase* other = BoundObject(handle))
        other->Detach();
    window = handle;
    isDialog = IsDialogWindow(handle);
    SetPropA(handle, kObjectProperty, this);
    int slot = ProcSlot(isDialog);
    auto ours = reinterpret_cast<LONG_PTR>(&StaticWindowProc);
    if (GetWindowLongPtrA(handle, slot) != ours)
        previousProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(handle, slot, ours));
    return true;
}

bool CWndBase::Detach()
{
    if (!window)
        return false;
    if (previousProc)
        SetWindowLongPtrA(window, ProcSlot(isDialog), reinterpret_cast<LONG_PTR>(previousProc));
    RemovePropA(window, kObjectProperty);
    window = nullptr;
    previousProc = nullptr;
    isDialog = false;
    return true;
}

LRESULT CWndBase::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (previousProc)
        return CallWindowProcA(previousProc, hwnd, message, wParam, lParam);
    if (!isDialog)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    return 0;
}
