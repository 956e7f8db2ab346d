#include "app/WindowedStart.h"

#include "framework/Messages.h"
#include "framework/WindowUtil.h"
#include "resources/Version.h"
#include "resources/resource.h"

#include <commctrl.h>

namespace {

const char kMainClass[] = "Tallyvane";
const char kTitle[] = TV_PRODUCT_NAME " Version " TV_VERSION;

// Key messages 0x100 to 0x108 and mouse messages 0x200 to 0x209 (the wheel not included).
bool IsKeyboardOrMouse(UINT message)
{
    return (message >= 0x100 && message <= 0x108) || (message >= 0x200 && message <= 0x209);
}

// Offers the message to the dialogs around its window, innermost first.
bool TakenByDialog(MSG& message)
{
    for (HWND ancestor = GetParent(message.hwnd); ancestor; ancestor = GetParent(ancestor)) {
        if (IsDialogMessageA(ancestor, &message))
            return true;
    }
    return false;
}

}

int RunWindowed()
{
    // Here rather than first thing at the entry: the call only loads the common controls'
    // library, and the command-line mode, which never makes a window, would pay for it.
    InitCommonControls();
    if (!CreateMainWindow(g_mainWnd))
        return 0;
    g_mainWnd.Show(SW_SHOW);
    g_mainWnd.Redraw(true);
    HACCEL accelerators = LoadMainAccelerators(GetModuleHandleA(nullptr));
    return RunMessageLoop(g_mainWnd.window, accelerators);
}

bool CreateMainWindow(CMainWnd& mainWnd)
{
    if (!RegisterWindowClass(kMainClass, CS_HREDRAW | CS_VREDRAW, nullptr, nullptr,
                             LoadCursorA(nullptr, IDC_ARROW),
                             reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1), IDR_MAINMENU)) {
        MessageBoxA(nullptr, "MainWndを初期化できません", nullptr, MB_ICONEXCLAMATION);
        return false;
    }
    if (!mainWnd.Create(kMainClass, kTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
                        CW_USEDEFAULT, 0, CW_USEDEFAULT, 0, nullptr, 0)) {
        // The windows destroyed on the way out have posted the quit message, which would end
        // the box before anyone saw it.
        MSG quit;
        while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        MessageBoxA(nullptr, "MainWndウインドウを作成できません", nullptr, MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

HACCEL LoadMainAccelerators(HINSTANCE module)
{
    HACCEL accelerators = LoadAcceleratorsA(module, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    if (!accelerators)
        ShowMessage(nullptr, "アクセラレータのロードに失敗しました。\n" + GetLastErrorText(), "",
                    MB_OK);
    return accelerators;
}

int RunMessageLoop(HWND mainWindow, HACCEL accelerators)
{
    MSG message = {};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        bool taken = IsKeyboardOrMouse(message.message) && TakenByDialog(message);
        if (TranslateAcceleratorA(mainWindow, accelerators, &message) || taken)
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
