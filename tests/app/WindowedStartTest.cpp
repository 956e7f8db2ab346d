#include "app/WindowedStart.h"

#include "framework/WindowUtil.h"
#include "resources/resource.h"

#include "MessageBoxRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

// The program defines the main window object beside its entry; so does this test program.
CMainWnd g_mainWnd;

namespace {

// What the windows of the message loop tests received.
struct Received {
    HWND window;
    UINT message;
    WPARAM wParam;
};
std::vector<Received> received;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND || message == WM_KEYDOWN || message == WM_CHAR ||
        message == WM_LBUTTONDOWN || message == WM_APP)
        received.push_back({window, message, wParam});
    if (message == WM_GETDLGCODE)
        return DLGC_WANTALLKEYS;
    return DefWindowProcA(window, message, wParam, lParam);
}

int Count(HWND window, UINT message, WPARAM wParam)
{
    int count = 0;
    // An accelerator's command carries 1 in the high word.
    for (const Received& r : received)
        count += r.window == window && r.message == message &&
                 (message == WM_COMMAND ? LOWORD(r.wParam) : r.wParam) == wParam;
    return count;
}

// A modeless dialog inside the main window: two edit boxes and a probe control (id 3).
HWND CreateHostedDialog(HWND parent)
{
    alignas(4) static WORD buffer[256];
    WORD* p = buffer;
    auto* dialog = reinterpret_cast<DLGTEMPLATE*>(p);
    dialog->style = WS_CHILD | WS_VISIBLE | DS_CONTROL;
    dialog->cdit = 3;
    dialog->cx = 200;
    dialog->cy = 100;
    p = reinterpret_cast<WORD*>(dialog + 1);
    *p++ = 0; // no menu
    *p++ = 0; // the standard class
    *p++ = 0; // no title
    auto item = [&p](DWORD style, short y, WORD id, const wchar_t* className) {
        p = reinterpret_cast<WORD*>((reinterpret_cast<ULONG_PTR>(p) + 3) & ~ULONG_PTR(3));
        auto* entry = reinterpret_cast<DLGITEMTEMPLATE*>(p);
        *entry = {};
        entry->style = WS_CHILD | WS_VISIBLE | style;
        entry->x = 5;
        entry->y = y;
        entry->cx = 100;
        entry->cy = 12;
        entry->id = id;
        p = reinterpret_cast<WORD*>(entry + 1);
        while (*className)
            *p++ = *className++;
        *p++ = 0;
        *p++ = 0; // no text
        *p++ = 0; // no creation data
    };
    item(WS_TABSTOP | ES_AUTOHSCROLL, 5, 1, L"EDIT");
    item(WS_TABSTOP | ES_AUTOHSCROLL, 25, 2, L"EDIT");
    item(0, 45, 3, L"LoopProbe");
    return CreateDialogIndirectParamA(nullptr, dialog, parent, nullptr, 0);
}

class MessageLoop : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = RecordingProc;
        windowClass.lpszClassName = "LoopProbe";
        RegisterClassA(&windowClass);
        main = CreateWindowA("LoopProbe", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300,
                             nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, main);
        dialog = CreateHostedDialog(main);
        ASSERT_NE(nullptr, dialog);
        accelerators = LoadMainAccelerators(GetModuleHandleA(nullptr));
        ASSERT_NE(nullptr, accelerators);
        MSG drained;
        while (PeekMessageA(&drained, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&drained);
            DispatchMessageA(&drained);
        }
        received.clear();
    }
    void TearDown() override
    {
        DestroyWindow(main);
        DestroyAcceleratorTable(accelerators);
    }
    struct Posted {
        HWND window;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    // Posts the messages, then the quit message, and runs the loop over them.
    int Run(const std::vector<Posted>& messages)
    {
        for (const Posted& m : messages)
            PostMessageA(m.window, m.message, m.wParam, m.lParam);
        PostQuitMessage(5);
        return RunMessageLoop(main, accelerators);
    }
    HWND Item(int id) { return GetDlgItem(dialog, id); }

    HWND main = nullptr;
    HWND dialog = nullptr;
    HACCEL accelerators = nullptr;
};

}

