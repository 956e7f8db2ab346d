#include "framework/CFileFinder.h"
#include "framework/StringUtil.h"

#include <cstring>

CFileFinder::CFileFinder() : findData()
{
}

CFileFinder::~CFileFinder()
{
    Close();
}

void CFileFinder::SetPattern(const std::string& text)
{
    Close();
    pattern = text;
}

void CFileFinder::SetFolder(const std::string& text)
{
    folder = text;
    if (LastCharacterIs(folder, '\\') || LastCharacterIs(folder, '/'))
        folder.pop_back();
}

bool CFileFinder::Next(std::string& out)
{
    for (;;) {
        if (child) {
            if (child->Next(out))
                return true;
            child.reset();
        }
        if (!NextEntry()) {
            Close();
            return false;
        }
        const char* name = findData.cFileName;
        if (findData.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (!recurse || std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
                continue;
            child = std::make_unique<CFileFinder>();
            child->recurse = recurse;
            child->pattern = pattern;
            child->folder = folder + "\\" + name;
            continue;
        }
        if (!MatchWildcard(name, pattern.c_str()))
            continue;
        out = fullPath ? folder + "\\" + name : std::string(name);
        return true;
    }
}

bool CFileFinder::NextEntry()
{
    if (searchHandle == INVALID_HANDLE_VALUE) {
        searchHandle = FindFirstFileA((folder + "\\*.*").c_str(), &findData);
        return searchHandle != INVALID_HANDLE_VALUE;
    }
    return FindNextFileA(searchHandle, &findData) != FALSE;
}

void CFileFinder::Close()
{
    if (searchHandle != INVALID_HANDLE_VALUE)
        FindClose(searchHandle);
    searchHandle = INVALID_HANDLE_VALUE;
    child.reset();
}
