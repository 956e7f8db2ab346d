#pragma once
#include "framework/CFile.h"
#include "framework/CFileIdentifier.h"

#include <cstdint>
#include <string>
#include <vector>

// The renames of the session that Edit > Undo takes back: one step for each command that renamed
// files (the dialogs of one F2, or one batch run), the most recent last. Nothing of it outlives
// the program.
class CRenameHistory {
public:
    // The command that made a step; the Edit menu names it.
    enum Kind { kRename, kBatchRename };

    // A file that a command renamed: where it was, where it went, which file it was there as the
    // file system told right after the move (unknown when it could not tell: the file had gone
    // already), and the id of the record that followed it.
    struct File {
        std::string oldPath;
        std::string newPath;
        CFileIdentity identity;
        bool identified = false;
        int32_t record = 0;
        // For a file known by its short name (its own name holds characters that the code page
        // lacks): its old path as the file system spells it, which the undo gives back to it, and
        // the name that its row showed. Empty for any other file.
        std::wstring oldLongPath;
        std::string oldShownName;
    };

    struct Step {
        Kind kind;
        // In the order in which they were renamed; taken back from the last.
        std::vector<File> files;
    };

    // What moving a file back came to.
    enum Outcome {
        kMovedBack,
        kGone,          // no longer at its new path: moved away, deleted, or another file is there
        kOldNameTaken,  // something is at its old path
        kFailed,        // the system refused the move (another program holds the file)
    };

    // The file that has just been moved from oldPath to newPath, with its identity taken now by
    // the identifier of the command.
    // For a file known by its short name, oldLongPath and oldShownName are what it gets back.
    static File Renamed(const std::string& oldPath, const std::string& newPath, int32_t record,
                        CFileIdentifier& identifier, const std::wstring& oldLongPath = std::wstring(),
                        const std::string& oldShownName = std::string());
    // The path of a file known by its short name (its row shows shownName, not its path's name) as
    // the file system spells it, taken before the file is renamed; empty for any other file.
    static std::wstring LongPathOf(const std::string& path, const std::string& shownName);

    // Moves the file back to its old path when the file at its new path is still the one that was
    // renamed and nothing is at the old path. The file identified is the file moved, through one
    // handle, and the move never replaces another file. A file moved back gives its last-write
    // time there, and the path that the program knows it by there (pathNow): its old one, or for a
    // file known by its short name, its short name now.
    static Outcome MoveBack(const File& file, CFileIdentifier& identifier, std::string& timeText,
                            std::string& pathNow);

    // A step that holds files becomes the most recent; an empty one is no step.
    void Push(Step step);
    bool Empty() const;
    // The most recent step.
    Step& Last();
    void DropLast();

    // The text of Edit > Undo: plain when there is nothing to undo, else naming the command of the
    // most recent step.
    std::string MenuText() const;

    std::vector<Step> steps;
};
