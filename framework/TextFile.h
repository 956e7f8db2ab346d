#pragma once
#include <string>

// Writes text to the file at path through a text-mode stream, replacing what the file held: on
// Windows every line feed becomes CR LF. False when the file cannot be opened or written.
bool WriteTextFile(const std::string& path, const std::string& text);
