#pragma once
#include "framework/CFile.h"

#include <cstdint>
#include <string>
#include <unordered_map>

// The identities of many files in a few folders, the same that CFile gives, asked of the file
// system file by file: each file's index from the file itself, the serial number of its volume
// from its folder, once for each folder, since a file lies on the volume of the folder that holds
// it. Under Wine a volume's serial number costs a call to another process, a millisecond or more
// (as much as a move), and a file's index next to nothing.
class CFileIdentifier {
public:
    // As CFile::IdentityOf.
    bool IdentityOf(const std::string& path, CFileIdentity& identity);
    // As CFile::GetIdentity of the open file; its folder is that of its path.
    bool GetIdentity(const CFile& file, CFileIdentity& identity);

private:
    // The serial number of the volume of the folder (its path ends with a separator); false when
    // the folder cannot be opened.
    bool VolumeOf(const std::string& folder, uint64_t& volume);

    std::unordered_map<std::string, uint64_t> volumes;
};
