#include "framework/CPathParts.h"
#include "framework/StringUtil.h"

#include <cstring>
#include <string>

namespace {
bool CopyPart(char* target, size_t capacity, const char* begin, const char* end)
{
    size_t length = static_cast<size_t>(end - begin);
    if (length >= capacity)
        return false;
    std::memcpy(target, begin, length);
    target[length] = '\0';
    return true;
}
}

CPathParts::CPathParts()
    : path(), folder(), fileName(), drive(), directory(), baseName(), extension()
{
}

CPathParts::CPathParts(const char* path) : CPathParts()
{
    Set(path);
}

bool CPathParts::Set(const char* source)
{
    if (!source)
        return false;
    size_t length = std::strlen(source);
    if (length >= sizeof path)
        return false;
    const char* end = source + length;
    const char* p = source;
    const char* driveEnd = p;
    if (length >= 2 && source[1] == ':')
        driveEnd = p + 2;
    // The directory ends after the last separator; the extension starts at the last dot after it.
    const char* lastSeparator = nullptr;
    const char* lastDot = nullptr;
    for (const char* q = driveEnd; q < end; ++q) {
        unsigned char c = static_cast<unsigned char>(*q);
        if (IsLeadByte(c) && q + 1 < end) {
            ++q;
            continue;
        }
        if (c == '\\' || c == '/') {
            lastSeparator = q;
            lastDot = nullptr;
        } else if (c == '.') {
            lastDot = q;
        }
    }
    const char* nameBegin = lastSeparator ? lastSeparator + 1 : driveEnd;
    const char* nameEnd = lastDot ? lastDot : end;

    CPathParts parts;
    if (!CopyPart(parts.drive, sizeof parts.drive, source, driveEnd) ||
        !CopyPart(parts.directory, sizeof parts.directory, driveEnd, nameBegin) ||
        !CopyPart(parts.baseName, sizeof parts.baseName, nameBegin, nameEnd) ||
        !CopyPart(parts.extension, sizeof parts.extension, nameEnd, end))
        return false;
    std::memcpy(path, source, length + 1);
    std::memcpy(drive, parts.drive, sizeof drive);
    std::memcpy(directory, parts.directory, sizeof directory);
    std::memcpy(baseName, parts.baseName, sizeof baseName);
    std::memcpy(extension, parts.extension, sizeof extension);
    // Both joins fit: together they are at most the 259 bytes of the path.
    std::string joined = std::string(drive) + directory;
    std::memcpy(folder, joined.c_str(), joined.size() + 1);
    joined = std::string(baseName) + extension;
    std::memcpy(fileName, joined.c_str(), joined.size() + 1);
    return true;
}
