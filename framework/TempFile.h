#pragma once
#include <string>

// Creates an empty file with a new name in the user's temporary folder, so that the name stays
// reserved, and returns its path; empty when no name could be made. The caller deletes it.
std::string MakeTempFileName(const std::string& prefix);

// Writes text as WriteTextFile does, but into a new file beside path that is moved over path
// only once it is written whole and on the disk: path holds either what it held or all of text,
// never a part of it, even after a power cut. False when that fails; path is then as it was and
// nothing is left beside it. Any path of fewer than 260 bytes is written: where no new name fits
// beside it (a name of one byte after a folder of 257 bytes), it is written in place.
bool ReplaceTextFile(const std::string& path, const std::string& text);
