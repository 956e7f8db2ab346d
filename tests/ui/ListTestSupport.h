#pragma once
// What the file list's tests need beside the main window: files and folders made with the ANSI
// calls (so that Japanese names are the program's), the rows as the list shows them, answers
// to the commands' dialogs.
#include "ui/CMainWnd.h"

#include "framework/Shell.h"

#include "BrowseDialog.h"
#include "DesktopInput.h"
#include "RecordFixtures.h"
#include "TestFiles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace listtest {

using desktop::FindDescendant;

// A folder of the scratch folder.
inline std::string MakeFolder(const std::string& relative)
{
    std::string path = testfiles::Path(relative);
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

// The folder of the scratch folder named after the running test, made; its name.
inline std::string TestFolderName()
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + "." + test->name();
    for (char& c : name) {
        if (c == '/')
            c = '_';
    }
    MakeFolder(name);
    return name;
}

// A path of the scratch folder, relative to it.
inline std::string Relative(const std::string& path)
{
    return path.substr(testfiles::ScratchFolder().string().size() + 1);
}

// A file of the scratch folder: a well-formed recorded game unless bytes are given.
inline std::string MakeFile(const std::string& relative,
                            const std::string& bytes = fixtures::FileBytes(fixtures::GoodBody()))
{
    std::string path = testfiles::Path(relative);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return path;
}

inline bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Files of a folder (a path of the scratch folder) given new names by the host, under Wine: the
// host's names are case-sensitive, but Wine finds "game.rec" as "Game.rec" when only that one is
// there, so two files whose names differ in letter case only are made under other names and then
// renamed by the host's mv. Each move is (name, new name); true once all are done.
inline bool RenameOnTheHost(const std::string& folder,
                            const std::vector<std::pair<std::string, std::string>>& moves)
{
    std::string script;
    for (const auto& move : moves)
        script += "mv '" + move.first + "' '" + move.second + "' && ";
    std::string commandLine = "/bin/sh -c \"" + script + "true\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    // Wine runs a host program in place of a Windows one, in the folder given, and gives no
    // handle to wait for it: the last name gone tells that it is done.
    if (!CreateProcessA("Z:\\bin\\sh", &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process))
        return false;
    for (HANDLE handle : {process.hThread, process.hProcess}) {
        if (handle)
            CloseHandle(handle);
    }
    return desktop::WaitFor([&] { return !Exists(folder + "\\" + moves.back().first); });
}

inline std::string Read(const std::string& path)
{
    return testfiles::Read(path);
}

// One row of the list as it shows.
struct Row {
    std::string name;
    std::string time;
    std::string type;
    int image;
    LPARAM id;
};

