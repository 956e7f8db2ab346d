// The file list: adding files and folders, clearing, selecting, and the list's notifications.
#include "ui/CMainWnd.h"

#include "framework/CFileDialog.h"
#include "framework/CFileFinder.h"
#include "framework/CPathParts.h"
#include "framework/CTokenizer.h"
#include "framework/Messages.h"
#include "framework/Shell.h"
#include "record/CKarRecord.h"
#include "resources/resource.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cctype>
#include <vector>

namespace {

const UINT_PTR kListId = 100;
const int kMaxChosenFiles = 100;

// Whether two texts of single-byte characters are equal without regard to the case of a to z;
// a double-byte character never equals one of them.
bool EqualIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 0x80 || y >= 0x80 || std::tolower(x) != std::tolower(y))
            return false;
    }
    return true;
}

// The list's picture for a file extension (with its dot): 1 for the first accepted type, 2 for
// the second; 0 for any other extension.
int ImageOf(const std::string& extension)
{
    int image = 1;
    for (CTokenizer type("|", CKarRecord::GetRecordFileTypes()); type != CTokenizer::End();
         type.Advance(), ++image) {
        if (EqualIgnoringCase(extension, "." + type.token))
            return image;
    }
    return 0;
}

}

void CMainWnd::AddRecordFile(const std::string& path)
{
    // A path too long for the parts is skipped, never split with the parts of another.
    CPathParts parts;
    if (!parts.Set(path.c_str()))
        return;
    int image = ImageOf(parts.extension);
    if (image == 0)
        return;
    int32_t id = data.AddRecord(path);
    if (id == 0)
        return;
    const CRecord& record = data.records.at(id);
    int row = list.InsertItem(record.fileName, list.GetItemCount(), 0, image, id);
    list.SetItemText(record.timeText, row, 1);
    list.SetItemText(parts.extension + 1, row, 2);
}

void CMainWnd::AddRecordFiles(const std::function<bool(std::string&)>& next)
{
    // A list view repaints at every insertion while it is visible.
    list.SendMsg(WM_SETREDRAW, FALSE, 0);
    std::string path;
    while (next(path))
        AddRecordFile(path);
    list.SendMsg(WM_SETREDRAW, TRUE, 0);
    list.Redraw(true);
}

void CMainWnd::ClearAll()
{
    list.DeleteAllItems();
    tree.DeleteAllItems();
    treeRecord = 0;
    data.records.clear();
}

void CMainWnd::RemoveRecord(int32_t id)
{
    data.records.erase(id);
    if (treeRecord == 0 || id != treeRecord)
        return;
    tree.DeleteAllItems();
    treeRecord = 0;
}

void CMainWnd::OpenFiles(bool clearFirst)
{
    CFileDialog dialog;
    dialog.SetFilter(CKarRecord::GetOpenFilter());
    dialog.SetInitialDir(CKarRecord().GetInitialFolder());
    if (!dialog.ShowOpen(window, kMaxChosenFiles))
        return;
    if (clearFirst)
        ClearAll();
    AddRecordFiles([&dialog](std::string& path) { return dialog.NextFile(path); });
    list.SelectItem(0);
    SetFocus(list.window);
}

void CMainWnd::OpenFolder(bool clearFirst)
{
    std::string folder;
    if (!ChooseFolder(CKarRecord().GetInitialFolder(), folder))
        return;
    if (clearFirst)
        ClearAll();
    CFileFinder finder;
    finder.SetFolder(folder);
    finder.SetPattern("*.*");
    finder.recurse = false;
    finder.fullPath = true;
    AddRecordFiles([&finder](std::string& path) { return finder.Next(path); });
    list.SelectItem(0);
    SetFocus(list.window);
}

bool CMainWnd::ChooseFolder(const std::string& initialFolder, std::string& folder)
{
    char path[MAX_PATH] = {};
    BrowseResult result =
        BrowseForFolder(window, path, MAX_PATH, initialFolder.c_str(), BIF_RETURNONLYFSDIRS);
    if (result == kBrowsePathTooLong)
        ShowError(window, "選択したフォルダのパスが長すぎます。");
    if (result != kBrowseChosen)
        return false;
    folder = path;
    return true;
}

LRESULT CMainWnd::OnDropFiles(HDROP drop)
{
    // The window is disabled while a run walks the list: nothing is added under it.
    if (!IsWindowEnabled(window)) {
        DragFinish(drop);
        return 0;
    }
    std::vector<std::string> paths;
    UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        // A path that does not fit the buffer would come back cut: another file's path.
        if (DragQueryFileA(drop, i, nullptr, 0) >= MAX_PATH)
            continue;
        char buffer[MAX_PATH] = {};
        DragQueryFileA(drop, i, buffer, MAX_PATH);
        paths.push_back(buffer);
    }
    DragFinish(drop);
    size_t next = 0;
    AddRecordFiles([&paths, &next](std::string& path) {
        if (next == paths.size())
            return false;
        path = paths[next++];
        return true;
    });
    return 0;
}

LRESULT CMainWnd::OnNotify(NMHDR* header)
{
    if (header->idFrom != kListId)
        return 0;
    switch (header->code) {
    case LVN_COLUMNCLICK:
        SortByColumn(reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem);
        break;
    case NM_CLICK:
        if (reinterpret_cast<const NMITEMACTIVATE*>(header)->iItem >= 0)
            ShowRecordInTree(reinterpret_cast<const NMITEMACTIVATE*>(header)->iItem);
        break;
    case NM_DBLCLK:
        if (reinterpret_cast<const NMITEMACTIVATE*>(header)->iItem >= 0)
            ShowProperties(reinterpret_cast<const NMITEMACTIVATE*>(header)->iItem);
        break;
    case LVN_GETDISPINFOA:
        OnGetDispInfo(reinterpret_cast<NMLVDISPINFOA*>(header));
        break;
    }
    return 0;
}

// Command handlers

void CMainWnd::OnNew(UINT)
{
    if (AskYesNo(window, "現在の表示内容を破棄します。\r\nよろしいですか？", "確認"))
        ClearAll();
}

void CMainWnd::OnOpenFiles(UINT id)
{
    OpenFiles(id == ID_FILE_OPEN);
}

void CMainWnd::OnOpenFolder(UINT id)
{
    OpenFolder(id == ID_FOLDER_OPEN);
}

void CMainWnd::OnSelectAll(UINT)
{
    list.SelectItem(-1);
}
