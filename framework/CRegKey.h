#pragma once
#include <windows.h>

#include <string>

// One open registry key, closed when the object goes away or opens another.
class CRegKey {
public:
    CRegKey() = default;
    virtual ~CRegKey();
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;

    // Opens the key with full access, creating it when it does not exist. False for a null
    // parent or an empty subkey (no call), or when the system refuses; the held key then stays.
    bool Create(HKEY parent, const std::string& subkey);
    // Opens an existing key with the given rights (KEY_QUERY_VALUE, KEY_WOW64_32KEY, ...) and
    // never creates one. False as for Create.
    bool Open(HKEY parent, const std::string& subkey, REGSAM access);
    void Close();
    // False without a call when no key is held; otherwise whether RegQueryValueExA succeeded.
    bool QueryValue(const char* name, BYTE* data, DWORD* size, DWORD* type);
    // The value's size in bytes; 0 when it is missing.
    DWORD GetValueSize(const char* name);
    // Any value read as text, up to its first zero byte or its stored size. A missing value
    // gives false and leaves out as it was.
    bool GetString(const char* name, std::string& out);

    HKEY key = nullptr;
};