inline std::vector<Row> Rows(CListView& list)
{
    std::vector<Row> rows;
    for (int i = 0; i < list.GetItemCount(); ++i) {
        char name[260] = {};
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = i;
        item.pszText = name;
        item.cchTextMax = sizeof(name);
        list.SendMsg(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        Row row = {name, "", "", item.iImage, item.lParam};
        list.GetItemText(i, 1, row.time);
        list.GetItemText(i, 2, row.type);
        rows.push_back(row);
    }
    return rows;
}

inline std::vector<std::string> Names(CListView& list)
{
    std::vector<std::string> names;
    for (const Row& row : Rows(list))
        names.push_back(row.name);
    return names;
}

inline std::vector<LPARAM> Ids(CListView& list)
{
    std::vector<LPARAM> ids;
    for (const Row& row : Rows(list))
        ids.push_back(row.id);
    return ids;
}

inline std::vector<int> SelectedRows(CListView& list)
{
    std::vector<int> rows;
    for (int i = 0; i < list.GetItemCount(); ++i) {
        if (list.SendMsg(LVM_GETITEMSTATE, i, LVIS_SELECTED) & LVIS_SELECTED)
            rows.push_back(i);
    }
    return rows;
}

// Answers the dialogs of the commands from a timer while it lives, and notes what each showed:
// the open-file dialog (its folder and its first filter), the folder browser, and the shell's
// questions with a "yes to all" (about a file that is there already, or one that cannot go to
// the recycle bin). Message boxes are MessageBoxRecorder's. A dialog
// still open two seconds after its last answer is cancelled and counted as stuck, so that no
// test waits for ever.
class DialogAnswers {
public:
    DialogAnswers()
    {
        current = this;
        timer = SetTimer(nullptr, 0, 100, Fire);
        hook = SetWindowsHookExA(WH_CALLWNDPROCRET, Starts, nullptr, GetCurrentThreadId());
    }
    ~DialogAnswers()
    {
        UnhookWindowsHookEx(hook);
        KillTimer(nullptr, timer);
        current = nullptr;
    }
    DialogAnswers(const DialogAnswers&) = delete;
    DialogAnswers& operator=(const DialogAnswers&) = delete;

    // Sends a command to the main window. Wine's folder browser at times refuses to select an
    // existing folder (BFFM_SETSELECTION answers FALSE for the whole life of that dialog): such a
    // browser is cancelled, which leaves the program as it was, and the command runs again. A
    // browser that never shows its folder for another reason fails the test (see AnswerBrowser).
    static void Command(HWND mainWindow, UINT id)
    {
        for (int attempt = 0; attempt < kAttempts; ++attempt) {
            int refusals = current ? current->refusals : 0;
            SendMessageA(mainWindow, WM_COMMAND, id, 0);
            if (!current || current->refusals == refusals)
                return;
            if (attempt + 1 == kAttempts)
                return;
            const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
            browsedialog::TellRetry(std::string(test->test_suite_name()) + "." + test->name(),
                                    "the folder browser refused its folder (" + current->refusal +
                                        "); the command runs again");
        }
    }

    // Typed into the open dialog's name box, one text and Open per turn: a folder to go to, then
    // the names. None cancels the dialog. wideOpenSteps, when given, are typed instead: names
    // that the code page cannot hold.
    std::optional<std::vector<std::string>> openSteps;
    std::optional<std::vector<std::wstring>> wideOpenSteps;
    // The folder that the browser must show selected before OK; none cancels it. The answer
    // selects it first unless selectFolder is false (the browser is to open on it by itself).
    // wideFolder, when given, is selected instead: a folder that the code page cannot hold.
    std::optional<std::string> folder;
    std::optional<std::wstring> wideFolder;
    bool selectFolder = true;
    // The button that answers the shell's question (IDYES, IDNO, IDCANCEL, or 12807 for all).
    int overwrite = IDNO;

    int openDialogs = 0;
    std::string openFolder;
    std::string openFilter;
    int browsers = 0;
    int overwriteQuestions = 0;
    std::string overwriteTitle;
    int stuck = 0;
    int refusals = 0;
    // What the browser last refused.
    std::string refusal;

private:
    static constexpr int kPatience = 20;
    static constexpr int kAttempts = 3;
    // Turns after which a browser that does not show the folder has refused it.
    static constexpr int kBrowserPatience = 30;

    // A new dialog may get the handle of one that has ended: its answers start afresh.
    static LRESULT CALLBACK Starts(int code, WPARAM wParam, LPARAM lParam)
    {
        const CWPRETSTRUCT* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (code == HC_ACTION && current && call->message == WM_INITDIALOG) {
            current->turns.erase(call->hwnd);
            current->pressed.erase(call->hwnd);
            current->selections.erase(call->hwnd);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static void CALLBACK Fire(HWND, UINT, UINT_PTR, DWORD)
    {
        if (current)
            EnumThreadWindows(GetCurrentThreadId(), Answer, 0);
    }
    static BOOL CALLBACK Answer(HWND window, LPARAM)
    {
        char className[16] = {};
        GetClassNameA(window, className, sizeof(className));
        if (!IsWindowVisible(window) || std::string(className) != "#32770")
            return TRUE;
        if (GetDlgItem(window, 0x47c) || GetDlgItem(window, 0x480))
            current->AnswerOpen(window, current->turns[window]++);
        else if (FindDescendant(window, "SysTreeView32"))
            current->AnswerBrowser(window, current->turns[window]++);
        else if (GetDlgItem(window, 12807))
            current->AnswerOverwrite(window, current->turns[window]++);
        return TRUE;
    }
    static std::string Shown(const std::vector<bool>& shown)
    {
        return std::to_string(std::count(shown.begin(), shown.end(), true));
    }
    // Cancels a dialog that outlived its answers.
    void GiveUp(HWND window, int turn, int lastTurn)
    {
        if (turn != lastTurn + kPatience)
            return;
        ++stuck;
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    }
    void AnswerOpen(HWND window, int turn)
    {
        if (turn == 0) {
            ++openDialogs;
            // The dialog's own messages answer in the dialog's text: UTF-16 for the program's.
            WCHAR wide[MAX_PATH] = {};
            SendMessageW(window, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(wide));
            char text[2 * MAX_PATH] = {};
            WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof(text), nullptr, nullptr);
            openFolder = text;
            text[0] = '\0';
            SendDlgItemMessageA(window, 0x470, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
            openFilter = text;
        }
        std::vector<std::wstring> typed;
        if (wideOpenSteps) {
            typed = *wideOpenSteps;
        } else if (openSteps) {
            for (const std::string& step : *openSteps)
                typed.push_back(browsedialog::Wide(step));
        }
        int steps = static_cast<int>(typed.size());
        if (!openSteps && !wideOpenSteps && turn == 0) {
            PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        } else if (turn < steps) {
            HWND edit = GetDlgItem(window, 0x480);
            if (!edit)
                edit = GetDlgItem(window, 0x47c);
            SetWindowTextW(edit, typed[turn].c_str());
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(window, IDOK)));
        }
        GiveUp(window, turn, steps == 0 ? 0 : steps - 1);
    }
    void AnswerBrowser(HWND window, int turn)
    {
        if (turn == 0) {
            ++browsers;
            if (!folder && !wideFolder) {
                PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
                return;
            }
        }
        // Wine's browser at times loses a selection made while it starts: it is made again.
        std::wstring path = wideFolder ? *wideFolder : browsedialog::Wide(*folder);
        std::wstring name = browsedialog::NameOf(path);
        bool shown = !name.empty() && browsedialog::SelectedName(window) == name;
        if (selectFolder && !shown && turn % 5 == 0) {
            SendMessageW(window, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
            selections[window].push_back(browsedialog::SelectedName(window) == name);
        }
        if (shown && !pressed.count(window)) {
            pressed.insert(window);
            PostMessageA(window, WM_COMMAND, IDOK, 0);
        } else if (!shown && turn == kBrowserPatience) {
            // Wine's browser at times refuses a folder, or shows it and loses it again, for the
            // whole life of the dialog: a folder that the test selected itself and that is not
            // shown is Wine's fault. So is one that the program asked for and the browser did not
            // select; a program that asked for another folder, or for none, is at fault.
            bool refused = selectFolder ? !selections[window].empty()
                                        : folder && browsedialog::RefusedTheProgram(*folder);
            if (refused) {
                ++refusals;
                --browsers;
                refusal = selectFolder ? "the test selected it " + std::to_string(selections[window].size()) +
                                             " times, shown at once " + Shown(selections[window]) + " times"
                                       : browsedialog::ProgramAsked();
            } else {
                ADD_FAILURE() << "the folder browser never showed its folder; "
                              << (selectFolder ? std::string("it was selected by the test")
                                               : browsedialog::ProgramAsked());
            }
            PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        }
        GiveUp(window, turn, kPatience + kBrowserPatience);
    }
    void AnswerOverwrite(HWND window, int turn)
    {
        if (turn == 0) {
            ++overwriteQuestions;
            char text[256] = {};
            GetWindowTextA(window, text, sizeof(text));
            overwriteTitle = text;
            PostMessageA(window, WM_COMMAND, overwrite, 0);
        }
        GiveUp(window, turn, 0);
    }

    static inline DialogAnswers* current = nullptr;
    UINT_PTR timer;
    HHOOK hook;
    std::map<HWND, int> turns;
    std::set<HWND> pressed;
    // Whether the browser showed the folder right after each of the test's own selections of it.
    std::map<HWND, std::vector<bool>> selections;
};

// A DROPFILES block with the paths in UTF-16, as the shell hands it to the window it drops on.
inline HDROP MakeDrop(const std::vector<std::wstring>& paths)
{
    std::wstring list;
    for (const std::wstring& path : paths)
        list += path + L'\0';
    list += L'\0';
    size_t bytes = list.size() * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), bytes);
    GlobalUnlock(block);
    return static_cast<HDROP>(block);
}

