// File > Export > XML: the selected records' settings, translated, in one XML file.
#include "ui/CMainWnd.h"

#include "framework/CFileDialog.h"
#include "framework/Messages.h"
#include "framework/Shell.h"
#include "framework/StringUtil.h"
#include "framework/TempFile.h"
#include "options/CExportDocument.h"
#include "options/FailureText.h"

#include <shlobj.h>

#include <exception>

void CMainWnd::ExportSelectedAsXml(UINT)
{
    int count = list.GetSelectedCount();
    if (count < 1)
        return;
    std::string path;
    if (!ChooseExportFile(path))
        return;
    if (!AskYesNo(window,
                  FormatInt(count, "%ld") +
                      " 個のファイル内容を以下に出力します。\r\nよろしいですか？\r\n\r\n" + path,
                  "確認"))
        return;
    CExportDocument document;
    CRunErrors errors;
    BeginRun(count);
    int number = 1;
    for (int row = list.GetFirstSelected(); row != -1; row = list.GetNextSelected(row), ++number) {
        CRecord* record = StartRunRow(row, number, count);
        if (runState.ending)
            break;
        if (!record)
            continue;
        try {
            document.Add(*record, data.option);
        } catch (const std::exception& error) {
            errors.Add(record->fileName, FailureText(error));
        }
        progress.Step();
        // A Cancel seen in the message let through below ends the run after the next record.
        if (!progress.running)
            break;
        PumpRun();
    }
    EndRun();
    // As the session ends nothing is written: a file the process may not finish.
    if (runState.ending)
        return;
    if (!ReplaceTextFile(path, document.ToString()))
        ShowError(window, "ファイルの書き込みに失敗しました。\r\n" + path);
    ReportRunErrors(errors);
    SetFocus(list.window);
}

bool CMainWnd::ChooseExportFile(std::string& path)
{
    CFileDialog dialog;
    dialog.SetFilter("XML(*.xml)|*.xml");
    dialog.SetInitialDir(GetSpecialFolderPath(CSIDL_PERSONAL));
    return dialog.ShowSave(window, path);
}
