#include "framework/CWndBase.h"

#include <unordered_map>

namespace {
const char kObjectProperty[] = "CPP_CLASS";

// Every bound window and its object, kept in the process too. Under Wine a window property lives
// in the wineserver: each GetPropA is a request to that other process (10 to 50 microseconds),
// and the shared procedure needs the object at every message; a tree fill of 10,000 items spent
// most of its time asking for the property. The procedure reads this table instead; the property
// stays for whoever looks at a window from outside. The windows all belong to the program's one
// thread, so the table needs no lock. Never destroyed: objects of static storage unbind
// themselves at exit, when the statics of this file may be gone already.
std::unordered_map<HWND, CWndBase*>& Bindings()
{
    static auto* bindings = new std::unordered_map<HWND, CWndBase*>;
    return *bindings;
}

CWndBase* BoundObject(HWND window)
{
    auto found = Bindings().find(window);
    return found == Bindings().end() ? nullptr : found->second;
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
    Bindings()[handle] = this;
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
    Bindings().erase(window);
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
