// Edit > batch rename (Ctrl+B): every selected file named by the "Rename" stylesheet from its
// translated settings.
#include "ui/CMainWndBatchRun.h"

#include "framework/CFile.h"
#include "framework/CPathParts.h"
#include "framework/Messages.h"
#include "framework/StringUtil.h"
#include "framework/TempFile.h"
#include "framework/TextFile.h"
#include "options/FailureText.h"
#include "options/RecordDocuments.h"
#include "ui/UniqueFileName.h"

#include <exception>

namespace {

bool CanOpen(const std::string& path)
{
    CFile file;
    return file.Open(true, kGenericRead, path);
}

}

void CMainWnd::BatchRenameSelected(UINT)
{
    int count = list.GetSelectedCount();
    if (count < 1)
        return;
    if (!AskYesNo(window,
                  FormatInt(count, "%ld") + " 個のファイル名を一括変換します。\r\nよろしいですか？",
                  "確認"))
        return;
    RunBatchRename(SelectedRows());
}

// The stylesheet that names the files found and the temporary file made; false after the box
// that tells which is missing.
bool CMainWnd::PrepareBatchRun(BatchRun& run)
{
    run.stylesheet = ProgramFolder() + data.option.templates["Rename"].value;
    if (!CanOpen(run.stylesheet)) {
        ShowError(window, "テンプレートの取得に失敗しました。\r\n" + run.stylesheet);
        return false;
    }
    run.temporary = MakeTempFileName("");
    if (run.temporary.empty()) {
        ShowError(window, "テンポラリファイルの作成に失敗しました。");
        return false;
    }
    return true;
}

// The files it renames, however the run ends, are one step for Edit > Undo.
void CMainWnd::RunBatchRename(const std::vector<int>& rows)
{
    BatchRun run;
    if (!PrepareBatchRun(run))
        return;
    int count = static_cast<int>(rows.size());
    BeginRun(count);
    runState.temporary = run.temporary;
    for (int number = 1; number <= count; ++number) {
        int row = rows[static_cast<size_t>(number - 1)];
        CRecord* record = StartRunRow(row, number, count);
        if (runState.ending)
            break;
        if (!record)
            continue;
        RowOutcome outcome = RenameRow(run, row, *record);
        if (outcome == RowOutcome::Stop)
            break;
        progress.Step();
        // Cancel is looked at after a file that was renamed.
        if (outcome == RowOutcome::Renamed) {
            if (!progress.running)
                break;
            PumpRun();
        }
    }
    DeleteFileA(run.temporary.c_str());
    EndRun();
    renames.Push(std::move(run.renamed));
    ShowUndoState();
    if (runState.ending)
        return;
    ReportRunErrors(run.errors);
    SetFocus(list.window);
}

std::vector<int> CMainWnd::SelectedRows()
{
    std::vector<int> rows;
    for (int row = list.GetFirstSelected(); row != -1; row = list.GetNextSelected(row))
        rows.push_back(row);
    return rows;
}

// What the stylesheet names a record: the base name, or why the batch gives it none.
CMainWnd::StylesheetName CMainWnd::NameByStylesheet(BatchRun& run, CRecord& record)
{
    std::string document;
    try {
        document = MakeRenameDocument(record, data.option);
    } catch (const std::exception& error) {
        return {StylesheetName::kNotNamed, FailureText(error)};
    }
    if (run.traced)
        TracePath("tmpFile", run.temporary);
    if (!WriteTextFile(run.temporary, document))
        return {StylesheetName::kStop, "テンポラリファイルの書き込みに失敗しました。"};
    if (run.traced)
        TracePath("templateFile", run.stylesheet);
    if (!run.transform.Transform(run.temporary.c_str(), run.stylesheet.c_str()))
        return {StylesheetName::kStop, "ファイル名変換に失敗しました。\r\n" + record.path};
    const std::string& baseName = run.transform.resultText;
    if (baseName.empty())
        return {StylesheetName::kStop, "変換後ファイル名を取得できませんでした。\r\n" + record.path};
    if (NamesAFolderOrDrive(baseName))
        return {StylesheetName::kNotNamed,
                "変換後のファイル名にフォルダかドライブが含まれています：\n" + baseName};
    if (!IsBaseName(baseName))
        return {StylesheetName::kNotNamed, "変換後のファイル名は使用できない名前です：\n" + baseName};
    return {StylesheetName::kNamed, baseName};
}

std::string CMainWnd::PathTooLongText(const std::string& baseName)
{
    return "変換後のファイル名ではパスが長すぎます：\n" + baseName;
}

// Moves are the only change to the user's files: a file is always under its old name or its
// new one.
CMainWnd::RowOutcome CMainWnd::RenameRow(BatchRun& run, int row, CRecord& record)
{
    StylesheetName name = NameByStylesheet(run, record);
    switch (name.outcome) {
    case StylesheetName::kStop:
        ShowRunError(name.text);
        return RowOutcome::Stop;
    case StylesheetName::kNotNamed:
        run.errors.Add(record.fileName, name.text);
        return RowOutcome::Next;
    case StylesheetName::kNamed:
        break;
    }
    std::string oldPath = record.path;
    std::string oldShownName = record.fileName;
    std::wstring oldLongPath = CRenameHistory::LongPathOf(oldPath, oldShownName);
    // The file keeps the extension of its name: the path of a file known by its short name ends
    // in the short one.
    UniqueFileName moved =
        MakeUniqueFileName(oldPath, name.text, CPathParts(record.fileName.c_str()).extension);
    switch (moved.outcome) {
    case UniqueFileName::kKept:
        return RowOutcome::Next;
    case UniqueFileName::kTooLong:
        run.errors.Add(record.fileName, PathTooLongText(name.text));
        return RowOutcome::Next;
    case UniqueFileName::kFailed:
        ShowRunError("リネームに失敗しました。\r\n" + oldPath);
        return RowOutcome::Next;
    case UniqueFileName::kMoved:
        break;
    }
    record.Moved(moved.path);
    list.SetItemText(record.fileName, row, 0);
    run.renamed.files.push_back(CRenameHistory::Renamed(
        oldPath, moved.path, static_cast<int32_t>(list.GetItemParam(row)), run.identifier,
        oldLongPath, oldShownName));
    return RowOutcome::Renamed;
}
