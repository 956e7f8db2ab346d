#include "ui/CRenameHistory.h"

#include <windows.h>

#include <cstddef>
#include <cstring>
#include <vector>

CRenameHistory::File CRenameHistory::Renamed(const std::string& oldPath, const std::string& newPath,
                                             int32_t record, CFileIdentifier& identifier)
{
    File file;
    file.oldPath = oldPath;
    file.newPath = newPath;
    file.identified = identifier.IdentityOf(newPath, file.identity);
    file.record = record;
    return file;
}

CRenameHistory::Outcome CRenameHistory::MoveBack(const File& file, CFileIdentifier& identifier,
                                                 std::string& timeText)
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
    // The old path converted back exactly, as it came: it was a path of the file.
    int units = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, file.oldPath.c_str(), -1, nullptr, 0);
    if (units <= 1)
        return kFailed;
    size_t nameBytes = static_cast<size_t>(units - 1) * sizeof(WCHAR);
    std::vector<unsigned char> buffer(offsetof(FILE_RENAME_INFO, FileName) + nameBytes + sizeof(WCHAR));
    FILE_RENAME_INFO* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->ReplaceIfExists = FALSE;
    info->RootDirectory = nullptr;
    info->FileNameLength = static_cast<DWORD>(nameBytes);
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, file.oldPath.c_str(), -1, info->FileName, units);
    if (SetFileInformationByHandle(renamed.handle, FileRenameInfo, info, static_cast<DWORD>(buffer.size()))) {
        timeText = renamed.GetTimeText(FileTimeLastWrite);
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