TEST_F(MessageLoop, EndsWithTheQuitCode)
{
    EXPECT_EQ(5, Run({}));
}

TEST_F(MessageLoop, AKeyInAHostedDialogGoesToTheDialogAndToTheAccelerators)
{
    SetFocus(Item(1));
    ASSERT_EQ(Item(1), GetFocus());
    EXPECT_EQ(5, Run({{Item(1), WM_KEYDOWN, VK_TAB, 0x000F0001}}));
    EXPECT_EQ(Item(2), GetFocus()) << "the dialog moves the focus on Tab";
    EXPECT_EQ(1, Count(main, WM_COMMAND, ID_SWITCH_FOCUS));
}

TEST_F(MessageLoop, AnAcceleratorKeyOfTheMainWindowIsNotDispatched)
{
    EXPECT_EQ(5, Run({{main, WM_KEYDOWN, VK_F2, 0x003C0001}}));
    EXPECT_EQ(1, Count(main, WM_COMMAND, ID_EDIT_RENAME));
    EXPECT_EQ(0, Count(main, WM_KEYDOWN, VK_F2));
}

TEST_F(MessageLoop, AnOrdinaryKeyIsTranslatedAndDispatched)
{
    EXPECT_EQ(5, Run({{main, WM_KEYDOWN, 'X', 0x002D0001}}));
    EXPECT_EQ(1, Count(main, WM_KEYDOWN, 'X'));
    EXPECT_EQ(1, Count(main, WM_CHAR, 'x'));
    EXPECT_TRUE(std::none_of(received.begin(), received.end(),
                             [](const Received& r) { return r.message == WM_COMMAND; }));
}

TEST_F(MessageLoop, AMouseMessageForAControlOfTheDialogReachesItOnce)
{
    EXPECT_EQ(5, Run({{Item(3), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2)},
                      {Item(3), WM_APP, 7, 0}}));
    EXPECT_EQ(1, Count(Item(3), WM_LBUTTONDOWN, MK_LBUTTON));
    EXPECT_EQ(1, Count(Item(3), WM_APP, 7));
}

TEST(Accelerators, AModuleWithoutTheTableIsReported)
{
    MessageBoxRecorder boxes;
    EXPECT_EQ(nullptr, LoadMainAccelerators(GetModuleHandleA("kernel32.dll")));
    ASSERT_EQ(1u, boxes.boxes.size());
    const std::string lead = "アクセラレータのロードに失敗しました。\n";
    EXPECT_EQ(lead, boxes.boxes[0].text.substr(0, lead.size()));
    EXPECT_GT(boxes.boxes[0].text.size(), lead.size()) << "the system's text follows";
    EXPECT_EQ("", boxes.boxes[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK), boxes.boxes[0].flags);
    EXPECT_EQ(nullptr, boxes.boxes[0].owner);
}

namespace {

// The shipped option.xml beside the test program, as beside the program.
void UseShippedOptions()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string target = path;
    target = target.substr(0, target.find_last_of('\\') + 1) + "option.xml";
    std::string shipped = std::string(std::getenv("TV_BINARY_DIR")) + "\\bin\\option.xml";
    CopyFileA(shipped.c_str(), target.c_str(), FALSE);
}

void DrainQuit()
{
    MSG quit;
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

void ForgetClasses()
{
    for (const char* name : {"Tallyvane", "SplitBaseLeft Class", "SplitBaseRight Class"})
        UnregisterClassA(name, GetModuleHandleA(nullptr));
}

}

