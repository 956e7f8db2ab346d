#pragma once
#include "ui/UniqueFileName.h"

#include <string>
#include <unordered_map>
#include <unordered_set>

// The names that the files of one batch run would take, worked out without moving a file: each
// folder is listed once, at its first file, and each planned move then leaves its old name free
// and takes its new one for the files after it, as the run's moves would.
class CRenamePlan {
public:
    // What MakeUniqueFileName would do with the file at oldPath for newBaseName after the moves
    // planned so far, from the same candidates in the same order; a move that would succeed is
    // planned (kMoved with its path). A file whose name no move could give (a wildcard, a quote,
    // "<", ">", "|" or a control character) fails as its move would. The extension is the one
    // of oldPath unless one is given, as for MakeUniqueFileName.
    UniqueFileName Plan(const std::string& oldPath, const std::string& newBaseName,
                        const std::string& extension = std::string());

private:
    // A path as the file system compares names: letter case aside.
    static std::wstring Key(const std::string& path);
    // Whether a move to path would find something there: a file or folder of the folder's
    // listing that no planned move has taken away, or the new name of a planned move.
    bool Occupied(const std::string& folder, const std::string& path);

    // Per folder (its key), the keys of the paths it held when listed: long and short names.
    std::unordered_map<std::wstring, std::unordered_set<std::wstring>> listed;
    std::unordered_set<std::wstring> left;
    std::unordered_set<std::wstring> taken;
};
