#pragma once
// What the benchmarks of the main window's commands share (under Wine): the main window as the
// program makes it (the benchmarks lie beside the program, where option.xml and Rename.xsl are),
// records made by the record builder, a clock, and the moment a run's progress dialog opens.
#include "BrowseDialog.h"
#include "framework/WindowUtil.h"
#include "resources/resource.h"
#include "tools/recbuilder/RecordBuilder.h"
#include "ui/CMainWnd.h"

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace windowbench {

inline double Now()
{
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The benchmark's own folder, ending with a backslash.
inline std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

inline std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteAll(const std::string& path, const recbuilder::Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A recorded file of the castle-duel sample whose first player is named player, its body filled
// up to bodySize bytes (0: the sample's own trailer), on the map named map (empty: the sample's).
inline recbuilder::Bytes CastleDuel(const std::string& player, size_t bodySize, const std::string& map = "")
{
    const char* root = std::getenv("TV_SOURCE_DIR");
    std::string source = std::string(root ? root : ProgramFolder() + "..\\..\\..") + "\\samples\\src\\";
    recbuilder::Source record;
    record.settingsXml = ReadAll(source + "castle-duel.settings.xml");
    record.settingsXml.replace(record.settingsXml.find("Alice"), 5, player);
    if (!map.empty())
        record.settingsXml.replace(record.settingsXml.find("highland_fords"), 14, map);
    record.mapScript = ReadAll(source + "castle-duel.map.txt");
    if (bodySize > 0) {
        recbuilder::Bytes settings = recbuilder::Utf8ToUtf16(record.settingsXml, true);
        recbuilder::Bytes script(record.mapScript.begin(), record.mapScript.end());
        size_t bare = recbuilder::MakeBody("1", recbuilder::MakeBlock(settings, 0), recbuilder::MakeBlock(script, 0), 0).size();
        record.trailerSize = bodySize - bare;
    }
    return recbuilder::Build(record);
}

// A fresh folder under the temporary folder, ending with a backslash.
inline std::string Folder(const std::string& name)
{
    char temporary[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temporary);
    std::string folder = std::string(temporary) + name;
    std::string command = "cmd /c rd /s /q \"" + folder + "\" 2>nul";
    std::system(command.c_str());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\";
}

// Chooses the folder in the browser as soon as it shows, and notes when the browser goes.
class FolderChoice {
public:
    explicit FolderChoice(const std::string& folder) : folder(folder)
    {
        current = this;
        timer = SetTimer(nullptr, 0, 50, Fire);
        hook = SetWindowsHookExA(WH_CBT, Closing, nullptr, GetCurrentThreadId());
    }
    ~FolderChoice()
    {
        UnhookWindowsHookEx(hook);
        KillTimer(nullptr, timer);
        current = nullptr;
    }
    double closed = 0;

private:
    static void CALLBACK Fire(HWND, UINT, UINT_PTR, DWORD)
    {
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND window, LPARAM) -> BOOL {
                char className[16] = {};
                GetClassNameA(window, className, sizeof(className));
                if (!IsWindowVisible(window) || std::string(className) != "#32770")
                    return TRUE;
                current->dialog = window;
                if (browsedialog::SelectedName(window) ==
                    browsedialog::NameOf(browsedialog::Wide(current->folder)))
                    PostMessageA(window, WM_COMMAND, IDOK, 0);
                else
                    SendMessageA(window, BFFM_SETSELECTIONA, TRUE,
                                 reinterpret_cast<LPARAM>(current->folder.c_str()));
                return FALSE;
            },
            0);
    }
    static LRESULT CALLBACK Closing(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_DESTROYWND && current && reinterpret_cast<HWND>(wParam) == current->dialog)
            current->closed = Now();
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline FolderChoice* current = nullptr;
    std::string folder;
    UINT_PTR timer;
    HHOOK hook;
    HWND dialog = nullptr;
};

// What the program's folder listing and the making of a record's row need of the system, alone.
inline double BareListing(const std::string& folder)
{
    double start = Now();
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*.*").c_str(), &entry);
    int files = 0;
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &entry)) {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        HANDLE file = CreateFileA((folder + "\\" + entry.cFileName).c_str(), GENERIC_READ, 0,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        FILETIME times[3];
        GetFileTime(file, &times[0], &times[1], &times[2]);
        CloseHandle(file);
        ++files;
    }
    FindClose(search);
    return Now() - start;
}

const char kMainClass[] = "TallyvaneBench";

// The main window of the program, hidden, with a row for each file of paths as the file list
// adds it, all selected.
inline bool OpenMainWindow(CMainWnd& mainWnd, const std::vector<std::string>& paths = {})
{
    InitCommonControls();
    RegisterWindowClass(kMainClass, CS_HREDRAW | CS_VREDRAW, nullptr, nullptr, LoadCursorA(nullptr, IDC_ARROW),
                        reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1), IDR_MAINMENU);
    if (!mainWnd.Create(kMainClass, "Tallyvane", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, CW_USEDEFAULT, 0, 1000,
                        600, nullptr, 0))
        return false;
    for (const std::string& path : paths)
        mainWnd.AddRecordFile(path);
    mainWnd.list.SelectItem(-1);
    return true;
}

// Destroys the window and unregisters its classes, so that another can be opened.
inline void CloseMainWindow(CMainWnd& mainWnd)
{
    DestroyWindow(mainWnd.window);
    for (const char* name : {kMainClass, "SplitBaseLeft Class", "SplitBaseRight Class"})
        UnregisterClassA(name, GetModuleHandleA(nullptr));
    MSG quit;
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

// The time at which the progress dialog of a run opens: the run itself starts there, after the
// questions and dialogs that come before it.
class ProgressOpening {
public:
    ProgressOpening()
    {
        current = this;
        hook = SetWindowsHookExA(WH_CBT, HookProc, nullptr, GetCurrentThreadId());
    }
    ~ProgressOpening()
    {
        UnhookWindowsHookEx(hook);
        current = nullptr;
    }
    ProgressOpening(const ProgressOpening&) = delete;
    ProgressOpening& operator=(const ProgressOpening&) = delete;

    double time = 0;

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_CREATEWND && current && current->time == 0) {
            const CREATESTRUCTA* create = reinterpret_cast<const CBT_CREATEWNDA*>(lParam)->lpcs;
            if (!IS_INTRESOURCE(create->lpszName) && std::string(create->lpszName) == "処理中...")
                current->time = Now();
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline ProgressOpening* current = nullptr;
    HHOOK hook;
};

}
