#pragma once
#include <windows.h>

#include <memory>
#include <string>

// Lists the files of a folder whose names match a wildcard pattern, in the system's order, with
// the files of each subfolder (depth first) when recurse is set. Folders themselves are never
// delivered. Set recurse and fullPath before the first Next.
class CFileFinder {
public:
    CFileFinder();
    virtual ~CFileFinder();
    CFileFinder(const CFileFinder&) = delete;
    CFileFinder& operator=(const CFileFinder&) = delete;

    // Ends any open listing, then keeps the pattern (see MatchWildcard).
    void SetPattern(const std::string& pattern);
    // Keeps the folder without one trailing separator; an open listing goes on unchanged.
    void SetFolder(const std::string& folder);
    // The next file: folder, backslash and name with fullPath (always below the top folder),
    // else the name. False at the end, where the listing closes (a missing or unreadable folder
    // is an empty one); a further Next starts again from the first file.
    bool Next(std::string& out);
    void Close();

    WIN32_FIND_DATAA findData;
    std::string pattern = "*.*";
    std::string folder;
    HANDLE searchHandle = INVALID_HANDLE_VALUE;
    bool recurse = true;
    bool fullPath = true;
    // The finder of the subfolder being listed.
    std::unique_ptr<CFileFinder> child;

private:
    // Steps the search to its next entry; false at its end.
    bool NextEntry();
};
