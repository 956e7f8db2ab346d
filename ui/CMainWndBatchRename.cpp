// Edit > batch rename (Ctrl+B): every selected file named by the "Rename" stylesheet from its
// translated settings.
#include "ui/CMainWnd.h"

#include "framework/CFile.h"
#include "framework/CPathParts.h"
#include "framework/CXmlTransform.h"
#include "framework/Messages.h"
#include "framework/StringUtil.h"
#include "framework/TempFile.h"
#include "framework/TextFile.h"
#include "options/FailureText.h"
#include "options/RecordDocuments.h"
#include "ui/UniqueFileName.h"

#include <exception>

// What one batch run keeps from row to row: the stylesheet engine, the stylesheet's path, the
// one temporary file that every record's document is written to, and the files it could not
// handle.
struct CMainWnd::BatchRun {
    CXmlTransform transform;
    std::string stylesheet;
    std::string temporary;
    CRunErrors errors;
};

namespace {

bool CanOpen(const std::string& path)
{
    CFile file;
    return file.Open(true, kGenericRead, path);
}

}

void CMainWnd::BatchRenameSelected(UINT)
{
    BatchRun run;
    int count = list.GetSelectedCount();
    if (count < 1)
        return;
    if (!AskYesNo(window,
                  FormatInt(count, "%ld") + " 個のファイル名を一括変換します。\r\nよろしいですか？",
                  "確認"))
        return;
    run.stylesheet = ProgramFolder() + data.option.templates["Rename"].value;
    if (!CanOpen(run.stylesheet)) {
        ShowError(window, "テンプレートの取得に失敗しました。\r\n" + run.stylesheet);
        return;
    }
    run.temporary = MakeTempFileName("");
    if (run.temporary.empty()) {
        ShowError(window, "テンポラリファイルの作成に失敗しました。");
        return;
    }
    BeginRun(count);
    runState.temporary = run.temporary;
    int number = 1;
    for (int row = list.GetFirstSelected(); row != -1; row = list.GetNextSelected(row), ++number) {
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
    if (runState.ending)
        return;
    ReportRunErrors(run.errors);
    SetFocus(list.window);
}

// Moves are the only change to the user's files: a file is always under its old name or its
// new one.
CMainWnd::RowOutcome CMainWnd::RenameRow(BatchRun& run, int row, CRecord& record)
{
    std::string document;
    try {
        document = MakeRenameDocument(record, data.option);
    } catch (const std::exception& error) {
        run.errors.Add(record.fileName, FailureText(error));
        return RowOutcome::Next;
    }
    TracePath("tmpFile", run.temporary);
    if (!WriteTextFile(run.temporary, document)) {
        ShowRunError("テンポラリファイルの書き込みに失敗しました。");
        return RowOutcome::Stop;
    }
    std::string oldPath = record.path;
    TracePath("templateFile", run.stylesheet);
    if (!run.transform.Transform(run.temporary.c_str(), run.stylesheet.c_str())) {
        ShowRunError("ファイル名変換に失敗しました。\r\n" + oldPath);
        return RowOutcome::Stop;
    }
    const std::string& baseName = run.transform.resultText;
    if (baseName.empty()) {
        ShowRunError("変換後ファイル名を取得できませんでした。\r\n" + oldPath);
        return RowOutcome::Stop;
    }
    if (NamesAFolderOrDrive(baseName)) {
        run.errors.Add(record.fileName,
                       "変換後のファイル名にフォルダかドライブが含まれています：\n" + baseName);
        return RowOutcome::Next;
    }
    if (!IsBaseName(baseName)) {
        run.errors.Add(record.fileName, "変換後のファイル名は使用できない名前です：\n" + baseName);
        return RowOutcome::Next;
    }
    // The file keeps the extension of its name: the path of a file known by its short name ends
    // in the short one.
    UniqueFileName moved =
        MakeUniqueFileName(oldPath, baseName, CPathParts(record.fileName.c_str()).extension);
    switch (moved.outcome) {
    case UniqueFileName::kKept:
        return RowOutcome::Next;
    case UniqueFileName::kTooLong:
        run.errors.Add(record.fileName, "変換後のファイル名ではパスが長すぎます：\n" + baseName);
        return RowOutcome::Next;
    case UniqueFileName::kFailed:
        ShowRunError("リネームに失敗しました。\r\n" + oldPath);
        return RowOutcome::Next;
    case UniqueFileName::kMoved:
        break;
    }
    record.Moved(moved.path);
    list.SetItemText(record.fileName, row, 0);
    return RowOutcome::Renamed;
}
