#pragma once
#include "framework/CFile.h"

#include <cstddef>
#include <string>
#include <unordered_map>

// Files told apart as the file system tells them, with as few questions as it allows: by their
// indexes (CFile::GetIndex), and by their whole identities only where their indexes are equal.
class CFileSet {
public:
    static constexpr size_t kNone = static_cast<size_t>(-1);

    // Adds the file at path under number, or the file open in handle (opened from path) when a
    // handle is given: the number of the file added before that it is; number when it is none of
    // them; kNone when the system cannot tell which file it is (there is none at path, or a file
    // added before with its index can no longer be asked).
    size_t Add(const std::string& path, const CFile* handle, size_t number);

private:
    struct Member {
        std::string path;
        size_t number;
        // Whether identity holds the member's identity, asked when another file of its index came.
        bool identified;
        CFileIdentity identity;
    };
    std::unordered_multimap<uint64_t, Member> byIndex;
};
