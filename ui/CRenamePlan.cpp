#include "ui/CRenamePlan.h"

#include "framework/AnsiText.h"
#include "framework/CPathParts.h"
#include "framework/StringUtil.h"

#include <windows.h>

namespace {

// Whether a file name may hold every character of name: no wildcard, quote, "<", ">", "|" or
// control character. Double-byte characters are read whole: the second byte of one may be a "|".
bool Nameable(const std::string& name)
{
    for (size_t i = 0; i < name.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (IsLeadByte(c) && i + 1 < name.size())
            ++i;
        else if (c < 0x20 || std::string("*?\"<>|").find(static_cast<char>(c)) != std::string::npos)
            return false;
    }
    return true;
}

std::wstring Upper(std::wstring text)
{
    if (!text.empty())
        CharUpperBuffW(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

// The keys of everything in the folder: each entry by its long name and by its short one, which
// a move finds as well.
std::unordered_set<std::wstring> ListFolder(const std::wstring& folder)
{
    std::unordered_set<std::wstring> keys;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return keys;
    do {
        keys.insert(Upper(folder + found.cFileName));
        if (found.cAlternateFileName[0])
            keys.insert(Upper(folder + found.cAlternateFileName));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return keys;
}

}

UniqueFileName CRenamePlan::Plan(const std::string& oldPath, const std::string& newBaseName,
                                 const std::string& extension)
{
    CPathParts parts;
    if (!parts.Set(oldPath.c_str()))
        return {UniqueFileName::kFailed, oldPath};
    if (SameName(newBaseName, parts.baseName))
        return {UniqueFileName::kKept, oldPath};
    // A file that a planned move takes away is no longer there to be moved.
    bool movable = Nameable(newBaseName) && left.count(Key(oldPath)) == 0;
    for (int number = 1; number <= 99; ++number) {
        std::string candidate = NumberedName(parts, newBaseName, number, extension);
        if (!FitsPathParts(candidate))
            return {UniqueFileName::kTooLong, oldPath};
        if (SameName(candidate, oldPath))
            return {UniqueFileName::kKept, oldPath};
        if (!movable)
            return {UniqueFileName::kFailed, oldPath};
        if (Occupied(parts.folder, candidate))
            continue;
        left.insert(Key(oldPath));
        taken.insert(Key(candidate));
        return {UniqueFileName::kMoved, candidate};
    }
    return {UniqueFileName::kKept, oldPath};
}

std::wstring CRenamePlan::Key(const std::string& path)
{
    return Upper(ToWide(path));
}

bool CRenamePlan::Occupied(const std::string& folder, const std::string& path)
{
    std::wstring key = Key(path);
    if (taken.count(key))
        return true;
    if (left.count(key))
        return false;
    std::wstring folderKey = Key(folder);
    auto names = listed.find(folderKey);
    if (names == listed.end())
        names = listed.emplace(folderKey, ListFolder(ToWide(folder))).first;
    return names->second.count(key) != 0;
}
