#include "framework/StringUtil.h"

#include <cstdio>
#include <windows.h>

bool WideToAnsi(const void* text, uint32_t byteLength, std::string& out)
{
    out.clear();
    if (!text || byteLength == 0)
        return false;
    int units = static_cast<int>(byteLength / 2);
    const wchar_t* wide = static_cast<const wchar_t*>(text);
    int size = WideCharToMultiByte(CP_ACP, 0, wide, units, nullptr, 0, nullptr, nullptr);
    if (size < 1)
        return false;
    char* buffer = static_cast<char*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size + 1));
    if (!buffer)
        return false;
    WideCharToMultiByte(CP_ACP, 0, wide, units, buffer, size, nullptr, nullptr);
    out = buffer;
    HeapFree(GetProcessHeap(), 0, buffer);
    return true;
}

std::string AnsiToUtf8(const std::string& text)
{
    if (text.empty())
        return std::string();
    int length = static_cast<int>(text.size());
    int units = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, &wide[0], units);
    int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, &out[0], size, nullptr, nullptr);
    return out;
}

std::string FormatInt(int value, const std::string& format)
{
    char buffer[128] = {};
    wsprintfA(buffer, format.c_str(), value);
    return buffer;
}

std::string FormatFileTime(uint64_t fileTime, const std::string& format)
{
    FILETIME utc = {static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
    FILETIME local = {};
    SYSTEMTIME fields = {};
    FileTimeToLocalFileTime(&utc, &local);
    FileTimeToSystemTime(&local, &fields);
    // The C runtime's formatting, not the window library's: loading a record takes its time, and
    // the command-line mode loads no window library.
    char buffer[256] = {};
    std::snprintf(buffer, sizeof buffer, format.c_str(), fields.wYear, fields.wMonth, fields.wDay,
                  fields.wHour, fields.wMinute, fields.wSecond);
    return buffer;
}

bool IsLeadByte(unsigned char c)
{
    return IsDBCSLeadByte(c) != FALSE;
}
