#pragma once
// A look into the recycle bin as Wine keeps it.
#include "TestFiles.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace recyclebin {

// Where Wine puts a file moved to the recycle bin: the trash of the Unix home, one entry per
// file with a note of its Unix path. Whether the file at the Windows path (of drive C:, where
// the scratch folder is; its long names) lies there.
inline bool InTrash(const std::wstring& windowsPath)
{
    char home[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("TV_TEST_HOME", home, MAX_PATH))
        return false;
    // The note spells the path in UTF-8 with most bytes other than letters and digits as %XX;
    // the path below the drive is the same on both sides.
    char utf8[3 * MAX_PATH] = {};
    WideCharToMultiByte(CP_UTF8, 0, windowsPath.substr(2).c_str(), -1, utf8, sizeof(utf8),
                        nullptr, nullptr);
    std::string tail = utf8;
    for (char& c : tail) {
        if (c == '\\')
            c = '/';
    }
    auto decode = [](const std::string& line) {
        std::string text;
        for (size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '%' && i + 2 < line.size()) {
                text += static_cast<char>(std::stoi(line.substr(i + 1, 2), nullptr, 16));
                i += 2;
            } else {
                text += line[i];
            }
        }
        return text;
    };
    std::string trash = std::string(home) + "/.local/share/Trash/";
    for (char& c : trash) {
        if (c == '/')
            c = '\\';
    }
    WIN32_FIND_DATAA entry = {};
    HANDLE search = FindFirstFileA((trash + "info\\*.trashinfo").c_str(), &entry);
    bool found = false;
    for (BOOL more = search != INVALID_HANDLE_VALUE; more && !found;
         more = FindNextFileA(search, &entry)) {
        std::string note = testfiles::Read(trash + "info\\" + entry.cFileName);
        size_t start = note.find("Path=");
        if (start == std::string::npos)
            continue;
        std::string path = decode(note.substr(start + 5, note.find('\n', start) - start - 5));
        std::string stored = trash + "files\\" +
                             std::string(entry.cFileName, std::strlen(entry.cFileName) - 10);
        found = path.size() >= tail.size() &&
                path.compare(path.size() - tail.size(), tail.size(), tail) == 0 &&
                GetFileAttributesA(stored.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    return found;
}

inline bool InTrash(const std::string& windowsPath)
{
    WCHAR wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH);
    return InTrash(std::wstring(wide));
}

}