TEST(CreateMainWindow, MakesTheWindowOfItsClassThenRefusesASecondClass)
{
    UseShippedOptions();
    MessageBoxRecorder boxes;
    ASSERT_TRUE(CreateMainWindow(g_mainWnd));
    char text[64] = {};
    GetWindowTextA(g_mainWnd.window, text, sizeof(text));
    EXPECT_STREQ("Tallyvane Version 0.12", text);
    GetClassNameA(g_mainWnd.window, text, sizeof(text));
    EXPECT_STREQ("Tallyvane", text);
    EXPECT_EQ(0x02CF0000, GetWindowLongPtrA(g_mainWnd.window, GWL_STYLE) & 0x02CF0000);
    EXPECT_EQ(nullptr, GetParent(g_mainWnd.window));
    EXPECT_NE(nullptr, GetMenu(g_mainWnd.window));
    EXPECT_FALSE(IsWindowVisible(g_mainWnd.window)) << "shown by the start-up, not at creation";

    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_FALSE(CreateMainWindow(g_mainWnd));
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("MainWndを初期化できません", boxes.boxes.back().text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.boxes.back().flags);
    EXPECT_EQ(nullptr, boxes.boxes.back().owner);

    DestroyWindow(g_mainWnd.window);
    DrainQuit();
    ForgetClasses();
}

TEST(CreateMainWindow, AWindowThatRefusesItsCreationIsReported)
{
    // A pane class that exists already cannot be registered by the window.
    ASSERT_NE(0, RegisterWindowClass("SplitBaseLeft Class", 0, nullptr, nullptr, nullptr, nullptr, 0));
    MessageBoxRecorder boxes;
    EXPECT_FALSE(CreateMainWindow(g_mainWnd));
    std::vector<std::string> texts;
    for (const MessageBoxRecorder::Box& box : boxes.boxes)
        texts.push_back(box.text);
    EXPECT_EQ((std::vector<std::string>{"SplitWndLeft", "MainWndウインドウを作成できません"}), texts);
    ASSERT_EQ(2u, boxes.boxes.size());
    EXPECT_EQ("エラー", boxes.boxes[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.boxes[1].flags);
    EXPECT_EQ(nullptr, g_mainWnd.window);
    DrainQuit();
    ForgetClasses();
}

namespace {

struct ProgramWindow {
    DWORD process;
    HWND window;
    std::string boxText;
};

BOOL CALLBACK FindProgramWindows(HWND window, LPARAM data)
{
    auto* found = reinterpret_cast<ProgramWindow*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != found->process || !IsWindowVisible(window))
        return TRUE;
    char className[64] = {};
    GetClassNameA(window, className, sizeof(className));
    if (std::string(className) == "Tallyvane") {
        found->window = window;
    } else if (std::string(className) == "#32770") {
        char text[512] = {};
        GetDlgItemTextA(window, 0xFFFF, text, sizeof(text));
        found->boxText = text;
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    }
    return TRUE;
}

struct CloseCase {
    const char* name;
    UINT message;
    WPARAM wParam;
};

class Program : public ::testing::TestWithParam<CloseCase> {};

}

