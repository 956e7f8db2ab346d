#include "framework/AnsiText.h"

#include <windows.h>

namespace {

// Converts without the system's best fit; false when a character has no code of its own.
bool Convert(const wchar_t* text, int units, std::string& out)
{
    BOOL usedDefault = FALSE;
    int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, units, nullptr, 0, nullptr,
                                   &usedDefault);
    if (size < 1 || usedDefault)
        return false;
    out.assign(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, units, &out[0], size, nullptr,
                        &usedDefault);
    return usedDefault == FALSE;
}

bool IsHighSurrogate(wchar_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

}

bool ToAnsiExactly(const std::wstring& text, std::string& out)
{
    out.clear();
    if (text.empty())
        return true;
    if (Convert(text.data(), static_cast<int>(text.size()), out))
        return true;
    out.clear();
    return false;
}

std::string ToAnsiShown(const std::wstring& text)
{
    std::string shown;
    std::string character;
    for (size_t i = 0; i < text.size();) {
        // A character beyond U+FFFF is two units: one "?".
        int units = IsHighSurrogate(text[i]) && i + 1 < text.size() ? 2 : 1;
        shown += Convert(text.data() + i, units, character) ? character : "?";
        i += static_cast<size_t>(units);
    }
    return shown;
}

std::wstring ToWide(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    int length = static_cast<int>(text.size());
    int units = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(units > 0 ? units : 0), L'\0');
    if (units > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), length, &wide[0], units);
    return wide;
}

std::wstring LongPath(const std::string& path)
{
    std::wstring wide = ToWide(path);
    DWORD size = GetLongPathNameW(wide.c_str(), nullptr, 0);
    if (size == 0)
        return wide;
    std::wstring longPath(size, L'\0');
    DWORD length = GetLongPathNameW(wide.c_str(), &longPath[0], size);
    if (length == 0 || length >= size)
        return wide;
    longPath.resize(length);
    return longPath;
}
