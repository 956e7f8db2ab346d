#pragma once
// What the tests of the export and the rename commands share: the main window with rows of real
// files, a recorder of the progress dialog's steps, of the debugger output, of the moves and of
// the save dialog, a clock in the test's hands with files that take time on it, and files beside
// the test program as beside the program.
#include "MainWindowTest.h"

#include "DialogVisitor.h"
#include "ImportPatch.h"
#include "TestClock.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace runtest {

using testclock::TestClock;

// UTF-8 text in the ANSI code page, as the program's texts are.
inline std::string Ansi(const std::string& utf8)
{
    int units = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &wide[0], units);
    int size = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, &out[0], size, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

// A folder of its own in the scratch folder, ending with a backslash.
inline std::string Folder(const std::string& name)
{
    std::string folder = testfiles::Path(name);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\";
}

// The names of the files in a folder (ending with a backslash), sorted.
inline std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

inline bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A file beside the test program, where the program finds option.xml and the stylesheet.
inline std::string BesideTheProgram(const std::string& name)
{
    return mainwindow::ProgramFolder() + "\\" + name;
}

// What the progress dialog showed each time its bar moved during a run (at each step of a run when
// its updateInterval is 0); an action of the test may run there too.
class ProgressRecorder {
public:
    struct Step {
        std::string first;
        std::string second;
        int position;
        int high;
        HWND owner;
        // Whether the test's main window took input at that moment.
        bool mainEnabled;
    };

    explicit ProgressRecorder(std::function<void(int step, HWND dialog)> action = nullptr) : action(std::move(action))
    {
        current = this;
        hook = SetWindowsHookExA(WH_CALLWNDPROCRET, HookProc, nullptr, GetCurrentThreadId());
    }
    ~ProgressRecorder()
    {
        UnhookWindowsHookEx(hook);
        current = nullptr;
    }
    ProgressRecorder(const ProgressRecorder&) = delete;
    ProgressRecorder& operator=(const ProgressRecorder&) = delete;

    std::vector<Step> steps;

private:
    static std::string ItemText(HWND dialog, int id)
    {
        char text[512] = {};
        GetDlgItemTextA(dialog, id, text, sizeof(text));
        return text;
    }

    // The main window of the test, made on this thread with the tests' window class.
    static HWND MainWindowOfThread()
    {
        HWND found = nullptr;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND window, LPARAM data) -> BOOL {
                char className[64] = {};
                GetClassNameA(window, className, sizeof(className));
                if (std::string(className) != mainwindow::kClass)
                    return TRUE;
                *reinterpret_cast<HWND*>(data) = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }

