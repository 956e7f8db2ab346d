#include "framework/Shell.h"

#include "framework/StringUtil.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

namespace {

ShellResult RunFileOperation(SHFILEOPSTRUCTA& request)
{
    int code = SHFileOperationA(&request);
    return {code, request.fAnyOperationsAborted != FALSE};
}

}

bool ShellResult::CancelledByTheUser() const
{
    return aborted && (code == 0 || code == ERROR_CANCELLED);
}

ShellResult ShellDelete(HWND owner, const char* paths, bool confirm)
{
    SHFILEOPSTRUCTA request = {};
    request.hwnd = owner;
    request.wFunc = FO_DELETE;
    request.pFrom = paths;
    // A file that cannot go to the recycle bin (a drive without one, a file too big for it)
    // would otherwise be deleted for good without a word.
    request.fFlags = confirm ? FOF_ALLOWUNDO
                             : FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI |
                                   FOF_WANTNUKEWARNING;
    return RunFileOperation(request);
}

ShellResult ShellFileOperation(HWND owner, const char* sources, const char* targets,
                               UINT operation, WORD flags)
{
    SHFILEOPSTRUCTA request = {};
    request.hwnd = owner;
    request.wFunc = operation;
    request.pFrom = sources;
    request.pTo = targets;
    request.fFlags = flags;
    return RunFileOperation(request);
}

bool ShellOpen(HWND owner, const std::string& file, const std::string& verb,
               const std::string& parameters, int showCommand)
{
    HINSTANCE result = ShellExecuteA(owner, verb.c_str(), file.c_str(), parameters.c_str(),
                                     nullptr, showCommand);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

namespace {

// The path of a shell item list. The ANSI call would cut a path that takes more bytes than its
// buffer holds (one of many Japanese characters) into another folder's path: the path is taken
// wide and converted whole. False for an item without a path, or one past the system's limit.
bool PathOfItems(LPCITEMIDLIST items, std::string& path)
{
    WCHAR wide[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(items, wide))
        return false;
    return WideToAnsi(wide, static_cast<uint32_t>(lstrlenW(wide) * sizeof(WCHAR)), path);
}

}

std::string GetSpecialFolderPath(int folderId)
{
    IMalloc* allocator = nullptr;
    if (FAILED(SHGetMalloc(&allocator)) || !allocator)
        return std::string();
    std::string path;
    LPITEMIDLIST items = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(GetDesktopWindow(), folderId, &items)) && items) {
        if (!PathOfItems(items, path) || path.size() >= MAX_PATH)
            path.clear();
        allocator->Free(items);
    }
    allocator->Release();
    return path;
}

namespace {

// Opens the folder dialog on the initial folder. Wine's dialog at times loses the selection
// made while it starts (it then shows no folder selected); the selection is asked for once more
// when the dialog has started. The folder's text lives until the dialog has ended.
int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM, LPARAM data)
{
    const char* folder = reinterpret_cast<const char*>(data);
    if (message == BFFM_INITIALIZED && folder && folder[0] != '\0') {
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder));
        PostMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder));
    }
    return 0;
}

}

BrowseResult BrowseForFolder(HWND owner, char* buffer, int size, const char* initialFolder,
                             UINT flags)
{
    if (!buffer || size <= 0)
        return kBrowseCancelled;
    char title[] = "フォルダを選択してください";
    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.lpszTitle = title;
    info.ulFlags = flags;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(initialFolder);
    LPITEMIDLIST items = SHBrowseForFolderA(&info);
    if (!items)
        return kBrowseCancelled;
    std::string path;
    bool found = PathOfItems(items, path);
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator) {
        allocator->Free(items);
        allocator->Release();
    }
    if (!found || path.size() >= static_cast<size_t>(size))
        return kBrowsePathTooLong;
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return kBrowseChosen;
}
