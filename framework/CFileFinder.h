#pragma once
#include "framework/CShortNames.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

// Lists the files of a folder whose names match a wildcard pattern, in the system's order, with
// the files of each subfolder (depth first) when recurse is set. Folders themselves are never
// delivered. Set recurse and fullPath before the first Next. Names are read in UTF-16 and never
// used as paths unless they convert exactly (see CShortNames): a file whose long name the code
// page cannot hold is delivered by its short name, and one without a short name that names it
// alone is left out and noted; a subfolder that cannot be named is not entered.
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
    // is an empty one); a further Next starts again from the first file. The pattern is matched
    // against the long name as longName shows it.
    bool Next(std::string& out);
    void Close();

    WIN32_FIND_DATAW findData;
    std::string pattern = "*.*";
    std::string folder;
    HANDLE searchHandle = INVALID_HANDLE_VALUE;
    bool recurse = true;
    bool fullPath = true;
    // The finder of the subfolder being listed.
    std::unique_ptr<CFileFinder> child;
    // The long name of the file last delivered as the code page shows it ("?" for each character
    // it lacks) when the file was delivered by its short name; empty when by its own.
    std::string longName;
    // The long names of the files of this listing that match the pattern but could not be named,
    // as the system gives them.
    std::vector<std::wstring> unnamed;

private:
    // Steps the search to its next entry; false at its end.
    bool NextEntry();

    // The folder as the system spells it.
    std::wstring wideFolder;
    CShortNames shortNames;
};
