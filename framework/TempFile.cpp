#include "framework/TempFile.h"

#include "framework/CPathParts.h"
#include "framework/TextFile.h"

#include <windows.h>

std::string MakeTempFileName(const std::string& prefix)
{
    char folder[MAX_PATH] = {};
    // A longer folder does not fit: the call then returns the size it would need.
    DWORD length = GetTempPathA(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    char path[MAX_PATH] = {};
    if (GetTempFileNameA(folder, prefix.c_str(), 0, path) == 0)
        return std::string();
    return path;
}

bool ReplaceTextFile(const std::string& path, const std::string& text)
{
    CPathParts parts;
    if (!parts.Set(path.c_str()))
        return false;
    // Beside the file, so that the move is a rename within one folder, never a copy.
    std::string folder = parts.folder[0] != '\0' ? parts.folder : ".";
    char temporary[MAX_PATH] = {};
    if (GetTempFileNameA(folder.c_str(), "tv", 0, temporary) == 0)
        return false;
    if (WriteTextFile(temporary, text) &&
        MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    DeleteFileA(temporary);
    return false;
}
