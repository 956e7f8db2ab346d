// Edit > Find (Ctrl+F): the rows whose file name or settings, as the tree shows them, hold every
// word of a text; and what both searches of the list do with the rows they find.
#include "ui/CMainWnd.h"

#include "framework/CSearchQuery.h"
#include "framework/Messages.h"
#include "options/FailureText.h"
#include "options/RecordSearch.h"
#include "resources/resource.h"
#include "ui/CFindDlg.h"

#include <exception>

// A record that cannot be decoded or parsed matches nothing and is told at the end. The records
// keep what they decoded and made for the search even when Cancel stops it.
bool CMainWnd::FindMatchingRows(const CSearchQuery& query, std::vector<int>& rows, CRunErrors& errors)
{
    int count = list.GetItemCount();
    BeginRun(count, "検索中...", searchDialogDelay);
    bool stopped = false;
    TranslationMemo memo;
    for (int row = 0; row < count; ++row) {
        CRecord* record = RecordOfRow(row);
        if (record)
            ShowRunLines(row + 1, count, record->fileName);
        PumpRunWhenDue();
        if (record) {
            try {
                if (RecordMatches(*record, data.option, query, &memo))
                    rows.push_back(row);
            } catch (const std::exception& error) {
                errors.Add(record->fileName, FailureText(error));
            }
        }
        progress.Step();
        if (RunStopped()) {
            stopped = true;
            break;
        }
    }
    EndRun();
    return !stopped;
}

// The rows leave from the end, so that the numbers of the rows before them stay.
void CMainWnd::KeepOnlyRows(std::vector<int>& rows)
{
    list.SendMsg(WM_SETREDRAW, FALSE, 0);
    size_t kept = rows.size();
    for (int row = list.GetItemCount() - 1; row >= 0; --row) {
        if (kept > 0 && rows[kept - 1] == row) {
            --kept;
            continue;
        }
        RemoveRecord(static_cast<int32_t>(list.GetItemParam(row)));
        list.SendMsg(LVM_DELETEITEM, row, 0);
    }
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = static_cast<int>(i);
    list.SendMsg(WM_SETREDRAW, TRUE, 0);
    list.Redraw(true);
}

void CMainWnd::SelectFoundRows(const std::vector<int>& rows)
{
    list.SendMsg(WM_SETREDRAW, FALSE, 0);
    // Only the rows selected or focused now change: the list tells each change to its parent.
    for (UINT state : {LVNI_SELECTED, LVNI_FOCUSED}) {
        for (int row = -1; (row = static_cast<int>(list.SendMsg(LVM_GETNEXTITEM, row, state))) >= 0;)
            list.SetItemState(row, 0, state == LVNI_SELECTED ? LVIS_SELECTED : LVIS_FOCUSED);
    }
    for (int row : rows)
        list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(rows.front(), LVIS_FOCUSED, LVIS_FOCUSED);
    list.SendMsg(LVM_SETSELECTIONMARK, 0, rows.front());
    list.SendMsg(WM_SETREDRAW, TRUE, 0);
    list.EnsureVisible(rows.front());
    list.Redraw(true);
}

void CMainWnd::ShowNothingFound(const std::string& text, const std::string& caption)
{
    ShowMessage(window, text, caption, MB_OK | MB_ICONINFORMATION);
}

// Command handlers

void CMainWnd::OnFind(UINT)
{
    CFindDlg dialog;
    dialog.text = findText;
    if (dialog.DoModal(window, IDD_FIND) != IDOK)
        return;
    findText = dialog.text;
    CSearchQuery query(findText);
    std::vector<int> rows;
    CRunErrors errors;
    if (!query.Empty() && !FindMatchingRows(query, rows, errors)) {
        SetFocus(list.window);
        return;
    }
    if (rows.empty()) {
        ShowNothingFound("一致するファイルはありません。", "検索");
    } else {
        if (dialog.keepOnlyMatches)
            KeepOnlyRows(rows);
        SelectFoundRows(rows);
        ShowRecordInTree(rows.front());
    }
    ReportRunErrors(errors);
    SetFocus(list.window);
}
