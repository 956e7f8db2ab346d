// The file object of the native test build, over a POSIX descriptor kept in the handle field.
#include "framework/CFile.h"
#include "framework/StringUtil.h"

#include <cstdint>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
void* const kInvalid = reinterpret_cast<void*>(static_cast<intptr_t>(-1));

int Descriptor(void* handle)
{
    return static_cast<int>(reinterpret_cast<intptr_t>(handle));
}
}

CFile::CFile(const std::string& path) : handle(kInvalid), path(path) {}

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
    int flags = (access & kGenericWrite) ? ((access & kGenericRead) ? O_RDWR : O_WRONLY) : O_RDONLY;
    if (!mustExist)
        flags |= O_CREAT;
    int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
    struct stat st;
    if (fd >= 0 && (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode))) {
        ::close(fd);
        fd = -1;
    }
    handle = fd < 0 ? kInvalid : reinterpret_cast<void*>(static_cast<intptr_t>(fd));
    return fd >= 0;
}

bool CFile::Read(void* buffer, uint32_t count, uint32_t* outCount)
{
    *outCount = 0;
    if (handle == kInvalid)
        return false;
    char* out = static_cast<char*>(buffer);
    while (*outCount < count) {
        ssize_t n = ::read(Descriptor(handle), out + *outCount, count - *outCount);
        if (n < 0)
            return false;
        if (n == 0)
            break;
        *outCount += static_cast<uint32_t>(n);
    }
    return true;
}

bool CFile::ReadFull(void* buffer, uint32_t count)
{
    uint32_t done = 0;
    return Read(buffer, count, &done) && done == count;
}

uint32_t CFile::GetSize()
{
    struct stat st;
    if (handle == kInvalid || fstat(Descriptor(handle), &st) != 0)
        return 0xFFFFFFFFu;
    return static_cast<uint32_t>(static_cast<uint64_t>(st.st_size));
}

bool CFile::SizeOf(const std::string& path, uint64_t& size)
{
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    size = static_cast<uint64_t>(st.st_size);
    return true;
}

bool CFile::ListSizes(const std::string& folder,
                      const std::function<bool(const std::string& name, uint64_t size)>& each)
{
    DIR* listing = ::opendir(folder.c_str());
    if (!listing)
        return false;
    while (const dirent* entry = ::readdir(listing)) {
        struct stat st;
        if (::stat((folder + entry->d_name).c_str(), &st) != 0 || S_ISDIR(st.st_mode))
            continue;
        if (!each(entry->d_name, static_cast<uint64_t>(st.st_size)))
            break;
    }
    ::closedir(listing);
    return true;
}

bool CFile::GetIdentity(CFileIdentity& identity) const
{
    struct stat st;
    if (handle == kInvalid || fstat(Descriptor(handle), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    identity.volume = static_cast<uint64_t>(st.st_dev);
    identity.index = static_cast<uint64_t>(st.st_ino);
    return true;
}

bool CFile::IdentityOf(const std::string& path, CFileIdentity& identity)
{
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    identity.volume = static_cast<uint64_t>(st.st_dev);
    identity.index = static_cast<uint64_t>(st.st_ino);
    return true;
}

bool CFile::GetIndex(uint64_t& index) const
{
    struct stat st;
    if (handle == kInvalid || fstat(Descriptor(handle), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    index = static_cast<uint64_t>(st.st_ino);
    return true;
}

bool CFile::IndexOf(const std::string& path, uint64_t& index)
{
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    index = static_cast<uint64_t>(st.st_ino);
    return true;
}

std::string CFile::GetTimeText(int kind)
{
    struct stat st;
    if (handle == kInvalid || fstat(Descriptor(handle), &st) != 0)
        return std::string();
    time_t seconds;
    switch (kind) {
    case FileTimeCreation: seconds = st.st_ctime; break;
    case FileTimeLastAccess: seconds = st.st_atime; break;
    case FileTimeLastWrite: seconds = st.st_mtime; break;
    default: return std::string();
    }
    const uint64_t kUnixEpochTicks = 116444736000000000ull;
    uint64_t ticks = kUnixEpochTicks + static_cast<uint64_t>(seconds) * 10000000ull;
    return FormatFileTime(ticks, "%04d/%02d/%02d %02d:%02d:%02d");
}

void CFile::Close()
{
    if (handle == kInvalid)
        return;
    if (::close(Descriptor(handle)) != 0)
        throw "CFile::Close CloseHandle";
    handle = kInvalid;
}

bool CFile::IsOpen() const
{
    return handle != kInvalid;
}