TEST_P(Program, OpensItsWindowShownNormallyAndEndsWhenItCloses)
{
    std::string program = std::string(std::getenv("TV_BINARY_DIR")) + "\\bin\\tallyvane.exe";
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINIMIZED;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                               nullptr, nullptr, &startup, &process));
    ProgramWindow found = {process.dwProcessId, nullptr, ""};
    for (int i = 0; i < 300 && !found.window && found.boxText.empty(); ++i) {
        Sleep(100);
        EnumWindows(FindProgramWindows, reinterpret_cast<LPARAM>(&found));
    }
    EXPECT_EQ("", found.boxText) << "the program showed a message";
    ASSERT_NE(nullptr, found.window);
    char title[64] = {};
    GetWindowTextA(found.window, title, sizeof(title));
    EXPECT_STREQ("Tallyvane Version 0.12", title);
    EXPECT_TRUE(IsWindowVisible(found.window));
    EXPECT_FALSE(IsIconic(found.window));
    EXPECT_FALSE(IsZoomed(found.window));
    // The keys go to the file list from the start.
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof(gui);
    char focused[64] = {};
    for (int i = 0; i < 50 && std::string(focused) != "SysListView32"; ++i) {
        Sleep(100);
        if (GetGUIThreadInfo(GetWindowThreadProcessId(found.window, nullptr), &gui))
            GetClassNameA(gui.hwndFocus, focused, sizeof(focused));
    }
    EXPECT_STREQ("SysListView32", focused);

    PostMessageA(found.window, GetParam().message, GetParam().wParam, 0);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 30000));
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    EXPECT_EQ(0u, code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

INSTANTIATE_TEST_SUITE_P(Ways, Program,
                         ::testing::Values(CloseCase{"CloseBox", WM_CLOSE, 0},
                                           CloseCase{"AltF4", WM_SYSCOMMAND, SC_CLOSE},
                                           CloseCase{"ExitCommand", WM_COMMAND, ID_FILE_EXIT}),
                         [](const ::testing::TestParamInfo<CloseCase>& info) {
                             return info.param.name;
                         });

namespace {

// Refuses the making of the right pane, after the left pane was made. On Windows the main
// window and the left pane then get WM_DESTROY on the way out, and each posts the quit message;
// Wine destroys a window whose creation failed without WM_DESTROY, so the quit message is
// posted here as Windows would post it.
LRESULT CALLBACK RefuseRightPane(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        const char* className = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->lpszClass;
        if (HIWORD(reinterpret_cast<ULONG_PTR>(className)) != 0 &&
            std::string(className) == "SplitBaseRight Class") {
            PostQuitMessage(0);
            return 1;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Answers each message box of the thread half a second after it showed, and notes its text
// and whether it was still there to be answered.
class LateAnswer {
public:
    LateAnswer()
    {
        current = this;
        hook = SetWindowsHookExA(WH_CALLWNDPROCRET, HookProc, nullptr, GetCurrentThreadId());
    }
    ~LateAnswer()
    {
        UnhookWindowsHookEx(hook);
        if (timer)
            KillTimer(nullptr, timer);
        current = nullptr;
    }
    std::vector<std::string> texts;
    int answered = 0;

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam)
    {
        const CWPRETSTRUCT* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        char className[16] = {};
        GetClassNameA(call->hwnd, className, sizeof(className));
        if (code == HC_ACTION && current && call->message == WM_INITDIALOG &&
            std::string(className) == "#32770") {
            char text[256] = {};
            GetDlgItemTextA(call->hwnd, 0xFFFF, text, sizeof(text));
            current->texts.push_back(text);
            current->box = call->hwnd;
            current->timer = SetTimer(nullptr, 0, 500, Fire);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static void CALLBACK Fire(HWND, UINT, UINT_PTR timer, DWORD)
    {
        KillTimer(nullptr, timer);
        current->timer = 0;
        if (IsWindow(current->box) && IsWindowVisible(current->box)) {
            ++current->answered;
            PostMessageA(current->box, WM_COMMAND, IDOK, 0);
        }
    }
    static inline LateAnswer* current = nullptr;
    HHOOK hook;
    HWND box = nullptr;
    UINT_PTR timer = 0;
};

}

TEST(CreateMainWindow, TheFailureBoxStaysUntilAnsweredAlsoWhenAPaneWasMadeAndDestroyed)
{
    UseShippedOptions();
    HHOOK refuse = SetWindowsHookExA(WH_CBT, RefuseRightPane, nullptr, GetCurrentThreadId());
    LateAnswer answer;
    EXPECT_FALSE(CreateMainWindow(g_mainWnd));
    UnhookWindowsHookEx(refuse);
    EXPECT_EQ(std::vector<std::string>{"MainWndウインドウを作成できません"}, answer.texts);
    EXPECT_EQ(1, answer.answered) << "the box closed before anyone could answer it";
    EXPECT_EQ(nullptr, g_mainWnd.window);
    DrainQuit();
    ForgetClasses();
}
