#pragma once
#include <string>

// Creates an empty file with a new name in the user's temporary folder, so that the name stays
// reserved, and returns its path; empty when no name could be made. The caller deletes it.
std::string MakeTempFileName(const std::string& prefix);
