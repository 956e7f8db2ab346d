#include "ui/CRenameHistory.h"

#include "framework/AnsiText.h"
#include "framework/CPathParts.h"

#include <windows.h>

#include <cstddef>
#include <cstring>
#include <vector>

CRenameHistory::File CRenameHistory::Renamed(const std::string& oldPath, const std::string& newPath,
                                             int32_t record, CFileIdentifier& identifier,
                                             const std::wstring& oldLongPath,
                                             const std::string& oldShownName)
{
    File file;
    file.oldPath = oldPath;
    file.newPath = newPath;
    file.identified = identifier.IdentityOf(newPath, file.identity);
    file.record = record;
    if (!oldLongPath.empty()) {
        file.oldLongPath = oldLongPath;
        file.oldShownName = oldShownName;
    }
    return file;
}

std::wstring CRenameHistory::LongPathOf(const std::string& path, const std::string& shownName)
{
    if (shownName == CPathParts(path.c_str()).fileName)
        return std::wstring();
    return LongPath(path);
}

namespace {

// The path by which the program knows the file at longPath, in the folder of oldPath: the file's
// short name there now, when that converts; else oldPath.
std::string ShortPathOf(const std::wstring& longPath, const std::string& oldPath)
{
    WCHAR shortPath[MAX_PATH] = {};
    DWORD length = GetShortPathNameW(longPath.c_str(), shortPath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return oldPath;
    const WCHAR* name = wcsrchr(shortPath, L'\\');
    std::string shortName;
    if (!ToAnsiExactly(name ? name + 1 : shortPath, shortName))
        return oldPath;
    return CPathParts(oldPath.c_str()).folder + shortName;
}

// The path in UTF-16, empty when it does not convert exactly.
std::wstring ExactlyWide(const std::string& path)
{
    int units = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, path.c_str(), -1, nullptr, 0);
    if (units <= 1)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, path.c_str(), -1, &wide[0], units);
    wide.resize(static_cast<size_t>(units - 1));
    return wide;
}

}

CRenameHistory::Outcome CRenameHistory::MoveBack(const File& file, CFileIdentifier& identifier,
                                                 std::string& timeText, std::string& pathNow)
{
    CFile renamed(file.newPath);
    renamed.handle = CreateFileA(file.newPath.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    CFileIdentity now;
    bool same = renamed.IsOpen() ? identifier.GetIdentity(renamed, now)
                                 : identifier.IdentityOf(file.newPath, now);
    if (!file.identified || !same || now != file.identity)
        return kGone;
    if (!renamed.IsOpen())
        return kFailed;
    // The old path converted back exactly, as it came: it was a path of the file. A file known by
    // its short name goes back to its own name, never to one made of its short name.
    std::wstring target = file.oldLongPath.empty() ? ExactlyWide(file.oldPath) : file.oldLongPath;
    if (target.empty())
        return kFailed;
    size_t nameBytes = target.size() * sizeof(WCHAR);
    std::vector<unsigned char> buffer(offsetof(FILE_RENAME_INFO, FileName) + nameBytes + sizeof(WCHAR));
    FILE_RENAME_INFO* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->ReplaceIfExists = FALSE;
    info->RootDirectory = nullptr;
    info->FileNameLength = static_cast<DWORD>(nameBytes);
    std::memcpy(info->FileName, target.c_str(), nameBytes + sizeof(WCHAR));
    if (SetFileInformationByHandle(renamed.handle, FileRenameInfo, info, static_cast<DWORD>(buffer.size()))) {
        timeText = renamed.GetTimeText(FileTimeLastWrite);
        pathNow = file.oldLongPath.empty() ? file.oldPath : ShortPathOf(file.oldLongPath, file.oldPath);
        return kMovedBack;
    }
    DWORD error = GetLastError();
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? kOldNameTaken : kFailed;
}

void CRenameHistory::Push(Step step)
{
    if (!step.files.empty())
        steps.push_back(std::move(step));
}

bool CRenameHistory::Empty() const
{
    return steps.empty();
}

CRenameHistory::Step& CRenameHistory::Last()
{
    return steps.back();
}

void CRenameHistory::DropLast()
{
    steps.pop_back();
}

std::string CRenameHistory::MenuText() const
{
    if (steps.empty())
        return "元に戻す(&Z)\tCtrl+Z";
    return steps.back().kind == kRename ? "元に戻す - 名前の変更(&Z)\tCtrl+Z"
                                        : "元に戻す - 一括変換(&Z)\tCtrl+Z";
}