    static bool IsBar(HWND window)
    {
        char className[32] = {};
        GetClassNameA(window, className, sizeof(className));
        return std::string(className) == PROGRESS_CLASSA;
    }

    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam)
    {
        const CWPRETSTRUCT* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        // Only a move of the bar counts: the dialog sets its first position, 0, before the run
        // and shows new lines with the position they came with. Other controls take the same
        // message number for other things.
        if (code == HC_ACTION && current && call->message == PBM_SETPOS &&
            call->wParam != static_cast<WPARAM>(call->lResult) && IsBar(call->hwnd)) {
            HWND dialog = GetParent(call->hwnd);
            Step step = {ItemText(dialog, IDC_PROGRESS_FIRST_LINE), ItemText(dialog, IDC_PROGRESS_SECOND_LINE),
                         static_cast<int>(SendMessageA(call->hwnd, PBM_GETPOS, 0, 0)),
                         static_cast<int>(SendMessageA(call->hwnd, PBM_GETRANGE, FALSE, 0)),
                         GetWindow(dialog, GW_OWNER), IsWindowEnabled(MainWindowOfThread()) != FALSE};
            current->steps.push_back(step);
            if (current->action)
                current->action(static_cast<int>(current->steps.size()), dialog);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline ProgressRecorder* current = nullptr;
    std::function<void(int, HWND)> action;
    HHOOK hook;
};

// Every recorded file (".rec", ".rcx") that the program opens or measures while it lives takes
// wait milliseconds of the test's clock, as on a slow disk, and is noted with what the progress
// dialog showed at that moment.
class SlowFiles {
public:
    struct Look {
        std::string name;
        // Whether the progress dialog was open, and its lines and bar then.
        bool shown;
        std::string first;
        std::string second;
        int position;
    };

    // onLook runs at each look, before the file is opened or measured.
    SlowFiles(TestClock& clock, DWORD wait, const CProgressDlg& progress,
              std::function<void(const Look&)> onLook = nullptr)
        : clock(clock), wait(wait), progress(progress), onLook(std::move(onLook))
    {
        current = this;
    }
    ~SlowFiles() { current = nullptr; }
    SlowFiles(const SlowFiles&) = delete;
    SlowFiles& operator=(const SlowFiles&) = delete;

    std::vector<Look> looks;

private:
    static HANDLE WINAPI Open(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                              DWORD disposition, DWORD flags, HANDLE model)
    {
        current->Note(path);
        return current->open.Original<decltype(&CreateFileA)>()(path, access, share, security, disposition, flags,
                                                                 model);
    }
    static BOOL WINAPI Measure(LPCSTR path, GET_FILEEX_INFO_LEVELS level, LPVOID data)
    {
        current->Note(path);
        return current->measure.Original<decltype(&GetFileAttributesExA)>()(path, level, data);
    }
    void Note(const char* path)
    {
        std::string name = path;
        name.erase(0, name.find_last_of('\\') + 1);
        std::string extension = name.size() > 4 ? name.substr(name.size() - 4) : std::string();
        if (extension != ".rec" && extension != ".rcx")
            return;
        Look look = {name, progress.window != nullptr, "", "", -1};
        if (look.shown) {
            char text[512] = {};
            GetDlgItemTextA(progress.window, IDC_PROGRESS_FIRST_LINE, text, sizeof(text));
            look.first = text;
            GetDlgItemTextA(progress.window, IDC_PROGRESS_SECOND_LINE, text, sizeof(text));
            look.second = text;
            look.position = static_cast<int>(SendDlgItemMessageA(progress.window, IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0));
        }
        looks.push_back(look);
        clock.Advance(wait);
        if (onLook)
            onLook(look);
    }

    static inline SlowFiles* current = nullptr;
    TestClock& clock;
    DWORD wait;
    const CProgressDlg& progress;
    std::function<void(const Look&)> onLook;
    ImportPatch open{"kernel32.dll", "CreateFileA", reinterpret_cast<const void*>(&Open)};
    ImportPatch measure{"kernel32.dll", "GetFileAttributesExA", reinterpret_cast<const void*>(&Measure)};
};

// "label (number / count)", the first line of the progress dialog at a row.
inline std::string RunLine(const std::string& label, int number, int count)
{
    return label + " (" + std::to_string(number) + " / " + std::to_string(count) + ")";
}

// The moves that the code under test asks of the system while the recorder lives, each passed on
// to the system as asked.
class MoveRecorder {
public:
    MoveRecorder() { current = this; }
    ~MoveRecorder() { current = nullptr; }
    MoveRecorder(const MoveRecorder&) = delete;
    MoveRecorder& operator=(const MoveRecorder&) = delete;

    // The old and the new path of each move.
    std::vector<std::pair<std::string, std::string>> moves;
    ImportPatch patch{"kernel32.dll", "MoveFileA", reinterpret_cast<const void*>(&Record)};

private:
    static BOOL WINAPI Record(LPCSTR from, LPCSTR to)
    {
        current->moves.emplace_back(from, to);
        return current->patch.Original<decltype(&MoveFileA)>()(from, to);
    }

    static inline MoveRecorder* current = nullptr;
};

// The lines that the program writes to the debugger, as a debugger receives them.
class DebugOutputRecorder {
public:
    // onLine runs for each line as it is written.
    explicit DebugOutputRecorder(std::function<void(const std::string&)> onLine = nullptr) : onLine(std::move(onLine))
    {
        current = this;
        handler = AddVectoredExceptionHandler(1, Handler);
    }
    ~DebugOutputRecorder()
    {
        RemoveVectoredExceptionHandler(handler);
        current = nullptr;
    }
    DebugOutputRecorder(const DebugOutputRecorder&) = delete;
    DebugOutputRecorder& operator=(const DebugOutputRecorder&) = delete;

    std::vector<std::string> lines;

private:
    // OutputDebugStringA raises DBG_PRINTEXCEPTION_C with the length (its NUL included) and the
    // text, and handles it itself when no debugger does.
    static LONG CALLBACK Handler(EXCEPTION_POINTERS* info)
    {
        const EXCEPTION_RECORD* record = info->ExceptionRecord;
        if (current && record->ExceptionCode == 0x40010006 && record->NumberParameters >= 2) {
            current->lines.emplace_back(reinterpret_cast<const char*>(record->ExceptionInformation[1]),
                                        record->ExceptionInformation[0] - 1);
            if (current->onLine)
                current->onLine(current->lines.back());
        }
        return EXCEPTION_CONTINUE_SEARCH;
    }

    static inline DebugOutputRecorder* current = nullptr;
    std::function<void(const std::string&)> onLine;
    void* handler;
};

// Answers the system's save dialog: types name and saves, or cancels when name is empty. Keeps
// the folder that the dialog opened on.
class SaveDialogAnswer {
public:
    explicit SaveDialogAnswer(const std::string& name)
        : visitor(
              [](HWND window) {
                  char className[16] = {};
                  GetClassNameA(window, className, sizeof(className));
                  return std::string(className) == "#32770" &&
                         (GetDlgItem(window, 0x480) || GetDlgItem(window, 0x47c));
              },
              [this, name](HWND dialog) {
                  char path[MAX_PATH] = {};
                  SendMessageA(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(path));
                  folder = path;
                  if (name.empty()) {
                      PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                      return;
                  }
                  HWND edit = GetDlgItem(dialog, 0x480);
                  SetWindowTextA(edit ? edit : GetDlgItem(dialog, 0x47c), name.c_str());
                  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
              })
    {
    }

    std::string folder;
    DialogVisitor visitor;
};

// Types a command of the menu bar as the user does: Alt with the first letter opens a menu of the
// bar, and each further letter, once the menu it belongs to is open, chooses by its underlined
// letter. The letters are posted to focus; the menu reads them from the queue. A menu still open
// after ten seconds is closed, so that a test that fails never blocks.
class MenuKeys {
public:
    MenuKeys(HWND focus, const std::string& letters) : focus(focus), letters(letters)
    {
        current = this;
        hook = SetWindowsHookExA(WH_CALLWNDPROC, HookProc, nullptr, GetCurrentThreadId());
        timer = SetTimer(nullptr, 0, 10000, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
        // What the system makes of Alt with a letter; the window's default handling opens the menu.
        PostMessageA(focus, WM_SYSCHAR, static_cast<unsigned char>(letters[0]), 1 << 29);
    }
    ~MenuKeys()
    {
        KillTimer(nullptr, timer);
        UnhookWindowsHookEx(hook);
        current = nullptr;
    }
    MenuKeys(const MenuKeys&) = delete;
    MenuKeys& operator=(const MenuKeys&) = delete;

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam)
    {
        const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && current && call->message == WM_INITMENUPOPUP && current->next < current->letters.size())
            PostMessageA(current->focus, WM_CHAR, static_cast<unsigned char>(current->letters[current->next++]), 1);
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline MenuKeys* current = nullptr;
    HWND focus;
    std::string letters;
    size_t next = 1;
    HHOOK hook;
    UINT_PTR timer;
};

// The main window with rows of real files, added as the file list adds them.
class RunWindow : public mainwindow::MainWindow {
protected:
    // Every step of a run reaches the progress dialog, open from the start, so that the tests see
    // each.
    void SetUp() override
    {
        MainWindow::SetUp();
        mainWnd.progress.updateInterval = 0;
        mainWnd.searchDialogDelay = 0;
    }
    // A row at the end for the file at path, showing its file name; the row's number.
    int AddRow(const std::string& path)
    {
        int32_t id = mainWnd.data.AddRecord(path);
        EXPECT_NE(0, id) << path;
        return mainWnd.list.InsertItem(mainWnd.data.records[id].fileName, mainWnd.list.GetItemCount(), 0, 1, id);
    }
    // Every step of the run was shown by a dialog of the main window with the main window
    // disabled; the window is enabled again and the dialog gone.
    void ExpectRunUnderTheMainWindow(const ProgressRecorder& progress)
    {
        for (const ProgressRecorder::Step& step : progress.steps) {
            EXPECT_EQ(mainWnd.window, step.owner);
            EXPECT_FALSE(step.mainEnabled);
        }
        EXPECT_TRUE(IsWindowEnabled(mainWnd.window));
        EXPECT_EQ(nullptr, mainWnd.progress.window);
    }
    // Exactly the given rows selected.
    void Select(const std::vector<int>& rows)
    {
        LVITEMA none = {};
        none.stateMask = LVIS_SELECTED;
        SendMessageA(mainWnd.list.window, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
        for (int row : rows)
            mainWnd.list.SelectItem(row);
    }
    std::string RowText(int row)
    {
        std::string text;
        mainWnd.list.GetItemText(row, 0, text);
        return text;
    }
    CRecord& RecordOfRow(int row) { return mainWnd.data.records[static_cast<int32_t>(mainWnd.list.GetItemParam(row))]; }
    // Delivers the thread's messages as the program's message loop does: the main window's
    // accelerators first.
    void DeliverMessages()
    {
        HACCEL accelerators = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS));
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!TranslateAcceleratorA(mainWnd.window, accelerators, &message)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
        DestroyAcceleratorTable(accelerators);
    }
    // The window shown in front, the keyboard's focus in its list.
    void FocusTheList()
    {
        ShowWindow(mainWnd.window, SW_SHOW);
        SetForegroundWindow(mainWnd.window);
        SetFocus(mainWnd.list.window);
    }
    // A key pressed in the list of the shown window, with Ctrl held when control.
    void PressKey(UINT key, bool control)
    {
        FocusTheList();
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = control ? 0x80 : 0;
        SetKeyboardState(keys);
        PostMessageA(mainWnd.list.window, WM_KEYDOWN, key, 1);
        DeliverMessages();
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
    }
    // A command of the menu bar chosen with the keys, typed in the list of the shown window.
    void ChooseFromMenu(const std::string& letters)
    {
        FocusTheList();
        MenuKeys keys(mainWnd.list.window, letters);
        DeliverMessages();
    }
    // The texts of the tree's items in order, one per line, after the row was shown there as a
    // click shows it.
    std::string TreeOfRow(int row)
    {
        mainWnd.ShowRecordInTree(row);
        return mainwindow::TreeTexts(mainWnd.tree);
    }
};

