#include "framework/StringUtil.h"

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {
PresentClock presentClock = nullptr;
}

void SetPresentClock(PresentClock clock)
{
    presentClock = clock;
}

std::string FormatTime(int32_t time, const std::string& format)
{
    time_t t = time != 0 ? static_cast<time_t>(time)
                         : presentClock ? static_cast<time_t>(presentClock()) : std::time(nullptr);
    if (t < 0)
        return std::string();
    tzset();
    const struct tm* local = std::localtime(&t);
    if (!local)
        return std::string();
    std::vector<char> buffer(format.size() + 64, '\0');
    std::strftime(buffer.data(), buffer.size() - 1, format.c_str(), local);
    return std::string(buffer.data());
}

int ReplaceAll(std::string& text, const std::string& from, const std::string& to)
{
    if (from.empty())
        return 0;
    int count = 0;
    std::string::size_type position = 0;
    while ((position = text.find(from, position)) != std::string::npos) {
        text.replace(position, from.size(), to);
        position += to.size();
        ++count;
    }
    return count;
}

int32_t ToLong(const std::string& text, int base)
{
    // strtol of a 32-bit long: out-of-range numbers clamp to the 32-bit limits on every system.
    long long value = std::strtoll(text.c_str(), nullptr, base);
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(value);
}

namespace {

// The length of the character at text[i]: 2 for a lead byte followed by another byte, else 1.
size_t CharLength(const std::string& text, size_t i)
{
    return IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

// Whether a character of text starts at offset start.
bool StartsCharacter(const std::string& text, size_t start)
{
    size_t i = 0;
    while (i < start)
        i += CharLength(text, i);
    return i == start;
}

// Whether text ends with tail and tail starts on a character of text.
bool EndsWithWholeCharacters(const std::string& text, const std::string& tail)
{
    return !tail.empty() && tail.size() <= text.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0 &&
           StartsCharacter(text, text.size() - tail.size());
}

// A text as its characters: a byte, or a lead byte and its second byte as one number. Letters
// are upper-cased as toupper does in the "C" locale.
std::vector<unsigned> Characters(const char* text)
{
    std::vector<unsigned> characters;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        if (IsLeadByte(*p) && p[1]) {
            characters.push_back(static_cast<unsigned>(p[0]) << 8 | p[1]);
            ++p;
        } else {
            characters.push_back(*p >= 'a' && *p <= 'z' ? *p - 'a' + 'A' : *p);
        }
    }
    return characters;
}

}

size_t WholeCharacters(const std::string& text, size_t limit)
{
    size_t end = text.size() < limit ? text.size() : limit;
    size_t length = 0;
    while (length < end) {
        size_t step = IsLeadByte(static_cast<unsigned char>(text[length])) ? 2 : 1;
        if (length + step > end)
            break;
        length += step;
    }
    return length;
}

bool LastCharacterIs(const std::string& text, char c)
{
    return !text.empty() && text.back() == c && StartsCharacter(text, text.size() - 1);
}

std::string UpperCaseLetters(const std::string& text)
{
    std::string upper = text;
    for (size_t i = 0; i < upper.size(); i += CharLength(upper, i)) {
        if (upper[i] >= 'a' && upper[i] <= 'z')
            upper[i] = static_cast<char>(upper[i] - 'a' + 'A');
    }
    return upper;
}

void TrimString(std::string& text, const std::string& leading, const std::string& trailing)
{
    size_t start = 0;
    while (start < text.size() && CharLength(text, start) == 1 &&
           leading.find(text[start]) != std::string::npos)
        ++start;
    text.erase(0, start);
    while (EndsWithWholeCharacters(text, trailing))
        text.erase(text.size() - trailing.size());
}

std::string& EraseTail(std::string& text, int count)
{
    if (count < 0)
        return text;
    size_t cut = static_cast<size_t>(count) < text.size() ? static_cast<size_t>(count) : text.size();
    text.erase(text.size() - cut);
    return text;
}

bool MatchWildcard(const char* name, const char* pattern)
{
    const unsigned kAny = '*';
    const unsigned kOne = '?';
    std::vector<unsigned> a = Characters(name);
    std::vector<unsigned> b = Characters(pattern);
    size_t n = a.size();
    size_t m = b.size();
    // matches[j] of row i: whether the name from character i matches the pattern from character
    // j. Row i needs only row i + 1 and the places after j in its own row.
    std::vector<char> below(m + 1, 0);
    std::vector<char> row(m + 1, 0);
    for (size_t i = n + 1; i-- > 0;) {
        for (size_t j = m + 1; j-- > 0;) {
            bool match;
            if (i < n && a[i] == kAny)
                match = below[j] || (j < m && row[j + 1]);
            else if (j < m && b[j] == kAny)
                match = row[j + 1] || (i < n && below[j]);
            else if (i == n || j == m)
                match = i == n && j == m;
            else
                match = (a[i] == kOne || b[j] == kOne || a[i] == b[j]) && below[j + 1];
            row[j] = match;
        }
        std::swap(below, row);
    }
    return below[0] != 0;
}
