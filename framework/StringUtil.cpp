#include "framework/StringUtil.h"

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <vector>

std::string FormatTime(int32_t time, const std::string& format)
{
    time_t t = time == 0 ? std::time(nullptr) : static_cast<time_t>(time);
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
