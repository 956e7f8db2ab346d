#pragma once
#include <windows.h>

#include <string>
#include <vector>

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

// One shell file operation (FO_COPY, FO_MOVE, ...) over lists as ShellDelete takes them. The
// files are named to the shell by their long names, so that a file that the program knows by its
// short name is copied or moved under its own name.
ShellResult ShellFileOperation(HWND owner, const char* sources, const char* targets,
                               UINT operation, WORD flags);

// ShellExecuteA; true when the shell reports success.
bool ShellOpen(HWND owner, const std::string& file, const std::string& verb,
               const std::string& parameters, int showCommand);

// The path of a shell folder (a CSIDL_ value); empty when it has none, when its path is 260
// bytes or more, and when it does not convert exactly into the code page.
std::string GetSpecialFolderPath(int folderId);

// What the folder browser gave.
enum BrowseResult {
    // Cancelled, or an item without a path in the file system was chosen.
    kBrowseCancelled = 0,
    // The chosen folder's path is in the buffer.
    kBrowseChosen = 1,
    // A folder was chosen whose path does not fit the buffer (or the system's own limit): it is
    // never cut into another folder's path.
    kBrowsePathTooLong = 2,
    // A folder was chosen whose path the code page cannot hold exactly: a character it lacks, or
    // one that would become another ("録画¥2024" would be the folder "2024" in "録画").
    kBrowseNotInCodePage = 3,
};

// Lets the user choose a folder, opening on initialFolder when it is given.
BrowseResult BrowseForFolder(HWND owner, char* buffer, int size, const char* initialFolder,
                             UINT flags);

// What the folder browser's callback asked of the browser last shown: the folder it asked it to
// select as it started (empty: none), and for each time it asked, the folder that the browser
// selected in answer (empty: none; "?" for each character that the code page lacks). Wine's
// browser at times refuses to select an existing folder; this tells that apart from a fault in
// what the program asked.
struct BrowseSelection {
    std::string folder;
    std::vector<std::string> answers;
};
const BrowseSelection& LastBrowseSelection();
