#pragma once
#include <string>

// Creates an empty file with a new name in the user's temporary folder, so that the name stays
// reserved, and returns its path; empty when no name could be made. The caller deletes it.
std::string MakeTempFileName(const std::string& prefix);

// Writes text as WriteTextFile does, but into a new file beside path that is moved over path
// only once it is written whole: path holds either what it held or all of text, never a part of
// it. False when that fails; path is then as it was and nothing is left beside it.
bool ReplaceTextFile(const std::string& path, const std::string& text);
