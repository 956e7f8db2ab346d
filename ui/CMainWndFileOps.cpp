// Moving the selected rows' files to the recycle bin and copying them to a folder.
#include "ui/CMainWnd.h"

#include "framework/Messages.h"
#include "framework/Shell.h"
#include "framework/StringUtil.h"

#include <shellapi.h>
#include <shlobj.h>

#include <set>

namespace {

// The files of a shell operation, each once, as the shell takes them: every path ended by a zero
// byte, the list by a further one. The shell stops at the first path that does not exist
// (Wine's does), so files that no longer exist are left out and counted.
class ShellPathList {
public:
    void Add(const std::string& path)
    {
        DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            ++missing;
            return;
        }
        // The same file listed twice would be gone (or copied) by its second turn.
        if (seen.insert(UpperCaseLetters(path)).second)
            paths += path + '\0';
    }
    bool Empty() const { return paths.empty(); }
    std::string Terminated() const { return paths + '\0'; }

    int missing = 0;

private:
    std::string paths;
    std::set<std::string> seen;
};

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
    list.SendMsg(WM_SETREDRAW, FALSE, 0);
    for (int row = list.GetFirstSelected(); row != -1; row = list.GetFirstSelected()) {
        if (CRecord* record = RecordOfRow(row)) {
            files.Add(record->path);
            data.records.erase(static_cast<int32_t>(list.GetItemParam(row)));
        }
        list.SendMsg(LVM_DELETEITEM, row, 0);
    }
    list.SendMsg(WM_SETREDRAW, TRUE, 0);
    list.Redraw(true);
    if (!files.Empty())
        ShellDelete(window, files.Terminated().c_str(), false);
    SetFocus(list.window);
}

void CMainWnd::CopySelected()
{
    int count = list.GetSelectedCount();
    if (count < 1)
        return;
    char folder[MAX_PATH] = {};
    if (!BrowseForFolder(window, folder, MAX_PATH, "", BIF_RETURNONLYFSDIRS))
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
    std::string target = std::string(folder) + '\0';
    bool copied = files.Empty() || ShellFileOperation(window, files.Terminated().c_str(),
                                                      target.c_str(), FO_COPY, FOF_ALLOWUNDO);
    if (!copied || files.missing > 0)
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
