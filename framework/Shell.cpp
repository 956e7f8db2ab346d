#include "framework/Shell.h"

#include "framework/AnsiText.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

namespace {

ShellResult RunFileOperation(SHFILEOPSTRUCTA& request)
{
    int code = SHFileOperationA(&request);
    return {code, request.fAnyOperationsAborted != FALSE};
}

// A list of terminated paths ended by an empty one, in UTF-16 with long names: a file named by
// its short name keeps its own name where the shell makes a new file after it.
std::wstring LongPathList(const char* list)
{
    std::wstring wide;
    for (const char* path = list; *path; path += std::strlen(path) + 1)
        wide += LongPath(path) + L'\0';
    return wide + L'\0';
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
    std::wstring from = LongPathList(sources);
    std::wstring to = targets ? LongPathList(targets) : std::wstring();
    SHFILEOPSTRUCTW request = {};
    request.hwnd = owner;
    request.wFunc = operation;
    request.pFrom = from.c_str();
    request.pTo = targets ? to.c_str() : nullptr;
    request.fFlags = flags;
    int code = SHFileOperationW(&request);
    return {code, request.fAnyOperationsAborted != FALSE};
}

bool ShellOpen(HWND owner, const std::string& file, const std::string& verb,
               const std::string& parameters, int showCommand)
{
    HINSTANCE result = ShellExecuteA(owner, verb.c_str(), file.c_str(), parameters.c_str(),
                                     nullptr, showCommand);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

namespace {

// Where a shell item lies in the file system.
enum class ItemPath { None, TooLong, Found };

// The path of a shell item list, whole, in UTF-16: the ANSI call would give a path that the
// code page cannot hold with the system's best fit, or cut it where it takes more bytes than its
// buffer holds. None for an item outside the file system; TooLong for a path past the system's
// limit.
ItemPath PathOfItems(LPCITEMIDLIST items, std::wstring& path)
{
    SHFILEINFOW info = {};
    info.dwAttributes = SFGAO_FILESYSTEM;
    if (!SHGetFileInfoW(reinterpret_cast<LPCWSTR>(items), 0, &info, sizeof(info),
                        SHGFI_PIDL | SHGFI_ATTRIBUTES | SHGFI_ATTR_SPECIFIED) ||
        !(info.dwAttributes & SFGAO_FILESYSTEM))
        return ItemPath::None;
    WCHAR wide[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(items, wide))
        return ItemPath::TooLong;
    path = wide;
    return ItemPath::Found;
}

void FreeItems(LPITEMIDLIST items)
{
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator) {
        allocator->Free(items);
        allocator->Release();
    }
}

}

std::string GetSpecialFolderPath(int folderId)
{
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(GetDesktopWindow(), folderId, &items)) || !items)
        return std::string();
    std::wstring wide;
    std::string path;
    if (PathOfItems(items, wide) != ItemPath::Found || !ToAnsiExactly(wide, path) ||
        path.size() >= MAX_PATH)
        path.clear();
    FreeItems(items);
    return path;
}

namespace {

BrowseSelection browseSelection;
// Whether the browser's selection changes because the callback asked for its folder.
bool selecting = false;

// The timer of the browser's second selection of its folder.
const UINT_PTR kSelectAgain = 0x5456;

void SelectFolder(HWND dialog)
{
    browseSelection.answers.emplace_back();
    selecting = true;
    SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE,
                 reinterpret_cast<LPARAM>(browseSelection.folder.c_str()));
    selecting = false;
}

void CALLBACK SelectAgain(HWND dialog, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(dialog, timer);
    SelectFolder(dialog);
}

// Opens the folder dialog on the initial folder. Wine's dialog at times loses the selection
// made while it starts (it then shows no folder selected); the selection is asked for once more
// when the dialog has started. The browser tells what it selected in answer (its
// BFFM_SETSELECTION gives no result: Wine's always gives 0); both are kept in browseSelection.
int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM item, LPARAM data)
{
    const char* folder = reinterpret_cast<const char*>(data);
    if (message == BFFM_INITIALIZED && folder && folder[0] != '\0') {
        browseSelection.folder = folder;
        SelectFolder(dialog);
        SetTimer(dialog, kSelectAgain, USER_TIMER_MINIMUM, SelectAgain);
    }
    std::wstring path;
    if (message == BFFM_SELCHANGED && selecting &&
        PathOfItems(reinterpret_cast<LPCITEMIDLIST>(item), path) == ItemPath::Found)
        browseSelection.answers.back() = ToAnsiShown(path);
    return 0;
}

}

BrowseResult BrowseForFolder(HWND owner, char* buffer, int size, const char* initialFolder,
                             UINT flags)
{
    if (!buffer || size <= 0)
        return kBrowseCancelled;
    browseSelection = BrowseSelection();
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
    std::wstring wide;
    ItemPath found = PathOfItems(items, wide);
    FreeItems(items);
    std::string path;
    if (found == ItemPath::None)
        return kBrowseCancelled;
    if (found == ItemPath::Found && !ToAnsiExactly(wide, path))
        return kBrowseNotInCodePage;
    if (found == ItemPath::TooLong || path.size() >= static_cast<size_t>(size))
        return kBrowsePathTooLong;
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return kBrowseChosen;
}

const BrowseSelection& LastBrowseSelection()
{
    return browseSelection;
}
