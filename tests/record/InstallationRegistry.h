#pragma once
// The game's registry entries in the test prefix: put into one view of the registry and taken
// out of both again.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace installation {

const char kGameKey[] = "SOFTWARE\\Microsoft\\Microsoft Games\\Karthen\\1.0";
const char kExpansionKey[] = "SOFTWARE\\Microsoft\\Microsoft Games\\Karthen Expansion Pack\\1.0";

using Values = std::vector<std::pair<std::string, std::string>>;

// Writes the key with its text values into the view (KEY_WOW64_32KEY, where the 32-bit game
// keeps it, or KEY_WOW64_64KEY).
inline bool Put(REGSAM view, const char* key, const Values& values)
{
    HKEY opened = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr,
                        &opened, nullptr) != ERROR_SUCCESS)
        return false;
    for (const auto& value : values)
        RegSetValueExA(opened, value.first.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(value.second.c_str()),
                       static_cast<DWORD>(value.second.size() + 1));
    RegCloseKey(opened);
    return true;
}

// Whether the key exists in the view.
inline bool Exists(REGSAM view, const char* key)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ | view, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

// Removes both products from both views.
inline void RemoveAll()
{
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
        HKEY microsoft = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft", 0, KEY_ALL_ACCESS | view,
                          &microsoft) == ERROR_SUCCESS) {
            RegDeleteTreeA(microsoft, "Microsoft Games");
            RegCloseKey(microsoft);
        }
    }
}

}
