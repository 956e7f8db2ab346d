#include "ui/UniqueFileName.h"

#include "framework/CPathParts.h"
#include "framework/StringUtil.h"

#include <windows.h>

#include <mbstring.h>

bool SameName(const std::string& a, const std::string& b)
{
    return _mbsicmp(reinterpret_cast<const unsigned char*>(a.c_str()),
                    reinterpret_cast<const unsigned char*>(b.c_str())) == 0;
}

UniqueFileName MakeUniqueFileName(const std::string& oldPath, const std::string& newBaseName,
                                  const std::string& extension)
{
    // Parts that failed would make a path relative to the current folder, without extension.
    CPathParts parts;
    if (!parts.Set(oldPath.c_str()))
        return {UniqueFileName::kFailed, oldPath};
    if (SameName(newBaseName, parts.baseName))
        return {UniqueFileName::kKept, oldPath};
    for (int number = 1; number <= 99; ++number) {
        std::string candidate = NumberedName(parts, newBaseName, number, extension);
        if (!FitsPathParts(candidate))
            return {UniqueFileName::kTooLong, oldPath};
        // A file that already carries a numbered form of its new name keeps it, so that a second
        // run over the same files renames nothing.
        if (SameName(candidate, oldPath))
            return {UniqueFileName::kKept, oldPath};
        // A name that a file has is passed over without a word; the move is told for the name
        // chosen, and still finds out itself whether the name is free.
        if (GetFileAttributesA(candidate.c_str()) != INVALID_FILE_ATTRIBUTES)
            continue;
        TracePath("orgFile", oldPath);
        TracePath("newFilename", candidate);
        if (MoveFileA(oldPath.c_str(), candidate.c_str()))
            return {UniqueFileName::kMoved, candidate};
        DWORD error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS)
            return {UniqueFileName::kFailed, oldPath};
    }
    return {UniqueFileName::kKept, oldPath};
}

std::string NumberedName(const CPathParts& parts, const std::string& newBaseName, int number,
                         const std::string& extension)
{
    std::string name = parts.folder + newBaseName;
    if (number > 1)
        name += "(" + std::to_string(number) + ")";
    return name + (extension.empty() ? std::string(parts.extension) : extension);
}

bool FitsPathParts(const std::string& path)
{
    return CPathParts().Set(path.c_str());
}

bool NamesAFolderOrDrive(const std::string& name)
{
    for (size_t i = 0; i < name.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (IsLeadByte(c) && i + 1 < name.size())
            ++i;
        else if (c == '\\' || c == '/' || c == ':')
            return true;
    }
    return false;
}

bool IsBaseName(const std::string& name)
{
    if (name.empty() || NamesAFolderOrDrive(name) || name.back() == '.' || name.back() == ' ')
        return false;
    // The device is what comes before the first dot, without the spaces before that dot.
    std::string device = UpperCaseLetters(name.substr(0, name.find('.')));
    device.erase(device.find_last_not_of(' ') + 1);
    if (device == "CON" || device == "PRN" || device == "AUX" || device == "NUL")
        return false;
    bool port = device.size() == 4 &&
                (device.compare(0, 3, "COM") == 0 || device.compare(0, 3, "LPT") == 0);
    return !(port && device[3] >= '1' && device[3] <= '9');
}

void TracePath(const char* label, const std::string& path)
{
    OutputDebugStringA(("\n" + std::string(label) + ":" + path).c_str());
}
