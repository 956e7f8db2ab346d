#include "framework/CShortNames.h"

#include "framework/AnsiText.h"

namespace {

// Short names are ASCII, and letter case does not tell them apart.
std::wstring Key(const std::wstring& name)
{
    std::wstring key = name;
    for (wchar_t& c : key) {
        if (c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - L'a' + L'A');
    }
    return key;
}

std::wstring Join(const std::wstring& folder, const std::wstring& name)
{
    if (!folder.empty() && folder.back() == L'\\')
        return folder + name;
    return folder + L"\\" + name;
}

}

bool CShortNames::NameOf(const std::wstring& folder, const WIN32_FIND_DATAW& entry,
                         std::string& name)
{
    if (ToAnsiExactly(entry.cFileName, name))
        return true;
    std::wstring shortName = entry.cAlternateFileName;
    if (!shortName.empty() && Answering(folder, shortName) == 1 && ToAnsiExactly(shortName, name))
        return true;
    name.clear();
    return false;
}

bool CShortNames::NameOf(const std::wstring& folder, const std::wstring& longName,
                         std::string& name)
{
    if (ToAnsiExactly(longName, name))
        return true;
    WIN32_FIND_DATAW entry = {};
    HANDLE search = FindFirstFileW(Join(folder, longName).c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return NameOf(folder, entry, name);
}

int CShortNames::Answering(const std::wstring& folder, const std::wstring& name)
{
    auto known = folders.find(folder);
    if (known == folders.end()) {
        std::map<std::wstring, int>& counts = folders[folder];
        WIN32_FIND_DATAW entry = {};
        HANDLE search = FindFirstFileW(Join(folder, L"*").c_str(), &entry);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more;
             more = FindNextFileW(search, &entry)) {
            std::wstring longKey = Key(entry.cFileName);
            std::wstring shortKey = Key(entry.cAlternateFileName);
            ++counts[longKey];
            if (!shortKey.empty() && shortKey != longKey)
                ++counts[shortKey];
        }
        if (search != INVALID_HANDLE_VALUE)
            FindClose(search);
        known = folders.find(folder);
    }
    auto count = known->second.find(Key(name));
    return count == known->second.end() ? 0 : count->second;
}
