#pragma once
#include <windows.h>

#include <string>

// What a shell file operation reported.
struct ShellResult {
    // The shell's result: 0 on success.
    int code;
    // Whether something was left undone: the user said so in one of the shell's own boxes, or
    // an error stopped it.
    bool aborted;

    // Whether the user stopped the operation in one of the shell's boxes and nothing failed.
    bool CancelledByTheUser() const;
};

// Moves files to the recycle bin. paths is a list of terminated paths ended by an empty one.
// With confirm the shell asks and shows its progress; without it no window appears, not even
// for an error, except the shell's question before a file that cannot go to the recycle bin is
// deleted for good.
ShellResult ShellDelete(HWND owner, const char* paths, bool confirm);

// One shell file operation (FO_COPY, FO_MOVE, ...) over lists as ShellDelete takes them.
ShellResult ShellFileOperation(HWND owner, const char* sources, const char* targets,
                               UINT operation, WORD flags);

// ShellExecuteA; true when the shell reports success.
bool ShellOpen(HWND owner, const std::string& file, const std::string& verb,
               const std::string& parameters, int showCommand);

// The path of a shell folder (a CSIDL_ value); empty when it has none, and when its path is 260
// bytes or more.
std::string GetSpecialFolderPath(int folderId);

// What the folder browser gave.
enum BrowseResult {
    kBrowseCancelled = 0,
    // The chosen folder's path is in the buffer.
    kBrowseChosen = 1,
    // A folder was chosen whose path does not fit the buffer (or the system's own limit): it is
    // never cut into another folder's path.
    kBrowsePathTooLong = 2,
};

// Lets the user choose a folder, opening on initialFolder when it is given.
BrowseResult BrowseForFolder(HWND owner, char* buffer, int size, const char* initialFolder,
                             UINT flags);
