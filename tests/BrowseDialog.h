#pragma once
// What the system's folder browser shows: the name of the folder selected in its tree. The
// browser selects the folder it opens on a moment after it shows (longer on a busy machine), so
// a test presses OK only once the folder it expects is selected.
#include "framework/Shell.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace browsedialog {

inline std::wstring Wide(const std::string& text)
{
    WCHAR wide[4 * MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, 4 * MAX_PATH);
    return wide;
}

// The name of the folder selected in the browser's tree; empty when it has none yet.
inline std::wstring SelectedName(HWND dialog)
{
    HWND tree = nullptr;
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM found) -> BOOL {
            char className[32] = {};
            GetClassNameA(child, className, sizeof(className));
            if (std::string(className) != "SysTreeView32")
                return TRUE;
            *reinterpret_cast<HWND*>(found) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&tree));
    if (!tree)
        return std::wstring();
    WCHAR text[MAX_PATH] = {};
    TVITEMW item = {};
    item.mask = TVIF_TEXT;
    item.hItem = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    if (!item.hItem || !SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
        return std::wstring();
    return text;
}

// Says in the output of the test (Suite.Name) that a browser that refused to select its folder
// is shown again: a retry is never silent. test.sh shows these lines after the run.
inline void TellRetry(const std::string& test, const std::string& what)
{
    std::printf("[ RETRIED  ] %s: %s\n", test.c_str(), what.c_str());
    std::fflush(stdout);
}

// The last part of a folder's path, as the browser names the folder, also of a path too long
// for the program's own path handling.
inline std::wstring NameOf(const std::wstring& folder)
{
    return folder.substr(folder.rfind(L'\\') + 1);
}

// Whether the browser refused the program's own selection of the folder, as the program's browse
// callback kept what it asked and what the browser selected in answer.
inline bool RefusedTheProgram(const std::string& folder)
{
    const BrowseSelection& asked = LastBrowseSelection();
    return asked.folder == folder && !asked.answers.empty() &&
           std::find(asked.answers.begin(), asked.answers.end(), folder) == asked.answers.end();
}

// What the program's browse callback asked and the browser selected, for a failure's message.
inline std::string ProgramAsked()
{
    const BrowseSelection& asked = LastBrowseSelection();
    std::string answers;
    for (const std::string& answer : asked.answers)
        answers += " \"" + answer + "\"";
    return "the program asked for \"" + asked.folder + "\", the browser selected:" +
           (answers.empty() ? std::string(" nothing") : answers);
}

}
