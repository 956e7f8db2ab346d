// Edit > Undo (Ctrl+Z): the files of the most recent rename or batch rename moved back to their
// old names.
#include "ui/CMainWnd.h"

#include "framework/CPathParts.h"
#include "framework/Messages.h"
#include "framework/StringUtil.h"
#include "resources/resource.h"

#include <unordered_set>
#include <vector>

namespace {

// A file left where it is, by its name there, and why.
struct NotMovedBack {
    std::string fileName;
    const char* reason;
};

const char* ReasonOf(CRenameHistory::Outcome outcome)
{
    switch (outcome) {
    case CRenameHistory::kGone:
        return "名前の変更後に移動または削除されています";
    case CRenameHistory::kOldNameTaken:
        return "元の名前のファイルがすでにあります";
    default:
        return "元の名前に戻せませんでした";
    }
}

// The count, the first names each with its reason, then the count of the rest.
std::string NotMovedBackText(const std::vector<NotMovedBack>& files)
{
    int count = static_cast<int>(files.size());
    std::string text = FormatInt(count, "%ld") + " 個のファイルを元の名前に戻せませんでした。\r\n";
    for (int i = 0; i < count && i < CRunErrors::kShown; ++i) {
        const NotMovedBack& file = files[static_cast<size_t>(i)];
        text += "\r\n" + file.fileName + "\r\n" + file.reason + "\r\n";
    }
    if (count > CRunErrors::kShown)
        text += "\r\nほか " + FormatInt(count - CRunErrors::kShown, "%ld") + " 個";
    return text;
}

}

// Past a few files the undo runs under the progress dialog; Cancel stops it after the file in
// hand, and the files not moved yet stay in the step for the next undo. The step is done once
// every file has had its turn, whether it went back or was told. A record still in the store
// follows its file back, with the time that the file gave there.
void CMainWnd::UndoLastStep()
{
    if (renames.Empty())
        return;
    std::vector<CRenameHistory::File>& files = renames.Last().files;
    int count = static_cast<int>(files.size());
    bool shown = count > kFewRows;
    if (shown)
        BeginRun(count, "元に戻しています...", searchDialogDelay);
    std::vector<NotMovedBack> notMoved;
    std::unordered_set<int32_t> followed;
    CFileIdentifier identifier;
    for (int number = 1; !files.empty(); ++number) {
        const CRenameHistory::File& file = files.back();
        if (shown) {
            PumpRunWhenDue();
            if (RunStopped())
                break;
            ShowRunLines(number, count, CPathParts(file.newPath.c_str()).fileName);
        }
        std::string timeText;
        std::string pathNow;
        CRenameHistory::Outcome outcome = CRenameHistory::MoveBack(file, identifier, timeText, pathNow);
        auto record = data.records.find(file.record);
        if (outcome != CRenameHistory::kMovedBack) {
            notMoved.push_back({CPathParts(file.newPath.c_str()).fileName, ReasonOf(outcome)});
        } else if (record != data.records.end()) {
            record->second.Followed(pathNow, timeText, file.oldShownName);
            followed.insert(file.record);
        }
        files.pop_back();
        if (shown)
            progress.Step();
    }
    if (files.empty())
        renames.DropLast();
    if (shown)
        EndRun();
    ShowUndoState();
    if (runState.ending)
        return;
    ShowFollowedRecords(followed);
    if (!notMoved.empty())
        ShowError(window, NotMovedBackText(notMoved));
    SetFocus(list.window);
}

// The rows of the records that followed their files show their names and times, all at once at the
// end (a visible list repaints at every change); the tree shows its record again when it was one of them.
void CMainWnd::ShowFollowedRecords(const std::unordered_set<int32_t>& followed)
{
    if (followed.empty())
        return;
    int treeRow = -1;
    list.SendMsg(WM_SETREDRAW, FALSE, 0);
    for (int row = 0; row < list.GetItemCount(); ++row) {
        int32_t id = static_cast<int32_t>(list.GetItemParam(row));
        if (followed.count(id) == 0)
            continue;
        const CRecord& record = data.records.at(id);
        list.SetItemText(record.fileName, row, 0);
        list.SetItemText(record.timeText, row, 1);
        if (id == treeRecord)
            treeRow = row;
    }
    list.SendMsg(WM_SETREDRAW, TRUE, 0);
    list.Redraw(true);
    if (treeRow >= 0)
        ShowRecordInTree(treeRow);
}

// Edit > Undo names the step it would take back, and is grey with none.
void CMainWnd::ShowUndoState()
{
    mainMenu.SetItemText(ID_EDIT_UNDO, renames.MenuText());
    mainMenu.EnableItem(ID_EDIT_UNDO, !renames.Empty());
}

// Command handlers

void CMainWnd::OnUndo(UINT)
{
    UndoLastStep();
}
