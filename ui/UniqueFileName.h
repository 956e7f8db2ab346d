#pragma once
#include <string>

// The longest base name that a batch rename gives a file, in bytes.
constexpr size_t kMaxBaseName = 256;

// What MakeUniqueFileName did with a file.
struct UniqueFileName {
    enum Outcome {
        kMoved,    // the file is at path now
        kKept,     // nothing to do: path is the old path
        kTooLong,  // a candidate does not fit the platform's path limit; the file stays
        kFailed,   // the move failed for another reason (a name that file names cannot hold)
    };
    Outcome outcome;
    std::string path;
};

// Moves the file at oldPath, in its folder, to newBaseName (cut to kMaxBaseName bytes, never
// inside a double-byte character) with its own extension: to the plain name when no file has it,
// else to the first of "name(2)" to "name(99)" that no file has. The move itself finds out
// whether a name is free, so that no file is ever replaced, not even one that appears meanwhile.
// The file is kept when the name is its own (letter case aside), when a numbered name that comes
// first is its own, and when all 99 are taken. Before each move the debugger gets "\norgFile:"
// with the old path and "\nnewFilename:" with the new one.
UniqueFileName MakeUniqueFileName(const std::string& oldPath, const std::string& newBaseName);

// Whether a stylesheet's output can be a file name in the file's own folder: it holds no '\' or
// '/', which lead into another folder, and no ':', which names a drive or a stream. Double-byte
// characters are read whole: the second byte of one may be a backslash.
bool IsBaseName(const std::string& name);

// A line of the batch rename for the debugger: a line feed, the label, a colon and the path.
void TracePath(const char* label, const std::string& path);
