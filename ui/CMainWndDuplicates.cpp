// Edit > Select duplicate files: every row whose file holds the same bytes as the file of an
// earlier row becomes selected, so that Delete then removes the copies.
#include "ui/CMainWnd.h"

#include "framework/CDuplicateFinder.h"

// Files that vanished since they were listed, or that cannot be read, are no duplicates and are
// told at the end. Cancel, or the end of the session, changes nothing.
void CMainWnd::OnSelectDuplicates(UINT)
{
    int count = list.GetItemCount();
    CDuplicateFinder finder;
    std::vector<const CRecord*> records;
    std::vector<int> rowOfFile;
    for (int row = 0; row < count; ++row) {
        if (const CRecord* record = RecordOfRow(row)) {
            finder.Add(record->path);
            records.push_back(record);
            rowOfFile.push_back(row);
        }
    }
    BeginRun(count, "検索中...", searchDialogDelay);
    bool finished = finder.Run([&](size_t file) {
        progress.SetPosition(static_cast<int>(finder.settled));
        ShowRunLines(static_cast<int>(finder.settled), count, records[file]->fileName);
        PumpRunWhenDue();
        return !RunStopped();
    });
    finished = finished && !RunStopped();
    EndRun();
    if (!finished) {
        SetFocus(list.window);
        return;
    }
    std::vector<int> duplicates;
    CRunErrors errors;
    for (size_t file = 0; file < finder.files.size(); ++file) {
        if (finder.files[file].state == CDuplicateFinder::kDuplicate)
            duplicates.push_back(rowOfFile[file]);
        else if (finder.files[file].state == CDuplicateFinder::kFailed)
            errors.Add(records[file]->fileName, finder.files[file].failure);
    }
    if (duplicates.empty())
        ShowNothingFound("重複したファイルはありません。", "重複ファイルを選択");
    else
        SelectFoundRows(duplicates);
    ReportRunErrors(errors);
    SetFocus(list.window);
}
