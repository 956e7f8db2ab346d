#include "ui/CVersionInfo.h"

#include <cstdio>
#include <cstring>

int CVersionInfo::Load(const std::string& fileName)
{
    block.clear();
    translations = nullptr;
    translationCount = 0;
    current = 0;
    if (fileName.empty())
        return 0;
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(fileName.c_str(), &handle);
    if (size == 0)
        return 0;
    block.assign(size + 1, 0);
    if (!GetFileVersionInfoA(fileName.c_str(), 0, size, block.data())) {
        block.clear();
        return 0;
    }
    void* table = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &table, &length) || !table)
        return 0;
    translations = static_cast<const WORD*>(table);
    translationCount = static_cast<int>(length / 4);
    return translationCount;
}

bool CVersionInfo::QueryString(const std::string& key, std::string& out)
{
    if (block.empty() || key.empty() || current >= translationCount)
        return false;
    char path[256] = {};
    std::snprintf(path, sizeof(path), "\\StringFileInfo\\%04x%04x\\%s",
                  translations[2 * current], translations[2 * current + 1], key.c_str());
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), path, &value, &length) || !value)
        return false;
    const char* text = static_cast<const char*>(value);
    out.assign(text, strnlen(text, length));
    return true;
}

std::string CVersionInfo::GetProductName()
{
    std::string name;
    QueryString("ProductName", name);
    return name;
}

std::string CVersionInfo::GetFileVersion()
{
    std::string version;
    QueryString("FileVersion", version);
    return version;
}