// A DROPFILES block with the paths, as the shell hands it to the window it drops on.
inline HDROP MakeDrop(const std::vector<std::string>& paths)
{
    std::string list;
    for (const std::string& path : paths)
        list += path + '\0';
    list += '\0';
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + list.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size());
    GlobalUnlock(block);
    return static_cast<HDROP>(block);
}

// The documents folder's saved games, where the open commands start; made for the test and
// taken away afterwards when it was not there before.
class SaveGameFolder {
public:
    SaveGameFolder()
    {
        std::string folder = GetSpecialFolderPath(CSIDL_PERSONAL);
        if (!folder.empty() && folder.back() == '\\')
            folder.pop_back();
        for (const char* part : {"\\My Games", "\\Karthen", "\\Savegame"}) {
            folder += part;
            if (CreateDirectoryA(folder.c_str(), nullptr))
                made.insert(made.begin(), folder);
        }
        path = folder;
    }
    ~SaveGameFolder()
    {
        for (const std::string& file : files)
            DeleteFileA(file.c_str());
        for (const std::string& folder : made)
            RemoveDirectoryA(folder.c_str());
    }
    std::string Add(const std::string& name)
    {
        std::string file = path + "\\" + name;
        files.push_back(file);
        HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(handle);
        return file;
    }
    std::string path;

private:
    std::vector<std::string> made;
    std::vector<std::string> files;
};

}
