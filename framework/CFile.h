#pragma once
#include <cstdint>
#include <functional>
#include <string>

// Which of a file's three times is meant.
enum FileTimeKind { FileTimeCreation = 0, FileTimeLastAccess = 1, FileTimeLastWrite = 2 };

// Which file a path names, as the file system tells it: the serial number of its volume and its
// index on that volume. Two paths name one file exactly when their identities are equal; their
// texts decide nothing (folders can be case-sensitive, and links give a file several names).
struct CFileIdentity {
    uint64_t volume = 0;
    uint64_t index = 0;
    bool operator==(const CFileIdentity& other) const
    {
        return volume == other.volume && index == other.index;
    }
    bool operator!=(const CFileIdentity& other) const { return !(*this == other); }
};

constexpr uint32_t kGenericRead = 0x80000000u;
constexpr uint32_t kGenericWrite = 0x40000000u;

// A file opened without sharing, closed when the object goes away.
class CFile {
public:
    explicit CFile(const std::string& path = std::string());
    virtual ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // mustExist false creates a missing file empty. A non-empty path replaces the stored one.
    bool Open(bool mustExist, uint32_t access, const std::string& path = std::string());
    bool Read(void* buffer, uint32_t count, uint32_t* outCount);
    bool ReadFull(void* buffer, uint32_t count);
    // Low 32 bits of the size; 0xFFFFFFFF on failure.
    uint32_t GetSize();
    // The size of the file at path, asked of the file system without opening the file; false
    // when there is no file there (a folder is none).
    static bool SizeOf(const std::string& path, uint64_t& size);
    // The names and sizes of the files directly in folder (its path ends with a separator), in the
    // file system's order, until each returns false; folders are left out. False when the folder
    // cannot be listed.
    static bool ListSizes(const std::string& folder,
                          const std::function<bool(const std::string& name, uint64_t size)>& each);
    // The identity of the open file; false when it is not open or the system cannot tell.
    bool GetIdentity(CFileIdentity& identity) const;
    // The identity of the file at path, asked without reading it and whoever holds it open;
    // false when there is no file there (a folder is none).
    static bool IdentityOf(const std::string& path, CFileIdentity& identity);
    // The index of the open file on its volume: the part of its identity that the system gives at
    // once. Files of different indexes are different files; files of equal indexes are one file
    // only when their identities are equal (under Wine the volume's serial number takes a round
    // trip to the mount manager, hundreds of times as long as the index). False as GetIdentity.
    bool GetIndex(uint64_t& index) const;
    // The index of the file at path, asked as IdentityOf asks.
    static bool IndexOf(const std::string& path, uint64_t& index);
    // "%04d/%02d/%02d %02d:%02d:%02d" in local time; empty when the time cannot be read.
    std::string GetTimeText(int kind);
    // Throws the text "CFile::Close CloseHandle" when the system refuses to close.
    void Close();
    bool IsOpen() const;

    void* handle;
    std::string path;
};