// How the end of the session reaches the window during a run. Only WM_ENDSESSION with TRUE ends
// it: after the question the session may go on, when another program refuses or the user thinks
// better of it.
struct SessionCase {
    const char* name;
    bool query;  // WM_QUERYENDSESSION is sent
    bool end;    // WM_ENDSESSION is sent
    BOOL ends;   // with this: whether the session ends
    // Sends the messages to window; the answer to the question (-1 when none was asked).
    LRESULT Send(HWND window) const
    {
        LRESULT allowed = -1;
        if (query)
            allowed = SendMessageA(window, WM_QUERYENDSESSION, 0, 0);
        if (end)
            SendMessageA(window, WM_ENDSESSION, ends, 0);
        return allowed;
    }
    bool Stops() const { return end && ends; }
};

inline const std::vector<SessionCase>& SessionCases()
{
    static const std::vector<SessionCase> cases = {{"Query", true, false, FALSE},
                                                   {"End", false, true, TRUE},
                                                   {"QueryThenEnd", true, true, TRUE},
                                                   {"QueryThenEndFalse", true, true, FALSE}};
    return cases;
}

inline std::string SessionCaseName(const ::testing::TestParamInfo<SessionCase>& info)
{
    return info.param.name;
}

// A long Japanese name in a folder, for the limits of a path: its characters, and the folder below
// the test's own that it lies in (UTF-8, none when empty).
struct LongNameCase {
    const char* name;
    int characters;
    std::string subfolder;
};

inline const std::vector<LongNameCase>& LongNames()
{
    static const std::vector<LongNameCase> cases = {
        // Wine's host holds at most 255 bytes of UTF-8 in one name (a Japanese character is 3
        // bytes there): a name of 80 characters lies in a folder deep enough that a move would
        // succeed.
        {"EightyInADeepFolder", 80, u8"いいいいいいいいいいいいいいいいいいいいいいいいいいいいいい"},
        // 110 characters in a folder of about 60 bytes, as a user meets it.
        {"HundredTenInAShortFolder", 110, ""},
    };
    return cases;
}

inline std::string LongNameCaseName(const ::testing::TestParamInfo<LongNameCase>& info)
{
    return info.param.name;
}

}
