#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Whether a byte starts a double-byte character of the ANSI code page (Shift_JIS, code page 932:
// 0x81 to 0x9F and 0xE0 to 0xFC); the byte after it is the character's second byte, which may look
// like an ASCII character ('\\', 'a', '|').
bool IsLeadByte(unsigned char c);

// Whether the last character of text is the single byte c (and not the second byte of a
// double-byte character: "ソ" is 0x83 0x5C, whose second byte is a backslash).
bool LastCharacterIs(const std::string& text, char c);

// Converts byteLength / 2 UTF-16LE units (an odd last byte is ignored) into the ANSI code page.
// out is emptied first; false on null or empty input or an empty conversion. A U+0000 unit ends
// the text.
bool WideToAnsi(const void* text, uint32_t byteLength, std::string& out);

// Text of the ANSI code page as UTF-8. A byte that begins no character of the code page
// becomes what the system makes of it (U+FFFD on Windows, "?" in the native build).
std::string AnsiToUtf8(const std::string& text);

// One integer formatted with a printf-style format of at most 127 result characters.
std::string FormatInt(int value, const std::string& format);

// A UTC file time (100 ns ticks since 1601-01-01) in local time, formatted with six integers:
// year, month, day, hour, minute, second.
std::string FormatFileTime(uint64_t fileTime, const std::string& format);

// A time in seconds since 1970-01-01 UTC in local time, formatted with strftime. 0 stands for
// the present moment; a time that cannot be converted (a negative one) gives the empty text.
std::string FormatTime(int32_t time, const std::string& format);

// The clock that FormatTime reads for the present moment, in seconds since 1970-01-01 UTC.
using PresentClock = int64_t (*)();
// Sets that clock; nullptr is the system's. Code that formats one text twice and compares the
// results fixes it, so that a second passing between the two formattings changes nothing.
void SetPresentClock(PresentClock clock);

// Replaces every occurrence of from by to, never searching inserted text again; returns the count.
int ReplaceAll(std::string& text, const std::string& from, const std::string& to);

// How many bytes of text (its first limit bytes at most) hold whole characters: a double-byte
// character of the ANSI code page that does not fit, or whose trail byte is missing, is left out.
size_t WholeCharacters(const std::string& text, size_t limit);

// strtol of the text in the given base.
int32_t ToLong(const std::string& text, int base);

// The text with the letters a to z upper-cased; double-byte characters stay as they are.
std::string UpperCaseLetters(const std::string& text);

// Removes the longest start of text made only of characters in leading, then trailing from the
// end as often as it stands there (never the second byte of a double-byte character).
void TrimString(std::string& text, const std::string& leading, const std::string& trailing);

// Removes the last count bytes of text (all of it when count exceeds its length); nothing for a
// negative count. Returns text.
std::string& EraseTail(std::string& text, int count);

// Whether name matches pattern: '*' stands for any run of characters, '?' for any one character
// (a double-byte character is one), letters compare without regard to case, every other
// character exactly. A '*' or '?' in name is a wildcard too. Costs at most a step per pair of
// characters of the two texts.
bool MatchWildcard(const char* name, const char* pattern);
