#pragma once
#include <string>

// The longest base name that a batch rename gives a file, in bytes.
constexpr size_t kMaxBaseName = 256;

// The path under which the file at oldPath takes newBaseName (cut to kMaxBaseName bytes, never
// inside a double-byte character) with its own extension: the plain name when no file can be
// opened under it, else the first free of "name(2)" to "name(99)". oldPath itself when the name
// is the file's own (letter case aside), when a numbered name that comes first is the file's
// own, and when all 99 are taken. Empty when a candidate does not fit the platform's path limit.
std::string MakeUniqueFileName(const std::string& oldPath, const std::string& newBaseName);

// Whether a stylesheet's output can be a file name in the file's own folder: it holds no '\' or
// '/', which lead into another folder, and no ':', which names a drive or a stream. Double-byte
// characters are read whole: the second byte of one may be a backslash.
bool IsBaseName(const std::string& name);
