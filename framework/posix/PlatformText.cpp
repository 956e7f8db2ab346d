// Text conversions of the native test build: code page 932 through iconv, local time through
// the C library.
#include "framework/StringUtil.h"

#include <cstdio>
#include <ctime>
#include <iconv.h>

bool WideToAnsi(const void* text, uint32_t byteLength, std::string& out)
{
    out.clear();
    if (!text || byteLength == 0)
        return false;
    size_t units = byteLength / 2;
    if (units == 0)
        return false;
    iconv_t cd = iconv_open("CP932", "UTF-16LE");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    const char* in = static_cast<const char*>(text);
    for (size_t i = 0; i < units; ++i) {
        // Unit by unit, so that a character the code page lacks becomes "?" as on Windows.
        size_t step = 2;
        unsigned unit = static_cast<unsigned char>(in[2 * i]) | static_cast<unsigned char>(in[2 * i + 1]) << 8;
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units)
            step = 4;
        char* source = const_cast<char*>(in + 2 * i);
        size_t sourceLeft = step;
        char piece[8];
        char* target = piece;
        size_t targetLeft = sizeof piece;
        if (iconv(cd, &source, &sourceLeft, &target, &targetLeft) == static_cast<size_t>(-1)) {
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            out.push_back('?');
        } else {
            out.append(piece, target);
        }
        i += step / 2 - 1;
    }
    iconv_close(cd);
    std::string::size_type zero = out.find('\0');
    if (zero != std::string::npos)
        out.erase(zero);
    return !out.empty() || zero != std::string::npos;
}

std::string FormatInt(int value, const std::string& format)
{
    char buffer[128] = {};
    std::snprintf(buffer, sizeof buffer, format.c_str(), value);
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
