#pragma once

// A path cut into drive, directory, base name and extension the way the runtime's path splitter
// cuts it, Shift_JIS double-byte characters kept whole.
class CPathParts {
public:
    CPathParts();
    explicit CPathParts(const char* path);
    virtual ~CPathParts() = default;

    // False for a null path, and for a path that does not fit the fixed arrays (260 bytes or
    // more, or a part longer than its array); the parts are then left as they were.
    bool Set(const char* path);

    char path[260];
    char folder[260];   // drive + directory
    char fileName[260]; // base name + extension
    char drive[3];
    char directory[256];
    char baseName[256];
    char extension[256];
};
