// The file list: adding files and folders, clearing, selecting, and the list's notifications.
#include "ui/CMainWnd.h"

#include "framework/AnsiText.h"
#include "framework/CFileDialog.h"
#include "framework/CFileFinder.h"
#include "framework/CPathParts.h"
#include "framework/CShortNames.h"
#include "framework/CTokenizer.h"
#include "framework/Messages.h"
#include "framework/Shell.h"
#include "framework/StringUtil.h"
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

// The extension of a file name, with its dot; empty when it has none. (The second byte of a
// double-byte character is never a dot.)
std::string ExtensionOf(const std::string& name)
{
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

// How the program names a dropped file: its path when that converts exactly, else its folder's
// path (which must) with the file's short name and its long name shown. A folder that does not
// convert is no file to tell of: a dropped folder is not entered.
enum class DropNaming { Named, NotNamed, Folder };
DropNaming NameDroppedFile(CShortNames& shortNames, const std::wstring& path, std::string& named,
                           std::string& longName)
{
    longName.clear();
    if (ToAnsiExactly(path, named))
        return DropNaming::Named;
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return DropNaming::Folder;
    size_t cut = path.rfind(L'\\');
    if (cut == std::wstring::npos)
        return DropNaming::NotNamed;
    std::wstring folder = path.substr(0, cut);
    std::wstring name = path.substr(cut + 1);
    std::string ansiFolder;
    std::string ansiName;
    if (!ToAnsiExactly(folder, ansiFolder) || !shortNames.NameOf(folder, name, ansiName))
        return DropNaming::NotNamed;
    named = ansiFolder + "\\" + ansiName;
    longName = ToAnsiShown(name);
    return DropNaming::Named;
}

}

void CMainWnd::AddRecordFile(const std::string& path, const std::string& longName)
{
    // A path too long for the parts is skipped, never split with the parts of another.
    CPathParts parts;
    if (!parts.Set(path.c_str()))
        return;
    // A file named by its short name is a record by its long name's extension: the short name of
    // "x.recx" may well end in ".REC".
    std::string extension = longName.empty() ? std::string(parts.extension) : ExtensionOf(longName);
    int image = ImageOf(extension);
    if (image == 0)
        return;
    int32_t id = data.AddRecord(path, longName);
    if (id == 0)
        return;
    const CRecord& record = data.records.at(id);
    int row = list.InsertItem(record.fileName, list.GetItemCount(), 0, image, id);
    list.SetItemText(record.timeText, row, 1);
    list.SetItemText(extension.substr(1), row, 2);
}

void CMainWnd::AddRecordFiles(const std::function<bool(std::string&, std::string&)>& next)
{
    // A list view repaints at every insertion while it is visible.
    list.SendMsg(WM_SETREDRAW, FALSE, 0);
    std::string path;
    std::string longName;
    while (next(path, longName))
        AddRecordFile(path, longName);
    list.SendMsg(WM_SETREDRAW, TRUE, 0);
    list.Redraw(true);
}

void CMainWnd::ReportUnnamedFiles(const std::vector<std::wstring>& names)
{
    std::vector<std::wstring> records;
    for (const std::wstring& name : names) {
        if (ImageOf(ExtensionOf(ToAnsiShown(name))) != 0)
            records.push_back(name);
    }
    if (records.empty())
        return;
    int count = static_cast<int>(records.size());
    std::wstring text = ToWide(FormatInt(count, "%ld") +
                               " 個のファイルを一覧に追加できませんでした。\r\n"
                               "ファイル名に、この Windows の文字コードで表せない文字があります。\r\n");
    for (int i = 0; i < count && i < CRunErrors::kShown; ++i)
        text += L"\r\n" + records[static_cast<size_t>(i)];
    if (count > CRunErrors::kShown)
        text += ToWide("\r\nほか " + FormatInt(count - CRunErrors::kShown, "%ld") + " 個のファイル");
    ShowError(window, text);
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
    AddRecordFiles([&dialog](std::string& path, std::string& longName) {
        if (!dialog.NextFile(path))
            return false;
        longName = dialog.longName;
        return true;
    });
    list.SelectItem(0);
    SetFocus(list.window);
    ReportUnnamedFiles(dialog.unnamed);
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
    AddRecordFiles([&finder](std::string& path, std::string& longName) {
        if (!finder.Next(path))
            return false;
        longName = finder.longName;
        return true;
    });
    list.SelectItem(0);
    SetFocus(list.window);
    ReportUnnamedFiles(finder.unnamed);
}

bool CMainWnd::ChooseFolder(const std::string& initialFolder, std::string& folder)
{
    char path[MAX_PATH] = {};
    BrowseResult result =
        BrowseForFolder(window, path, MAX_PATH, initialFolder.c_str(), BIF_RETURNONLYFSDIRS);
    if (result == kBrowsePathTooLong)
        ShowError(window, "選択したフォルダのパスが長すぎます。");
    if (result == kBrowseNotInCodePage)
        ShowError(window,
                  "選択したフォルダのパスに、この Windows の文字コードで表せない文字があります。");
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
    // The paths are read whole and in UTF-16: the ANSI call cuts a path at its buffer's end into
    // another file's path, and gives a name that the code page cannot hold with the system's best
    // fit.
    std::vector<std::pair<std::string, std::string>> files;
    std::vector<std::wstring> unnamed;
    CShortNames shortNames;
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, &path[0], length + 1));
        std::string named;
        std::string longName;
        DropNaming naming = NameDroppedFile(shortNames, path, named, longName);
        if (naming == DropNaming::Named)
            files.emplace_back(named, longName);
        else if (naming == DropNaming::NotNamed)
            unnamed.push_back(path.substr(path.rfind(L'\\') + 1));
    }
    DragFinish(drop);
    size_t next = 0;
    AddRecordFiles([&files, &next](std::string& path, std::string& longName) {
        if (next == files.size())
            return false;
        path = files[next].first;
        longName = files[next].second;
        ++next;
        return true;
    });
    ReportUnnamedFiles(unnamed);
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
