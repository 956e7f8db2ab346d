#include "framework/CRegKey.h"

#include <vector>

CRegKey::~CRegKey()
{
    Close();
}

bool CRegKey::Create(HKEY parent, const std::string& subkey)
{
    if (!parent || subkey.empty())
        return false;
    HKEY opened = nullptr;
    if (RegCreateKeyExA(parent, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &opened, nullptr) != ERROR_SUCCESS)
        return false;
    Close();
    key = opened;
    return true;
}

bool CRegKey::Open(HKEY parent, const std::string& subkey, REGSAM access)
{
    if (!parent || subkey.empty())
        return false;
    HKEY opened = nullptr;
    if (RegOpenKeyExA(parent, subkey.c_str(), 0, access, &opened) != ERROR_SUCCESS)
        return false;
    Close();
    key = opened;
    return true;
}

void CRegKey::Close()
{
    if (key)
        RegCloseKey(key);
    key = nullptr;
}

bool CRegKey::QueryValue(const char* name, BYTE* data, DWORD* size, DWORD* type)
{
    if (!key)
        return false;
    return RegQueryValueExA(key, name, nullptr, type, data, size) == ERROR_SUCCESS;
}

DWORD CRegKey::GetValueSize(const char* name)
{
    DWORD size = 0;
    if (!QueryValue(name, nullptr, &size, nullptr))
        return 0;
    return size;
}

bool CRegKey::GetString(const char* name, std::string& out)
{
    DWORD size = GetValueSize(name);
    if (size == 0)
        return false;
    std::vector<BYTE> buffer(size);
    bool read = QueryValue(name, buffer.data(), &size, nullptr);
    if (read) {
        // A value stored without its zero byte ends at its size.
        const char* text = reinterpret_cast<const char*>(buffer.data());
        size_t length = 0;
        while (length < size && length < buffer.size() && text[length] != '\0')
            ++length;
        out.assign(text, length);
    }
    return read;
}
