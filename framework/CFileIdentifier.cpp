#include "framework/CFileIdentifier.h"

#include <windows.h>

bool CFileIdentifier::IdentityOf(const std::string& path, CFileIdentity& identity)
{
    // No access asked and every sharing allowed, as CFile::IdentityOf opens it.
    CFile file(path);
    file.handle = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    return GetIdentity(file, identity);
}

bool CFileIdentifier::GetIdentity(const CFile& file, CFileIdentity& identity)
{
    FILE_STANDARD_INFO standard = {};
    size_t separator = file.path.find_last_of("\\/");
    uint64_t volume = 0;
    uint64_t index = 0;
    if (!file.IsOpen() || separator == std::string::npos ||
        !GetFileInformationByHandleEx(file.handle, FileStandardInfo, &standard, sizeof(standard)) ||
        standard.Directory || !file.GetIndex(index) || !VolumeOf(file.path.substr(0, separator + 1), volume))
        return false;
    identity.volume = volume;
    identity.index = index;
    return true;
}

bool CFileIdentifier::VolumeOf(const std::string& folder, uint64_t& volume)
{
    auto known = volumes.find(folder);
    if (known != volumes.end()) {
        volume = known->second;
        return true;
    }
    HANDLE handle = CreateFileA(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    BY_HANDLE_FILE_INFORMATION info;
    bool found = handle != INVALID_HANDLE_VALUE && GetFileInformationByHandle(handle, &info);
    if (handle != INVALID_HANDLE_VALUE)
        CloseHandle(handle);
    if (!found)
        return false;
    volume = volumes[folder] = info.dwVolumeSerialNumber;
    return true;
}
