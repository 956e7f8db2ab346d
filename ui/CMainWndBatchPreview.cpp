// Edit > preview of the batch rename: the name the batch would give each selected file now, shown
// before anything is renamed; Convert then runs the batch on those files.
#include "ui/CMainWndBatchRun.h"

#include "framework/CPathParts.h"
#include "framework/StringUtil.h"
#include "resources/resource.h"
#include "ui/CBatchPreviewDlg.h"
#include "ui/CRenamePlan.h"

namespace {

const char kUnchanged[] = "（変更なし）";

// What the batch would tell of a file it does not rename, on one line, marked so that it cannot
// pass for a name.
std::string Marked(std::string message)
{
    ReplaceAll(message, "\r\n", " ");
    ReplaceAll(message, "\n", " ");
    return "※" + message;
}

}

void CMainWnd::OnBatchPreview(UINT)
{
    std::vector<int> rows = SelectedRows();
    if (rows.empty())
        return;
    CBatchPreviewDlg dialog;
    if (PreviewBatchRename(rows, dialog.rows) && dialog.DoModal(window, IDD_BATCH_PREVIEW) == IDOK)
        RunBatchRename(rows);
    else
        SetFocus(list.window);
}

// The batch's own work on each row but the moves, which are planned instead: no file is touched,
// and only the run's temporary file is written. Past a few rows it runs under the progress
// dialog; false when Cancel stopped it, or when the batch could not start (told as the batch
// tells it).
bool CMainWnd::PreviewBatchRename(const std::vector<int>& rows, std::vector<CBatchPreviewDlg::Row>& shown)
{
    BatchRun run;
    run.traced = false;
    if (!PrepareBatchRun(run))
        return false;
    int count = static_cast<int>(rows.size());
    bool dialogShown = count > kFewRows;
    if (dialogShown) {
        BeginRun(count, "プレビュー中...", searchDialogDelay);
        runState.temporary = run.temporary;
    }
    CRenamePlan plan;
    std::string stop;
    bool finished = true;
    for (int number = 1; number <= count; ++number) {
        int row = rows[static_cast<size_t>(number - 1)];
        CRecord* record = RecordOfRow(row);
        if (dialogShown) {
            PumpRunWhenDue();
            if (RunStopped()) {
                finished = false;
                break;
            }
            if (record)
                ShowRunLines(number, count, record->fileName);
        }
        if (record) {
            shown.push_back(CBatchPreviewDlg::Row{record->fileName, PreviewName(run, plan, *record, stop)});
        } else {
            shown.push_back(CBatchPreviewDlg::Row{std::string(), kUnchanged});
            list.GetItemText(row, 0, shown.back().current);
        }
        if (dialogShown)
            progress.Step();
    }
    DeleteFileA(run.temporary.c_str());
    if (dialogShown)
        EndRun();
    return finished;
}

// The name the batch would give the record, after the moves planned for the rows before it; or,
// marked, what the batch would tell instead. The rows after the one at which the batch would stop
// are told so, without asking the stylesheet again.
std::string CMainWnd::PreviewName(BatchRun& run, CRenamePlan& plan, CRecord& record, std::string& stop)
{
    if (!stop.empty())
        return Marked("前のファイルで一括変換が止まります");
    StylesheetName name = NameByStylesheet(run, record);
    switch (name.outcome) {
    case StylesheetName::kStop:
        stop = name.text;
        return Marked(stop.substr(0, stop.find("\r\n")));
    case StylesheetName::kNotNamed:
        return Marked(name.text);
    case StylesheetName::kNamed:
        break;
    }
    UniqueFileName planned = plan.Plan(record.path, name.text, CPathParts(record.fileName.c_str()).extension);
    switch (planned.outcome) {
    case UniqueFileName::kKept:
        return kUnchanged;
    case UniqueFileName::kTooLong:
        return Marked(PathTooLongText(name.text));
    case UniqueFileName::kFailed:
        return Marked("リネームに失敗しました。");
    case UniqueFileName::kMoved:
        break;
    }
    return CPathParts(planned.path.c_str()).fileName;
}
