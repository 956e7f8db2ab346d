#include "framework/CFileFinder.h"

#include "framework/AnsiText.h"
#include "framework/StringUtil.h"

#include <cwchar>

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
            if (child->Next(out)) {
                longName = child->longName;
                return true;
            }
            unnamed.insert(unnamed.end(), child->unnamed.begin(), child->unnamed.end());
            child.reset();
        }
        if (!NextEntry()) {
            Close();
            return false;
        }
        const wchar_t* wideName = findData.cFileName;
        std::string shown;
        bool ownName = ToAnsiExactly(wideName, shown);
        std::string name = shown;
        bool named = ownName || shortNames.NameOf(wideFolder, findData, name);
        if (findData.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (!recurse || !named || std::wcscmp(wideName, L".") == 0 ||
                std::wcscmp(wideName, L"..") == 0)
                continue;
            child = std::make_unique<CFileFinder>();
            child->recurse = recurse;
            child->pattern = pattern;
            child->folder = folder + "\\" + name;
            continue;
        }
        if (!ownName)
            shown = ToAnsiShown(wideName);
        if (!MatchWildcard(shown.c_str(), pattern.c_str()))
            continue;
        if (!named) {
            unnamed.push_back(wideName);
            continue;
        }
        out = fullPath ? folder + "\\" + name : name;
        longName = ownName ? std::string() : shown;
        return true;
    }
}

bool CFileFinder::NextEntry()
{
    if (searchHandle == INVALID_HANDLE_VALUE) {
        unnamed.clear();
        wideFolder = ToWide(folder);
        searchHandle = FindFirstFileW((wideFolder + L"\\*.*").c_str(), &findData);
        return searchHandle != INVALID_HANDLE_VALUE;
    }
    return FindNextFileW(searchHandle, &findData) != FALSE;
}

void CFileFinder::Close()
{
    if (searchHandle != INVALID_HANDLE_VALUE)
        FindClose(searchHandle);
    searchHandle = INVALID_HANDLE_VALUE;
    child.reset();
}
