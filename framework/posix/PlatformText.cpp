// Text conversions of the native test build: code page 932 through iconv, local time through
// the C library; double-byte characters by the lead bytes of code page 932.
#include "framework/StringUtil.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <iconv.h>

bool WideToAnsi(const void* text, uint32_t byteLength, std::string& out)
{
    out.clear();
    size_t units = byteLength / 2;
    if (!text || units == 0)
        return false;
    iconv_t cd = iconv_open("CP932", "UTF-16LE");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    // At most two bytes of code page 932 per UTF-16 unit.
    out.resize(units * 2);
    char* source = const_cast<char*>(static_cast<const char*>(text));
    size_t sourceLeft = units * 2;
    char* target = &out[0];
    size_t targetLeft = out.size();
    while (sourceLeft > 0) {
        if (iconv(cd, &source, &sourceLeft, &target, &targetLeft) != static_cast<size_t>(-1))
            break;
        // A character the code page lacks, or a broken surrogate, becomes "?" as on Windows.
        unsigned char high = static_cast<unsigned char>(source[1]);
        bool pair = high >= 0xD8 && high <= 0xDB && sourceLeft >= 4 &&
                    static_cast<unsigned char>(source[3]) >= 0xDC && static_cast<unsigned char>(source[3]) <= 0xDF;
        size_t skip = pair ? 4 : 2;
        source += skip;
        sourceLeft -= skip;
        *target++ = '?';
        --targetLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    out.resize(static_cast<size_t>(target - &out[0]));
    std::string::size_type zero = out.find('\0');
    if (zero != std::string::npos)
        out.erase(zero);
    return true;
}

std::string AnsiToUtf8(const std::string& text)
{
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::string();
    // At most three bytes of UTF-8 per byte of code page 932.
    std::string out(text.size() * 3, '\0');
    char* source = const_cast<char*>(text.data());
    size_t sourceLeft = text.size();
    char* target = &out[0];
    size_t targetLeft = out.size();
    while (sourceLeft > 0) {
        if (iconv(cd, &source, &sourceLeft, &target, &targetLeft) != static_cast<size_t>(-1))
            break;
        ++source;
        --sourceLeft;
        *target++ = '?';
        --targetLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    out.resize(static_cast<size_t>(target - &out[0]));
    return out;
}

std::string FormatInt(int value, const std::string& format)
{
    // Where long has 32 bits, "%ld" reads the int as it is; here the "l" is dropped so that the
    // one int argument is read as an int.
    std::string intFormat;
    for (size_t i = 0; i < format.size(); ++i) {
        intFormat += format[i];
        if (format[i] != '%')
            continue;
        while (++i < format.size() && std::strchr("-+ #0123456789.", format[i]))
            intFormat += format[i];
        while (i < format.size() && format[i] == 'l')
            ++i;
        if (i < format.size())
            intFormat += format[i];
    }
    char buffer[128] = {};
    std::snprintf(buffer, sizeof buffer, intFormat.c_str(), value);
    return buffer;
}

std::string FormatFileTime(uint64_t fileTime, const std::string& format)
{
    const uint64_t kUnixEpochTicks = 116444736000000000ull;
    time_t seconds = static_cast<time_t>((static_cast<int64_t>(fileTime) - static_cast<int64_t>(kUnixEpochTicks)) / 10000000);
    struct tm fields = {};
    localtime_r(&seconds, &fields);
    char buffer[256] = {};
    std::snprintf(buffer, sizeof buffer, format.c_str(), fields.tm_year + 1900, fields.tm_mon + 1,
                  fields.tm_mday, fields.tm_hour, fields.tm_min, fields.tm_sec);
    return buffer;
}

bool IsLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
