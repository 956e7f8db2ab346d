#pragma once
#include <windows.h>

#include <string>

// Moves files to the recycle bin. paths is a list of terminated paths ended by an empty one.
// With confirm the shell asks and shows its progress; without it no window appears at all, not
// even for an error. Returns the shell's result (0 on success).
int ShellDelete(HWND owner, const char* paths, bool confirm);

// One shell file operation (FO_COPY, FO_MOVE, ...) over lists as ShellDelete takes them; true
// when the shell reports success.
bool ShellFileOperation(HWND owner, const char* sources, const char* targets, UINT operation,
                        WORD flags);

// ShellExecuteA; true when the shell reports success.
bool ShellOpen(HWND owner, const std::string& file, const std::string& verb,
               const std::string& parameters, int showCommand);

// The path of a shell folder (a CSIDL_ value); empty when it has none.
std::string GetSpecialFolderPath(int folderId);

// Lets the user choose a folder, opening on initialFolder when it is given. 1 when a folder was
// chosen and copied into buffer with CopyCutPath, else 0.
int BrowseForFolder(HWND owner, char* buffer, int size, const char* initialFolder, UINT flags);

// Copies path into a buffer of size bytes (size > 0); a path of size bytes or more is cut to
// size - 2 bytes, never inside a double-byte character. The last byte is always zero.
void CopyCutPath(const char* path, char* buffer, size_t size);
