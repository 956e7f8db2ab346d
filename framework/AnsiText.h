#pragma once
#include <string>

// UTF-16 text that the system gives (file names, paths) as the program keeps it, in the ANSI
// code page, and back.

// The text in the ANSI code page when each of its characters has its own there. False (out
// empty) when one has not: a character the code page lacks (Hangul, an emoji, the wave dash
// U+301C), or one that the system would replace by a look-alike, such as U+00A5, which it turns
// into a backslash and so into a path of another folder.
bool ToAnsiExactly(const std::wstring& text, std::string& out);

// The text for the user's eyes: each character that the code page cannot hold as "?".
std::string ToAnsiShown(const std::wstring& text);

// Text of the ANSI code page in UTF-16.
std::wstring ToWide(const std::string& text);

// The path in UTF-16 with each of its names long, as the file system spells them (a file known by
// its short name under its own name); a path that is not there, as it is.
std::wstring LongPath(const std::string& path);
