#pragma once
#include "framework/CPathParts.h"

#include <string>

// What MakeUniqueFileName did with a file.
struct UniqueFileName {
    enum Outcome {
        kMoved,    // the file is at path now
        kKept,     // nothing to do: path is the old path
        kTooLong,  // a candidate is a path that the program could not split; the file stays
        kFailed,   // the old path cannot be split, or the move failed for another reason (a
                   // name that file names cannot hold)
    };
    Outcome outcome;
    std::string path;
};

// Moves the file at oldPath, in its folder, to newBaseName with its own extension (or with the
// extension given, for a file whose path holds its short name): to the plain name when no file
// has it, else to the first of "name(2)" to "name(99)" that no file has. The
// move itself finds out whether a name is free, so that no file is ever replaced, not even one
// that appears meanwhile. The file is kept when the name is its own (letter case aside), when a
// numbered name that comes first is its own, and when all 99 are taken. Before the move to the
// name chosen, the first that no file has, the debugger gets "\norgFile:" with the old path and
// "\nnewFilename:" with the new one; once more for the next name should a file take that one
// first.
UniqueFileName MakeUniqueFileName(const std::string& oldPath, const std::string& newBaseName,
                                  const std::string& extension = std::string());

// The number-th name that MakeUniqueFileName tries for the file at oldPath (split into parts):
// the folder, newBaseName, "(number)" from the second on, and the extension given or the path's
// own.
std::string NumberedName(const CPathParts& parts, const std::string& newBaseName, int number,
                         const std::string& extension);

// Whether two names or paths are one to MakeUniqueFileName: equal under the multibyte-aware
// comparison that ignores the letter case of single-byte letters.
bool SameName(const std::string& a, const std::string& b);

// Whether the program can handle a path: CPathParts splits it (fewer than 260 bytes, each part
// within its array). A rename never gives a file a path that the program could not split again:
// its record would have no name, and the next rename no folder.
bool FitsPathParts(const std::string& path);

// Whether a name holds a '\' or '/', which lead into another folder, or a ':', which names a
// drive or a stream. Double-byte characters are read whole: the second byte of one may be a
// backslash.
bool NamesAFolderOrDrive(const std::string& name);

// Whether a stylesheet's output or a typed name can be a file's name in its own folder: it names
// no folder or drive; it does not end in a dot or a space, which Windows drops; and it is no
// device name (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9 in any letter case, alone or before
// an extension, spaces or dots), which Windows before 11 takes for the device in every folder.
bool IsBaseName(const std::string& name);

// A line of the batch rename for the debugger: a line feed, the label, a colon and the path.
void TracePath(const char* label, const std::string& path);
