#include "framework/CFile.h"
#include "framework/StringUtil.h"

#include <windows.h>

#include <winternl.h>

CFile::CFile(const std::string& path) : handle(INVALID_HANDLE_VALUE), path(path) {}

CFile::~CFile()
{
    try {
        Close();
    } catch (...) {
    }
}

bool CFile::Open(bool mustExist, uint32_t access, const std::string& newPath)
{
    if (!newPath.empty())
        path = newPath;
    handle = CreateFileA(path.c_str(), access, 0, nullptr, mustExist ? OPEN_EXISTING : OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    return handle != INVALID_HANDLE_VALUE;
}

bool CFile::Read(void* buffer, uint32_t count, uint32_t* outCount)
{
    DWORD done = 0;
    BOOL ok = ReadFile(handle, buffer, count, &done, nullptr);
    *outCount = done;
    return ok != FALSE;
}

bool CFile::ReadFull(void* buffer, uint32_t count)
{
    uint32_t done = 0;
    return Read(buffer, count, &done) && done == count;
}

uint32_t CFile::GetSize()
{
    return GetFileSize(handle, nullptr);
}

bool CFile::SizeOf(const std::string& path, uint64_t& size)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    size = static_cast<uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    return true;
}

bool CFile::ListSizes(const std::string& folder,
                      const std::function<bool(const std::string& name, uint64_t size)>& each)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            !each(found.cFileName, static_cast<uint64_t>(found.nFileSizeHigh) << 32 | found.nFileSizeLow))
            break;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return true;
}

bool CFile::GetIdentity(CFileIdentity& identity) const
{
    BY_HANDLE_FILE_INFORMATION info;
    if (handle == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(handle, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    identity.volume = info.dwVolumeSerialNumber;
    identity.index = static_cast<uint64_t>(info.nFileIndexHigh) << 32 | info.nFileIndexLow;
    return true;
}

bool CFile::IdentityOf(const std::string& path, CFileIdentity& identity)
{
    // No access asked and every sharing allowed: the file may be open without sharing elsewhere.
    CFile file(path);
    file.handle = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    return file.GetIdentity(identity);
}

bool CFile::GetIndex(uint64_t& index) const
{
    IO_STATUS_BLOCK status;
    FILE_INTERNAL_INFORMATION info;
    if (handle == INVALID_HANDLE_VALUE ||
        NtQueryInformationFile(handle, &status, &info, sizeof(info), FileInternalInformation) != 0)
        return false;
    index = static_cast<uint64_t>(info.IndexNumber.QuadPart);
    return true;
}

bool CFile::IndexOf(const std::string& path, uint64_t& index)
{
    // Opened as IdentityOf opens, but never a folder: without backup semantics a folder does not
    // open.
    CFile file(path);
    file.handle = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    return file.GetIndex(index);
}

std::string CFile::GetTimeText(int kind)
{
    FILETIME times[3];
    if (!GetFileTime(handle, &times[0], &times[1], &times[2]))
        return std::string();
    if (kind < FileTimeCreation || kind > FileTimeLastWrite)
        return std::string();
    const FILETIME& t = times[kind];
    uint64_t ticks = (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    return FormatFileTime(ticks, "%04d/%02d/%02d %02d:%02d:%02d");
}

void CFile::Close()
{
    if (handle == INVALID_HANDLE_VALUE)
        return;
    if (!CloseHandle(handle))
        throw "CFile::Close CloseHandle";
    handle = INVALID_HANDLE_VALUE;
}

bool CFile::IsOpen() const
{
    return handle != INVALID_HANDLE_VALUE;
}
