#pragma once
#include <cstdint>
#include <string>

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

// Replaces every occurrence of from by to, never searching inserted text again; returns the count.
int ReplaceAll(std::string& text, const std::string& from, const std::string& to);

// strtol of the text in the given base.
int32_t ToLong(const std::string& text, int base);
