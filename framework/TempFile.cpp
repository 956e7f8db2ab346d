#include "framework/TempFile.h"

#include "framework/StringUtil.h"
#include "framework/TextFile.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace {

// The longest path that the program handles, in bytes.
const size_t kLongestPath = MAX_PATH - 1;

// The folder of path with its last separator; empty for a name alone. Double-byte characters
// are read whole: the second byte of one may be a backslash. The program's path splitter holds
// no directory of 256 bytes or more, which a path of 259 bytes may have.
std::string FolderOf(const std::string& path)
{
    size_t end = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(path[i]);
        if (IsLeadByte(c) && i + 1 < path.size())
            ++i;
        else if (c == '\\' || c == '/' || (c == ':' && i == 1))
            end = i + 1;
    }
    return path.substr(0, end);
}

// Whether a new file's name fits in folder (ending with a separator, or empty for the current
// folder): "~" and at least one digit.
bool NameFitsIn(const std::string& folder)
{
    return folder.size() + 2 <= kLongestPath;
}

// Creates a new empty file in folder, where a name fits, and gives its path; empty when none could
// be created. The name is "~", eight hexadecimal digits and ".tmp", or "~" and as many digits as
// fit beside a long folder: the system's own temporary names need a folder of at most 246 bytes.
std::string ReserveFileIn(const std::string& folder)
{
    size_t room = kLongestPath - folder.size();
    const size_t kFullName = 13;
    int digits = static_cast<int>(std::min<size_t>(8, room - 1));
    unsigned long long names = 1ull << (4 * digits);
    DWORD start = GetTickCount();
    for (unsigned long long i = 0; i < names && i < 1000; ++i) {
        char name[16] = {};
        unsigned long number = static_cast<unsigned long>((start + i) % names);
        std::snprintf(name, sizeof(name), room >= kFullName ? "~%0*lX.tmp" : "~%0*lX", digits, number);
        std::string path = folder + name;
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                  nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            return path;
        }
        DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            break;
    }
    return std::string();
}

// Writes what the system holds of the file to the disk, so that it survives a power cut.
bool FlushToDisk(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    BOOL flushed = FlushFileBuffers(file);
    CloseHandle(file);
    return flushed != FALSE;
}

}

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
    if (path.size() > kLongestPath)
        return false;
    // Beside the file, so that the move is a rename within one folder, never a copy.
    std::string folder = FolderOf(path);
    if (!NameFitsIn(folder))
        return WriteTextFile(path, text) && FlushToDisk(path);
    std::string temporary = ReserveFileIn(folder);
    if (temporary.empty())
        return false;
    if (WriteTextFile(temporary, text) && FlushToDisk(temporary) &&
        MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    DeleteFileA(temporary.c_str());
    return false;
}
