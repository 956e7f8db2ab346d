#pragma once
// What the system's folder browser shows: the name of the folder selected in its tree. The
// browser selects the folder it opens on a moment after it shows (longer on a busy machine), so
// a test presses OK only once the folder it expects is selected.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>

namespace browsedialog {

// The name of the folder selected in the browser's tree; empty when it has none yet.
inline std::string SelectedName(HWND dialog)
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
        return std::string();
    char text[MAX_PATH] = {};
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    if (!item.hItem || !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return std::string();
    return text;
}

// Says in the output of the test (Suite.Name) that a browser that refused to select its folder
// is shown again: a retry is never silent. test.sh shows these lines after the run.
inline void TellRetry(const std::string& test, const std::string& what)
{
    std::printf("[ RETRIED  ] %s: %s\n", test.c_str(), what.c_str());
    std::fflush(stdout);
}

// The last part of a folder's path, as the browser names the folder (a backslash can be the
// second byte of a double-byte character: "ソ" is 0x83 0x5C), also of a path too long for the
// program's own path handling.
inline std::string NameOf(const std::string& folder)
{
    size_t start = 0;
    for (size_t i = 0; i < folder.size(); ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(folder[i])) && i + 1 < folder.size())
            ++i;
        else if (folder[i] == '\\')
            start = i + 1;
    }
    return folder.substr(start);
}

}
