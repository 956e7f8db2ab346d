// Moving the selected rows' files to the recycle bin and copying them to a folder.
#include "ui/CMainWnd.h"

#include "framework/CFileSet.h"
#include "framework/Messages.h"
#include "framework/Shell.h"
#include "framework/StringUtil.h"

#include <shellapi.h>
#include <shlobj.h>

#include <string>
#include <vector>

namespace {

bool FileExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The files of a shell operation, each once, as the shell takes them: every path ended by a zero
// byte, the list by a further one. The shell stops at the first path that does not exist
// (Wine's does), so files that no longer exist are left out and counted.
class ShellPathList {
public:
    void Add(const std::string& path)
    {
        // The same file listed twice, under any of its names, would be gone (or copied) by its
        // second turn.
        size_t same = seen.Add(path, nullptr, count);
        if (same == CFileSet::kNone) {
            ++missing;
        } else if (same == count) {
            paths += path + '\0';
            ++count;
        }
    }
    bool Empty() const { return paths.empty(); }
    std::string Terminated() const { return paths + '\0'; }

    int missing = 0;

private:
    std::string paths;
    size_t count = 0;
    CFileSet seen;
};

// The box for files that are still where they were after a move to the recycle bin: the count,
// then the first names, then the count of the rest.
std::string NotMovedText(const std::vector<std::string>& names)
{
    int count = static_cast<int>(names.size());
    std::string text = FormatInt(count, "%ld") + " 個のファイルをごみ箱へ移動できませんでした。\r\n";
    for (int i = 0; i < count && i < CRunErrors::kShown; ++i)
        text += "\r\n" + names[static_cast<size_t>(i)];
    if (count > CRunErrors::kShown)
        text += "\r\nほか " + FormatInt(count - CRunErrors::kShown, "%ld") + " 個のファイル";
    return text;
}

}

void CMainWnd::DeleteSelected()
{
    int count = list.GetSelectedCount();
    if (count < 1)
        return;
    if (!AskYesNo(window,
                  FormatInt(count, "%ld") +
                      " 個のファイルをごみ箱へ移動します。\r\nよろしいですか？",
                  "確認"))
        return;
    ShellPathList files;
    for (int row = list.GetFirstSelected(); row != -1; row = list.GetNextSelected(row)) {
        if (const CRecord* record = RecordOfRow(row))
            files.Add(record->path);
    }
    if (!files.Empty())
        ShellDelete(window, files.Terminated().c_str(), false);
    // Whatever the shell reports, the disk tells what happened: every row whose file is gone
    // leaves the list with its record, the rows selected and any other row of the same file. A
    // selected file still there (held open by another program, kept at the shell's question)
    // keeps its rows and its record and is named once.
    std::vector<std::string> kept;
    CFileSet keptFiles;
    list.SendMsg(WM_SETREDRAW, FALSE, 0);
    for (int row = 0; row < list.GetItemCount();) {
        bool selected = list.SendMsg(LVM_GETITEMSTATE, row, LVIS_SELECTED) != 0;
        CRecord* record = RecordOfRow(row);
        if (record ? FileExists(record->path) : !selected) {
            // Past the files named so far: a file not named yet, or one the system cannot tell.
            if (record && selected && keptFiles.Add(record->path, nullptr, kept.size()) >= kept.size())
                kept.push_back(record->fileName);
            ++row;
            continue;
        }
        if (record)
            RemoveRecord(static_cast<int32_t>(list.GetItemParam(row)));
        list.SendMsg(LVM_DELETEITEM, row, 0);
    }
    list.SendMsg(WM_SETREDRAW, TRUE, 0);
    list.Redraw(true);
    if (!kept.empty())
        ShowError(window, NotMovedText(kept));
    SetFocus(list.window);
}

void CMainWnd::CopySelected()
{
    int count = list.GetSelectedCount();
    if (count < 1)
        return;
    std::string folder;
    if (!ChooseFolder("", folder))
        return;
    if (!AskYesNo(window,
                  FormatInt(count, "%ld") +
                      " 個のファイルを以下のフォルダにコピーします。\r\nよろしいですか？\r\n\r\n" +
                      folder,
                  "確認"))
        return;
    ShellPathList files;
    for (int row = list.GetFirstSelected(); row != -1; row = list.GetNextSelected(row)) {
        if (const CRecord* record = RecordOfRow(row))
            files.Add(record->path);
    }
    std::string target = folder + '\0';
    ShellResult result = {0, false};
    if (!files.Empty())
        result = ShellFileOperation(window, files.Terminated().c_str(), target.c_str(), FO_COPY,
                                    FOF_ALLOWUNDO);
    // What the user chose in the shell's own boxes (not to replace a file, or to stop) is no
    // failure.
    bool failed = result.code != 0 && !result.CancelledByTheUser();
    if (failed || files.missing > 0)
        ShowError(window, "ファイルのコピーに失敗しました。");
    SetFocus(list.window);
}

// Command handlers

void CMainWnd::OnDeleteSelected(UINT)
{
    DeleteSelected();
}

void CMainWnd::OnCopySelected(UINT)
{
    CopySelected();
}
