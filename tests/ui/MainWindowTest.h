#pragma once
// The main window as the program makes it, for the tests of its commands: a client area of
// 1000 x 600, the shipped option.xml beside the test program, every message box answered and
// recorded, and records put into the list directly.
#include "ui/CMainWnd.h"

#include "framework/WindowUtil.h"
#include "resources/resource.h"

#include "MessageBoxRecorder.h"
#include "TestFiles.h"
#include "tools/recbuilder/RecordBuilder.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace mainwindow {

inline std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::filesystem::path(path).parent_path().string();
}

inline std::string OptionPath()
{
    return ProgramFolder() + "\\option.xml";
}

// The shipped option.xml beside the test program, as beside the program.
inline void UseShippedOptions()
{
    std::string shipped = std::string(std::getenv("TV_BINARY_DIR")) + "/bin/option.xml";
    CopyFileA(shipped.c_str(), OptionPath().c_str(), FALSE);
}

inline RECT WindowRect(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

inline int Width(const RECT& rect)
{
    return rect.right - rect.left;
}

inline std::string WindowText(HWND window)
{
    char text[256] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

// Delivers the thread's messages for a while (a posted key reaches a dialog through its loop).
inline void PumpFor(DWORD milliseconds)
{
    DWORD start = GetTickCount();
    MSG message;
    while (GetTickCount() - start < milliseconds) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!IsDialogMessageA(GetActiveWindow(), &message)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
        Sleep(5);
    }
}

// The clipboard's text, or "<none>".
inline std::string ClipboardText()
{
    std::string text = "<none>";
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE block = GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(GlobalLock(block));
        GlobalUnlock(block);
    }
    CloseClipboard();
    return text;
}

inline void SetClipboardText(const std::string& text)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1);
    std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    OpenClipboard(nullptr);
    EmptyClipboard();
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
}

// The texts of the tree's items in order, one per line.
inline std::string TreeTexts(CTreeView& tree)
{
    std::string texts;
    HTREEITEM item = TreeView_GetRoot(tree.window);
    while (item) {
        std::string text;
        tree.GetItem(item, text);
        texts += text + "\n";
        HTREEITEM next = TreeView_GetChild(tree.window, item);
        while (!next && item) {
            next = TreeView_GetNextSibling(tree.window, item);
            if (!next)
                item = TreeView_GetParent(tree.window, item);
        }
        item = next;
    }
    return texts;
}

const char kClass[] = "TallyvaneUiTest";

class MainWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() { UseShippedOptions(); }
    void SetUp() override
    {
        ASSERT_NE(0, RegisterWindowClass(kClass, CS_HREDRAW | CS_VREDRAW, nullptr, nullptr,
                                         LoadCursorA(nullptr, IDC_ARROW),
                                         reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1),
                                         IDR_MAINMENU));
        Create();
    }
    void Create()
    {
        const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
        RECT frame = {0, 0, 1000, 600};
        AdjustWindowRectEx(&frame, style, TRUE, 0);
        ASSERT_TRUE(mainWnd.Create(kClass, "Tallyvane Version 0.12", style, 0, CW_USEDEFAULT, 0,
                                   Width(frame), frame.bottom - frame.top, nullptr, 0));
    }
    void TearDown() override
    {
        if (mainWnd.window)
            DestroyWindow(mainWnd.window);
        UnregisterClassA(kClass, GetModuleHandleA(nullptr));
        UnregisterClassA("SplitBaseLeft Class", GetModuleHandleA(nullptr));
        UnregisterClassA("SplitBaseRight Class", GetModuleHandleA(nullptr));
        // The window and its panes post the quit message as they go; it must not end the next
        // test's message boxes.
        MSG quit;
        while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    void Command(UINT id) { SendMessageA(mainWnd.window, WM_COMMAND, id, 0); }
    UINT MenuState(UINT id) { return GetMenuState(GetMenu(mainWnd.window), id, MF_BYCOMMAND); }

    // A recorded file made by the record builder, added to the store with a list row at the end;
    // the row's number.
    int AddRecordRow(const std::string& name, const recbuilder::Source& source)
    {
        recbuilder::Bytes bytes = recbuilder::Build(source);
        return AddFileRow(testfiles::Write(name, std::string(bytes.begin(), bytes.end())));
    }
    int AddFileRow(const std::string& path)
    {
        int32_t id = mainWnd.data.AddRecord(path);
        EXPECT_NE(0, id) << path;
        return mainWnd.list.InsertItem(path, mainWnd.list.GetItemCount(), 0, 1, id);
    }
    // A row whose record holds an already decoded settings text that no file of the container
    // could carry (more than 16 MB).
    int AddDecodedRow(const std::string& settings, const std::string& mapScript = "")
    {
        int32_t id = ++mainWnd.data.lastId;
        CRecord& record = mainWnd.data.records[id];
        record.path = "decoded.rec";
        record.settings = settings;
        record.mapScript = mapScript;
        record.formatVersion = "1";
        record.unpacked = true;
        return mainWnd.list.InsertItem(record.path, mainWnd.list.GetItemCount(), 0, 1, id);
    }

    MessageBoxRecorder boxes;
    CMainWnd mainWnd;
};

}
