#include "framework/TempFile.h"

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
