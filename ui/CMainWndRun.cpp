// The long runs over the rows (export, batch rename, the searches): the progress dialog, the one
// message let through at a time, and the main window disabled meanwhile, so that no command
// changes the list or the records under the run.
#include "ui/CMainWnd.h"

#include "framework/Messages.h"
#include "framework/StringUtil.h"

#include <algorithm>

void CMainWnd::BeginRun(int count, const std::string& label, DWORD openAfter)
{
    runState = RunState();
    runState.active = true;
    EnableWindow(window, FALSE);
    runLabel = label;
    runStarted = runPumped = GetTickCount();
    runOpenAfter = openAfter;
    runOpened = false;
    progress.Setup(label, label, "", 0, count, 1);
}

CRecord* CMainWnd::StartRunRow(int row, int number, int count)
{
    PumpRun();
    CRecord* record = RecordOfRow(row);
    if (!record)
        return nullptr;
    ShowRunLines(number, count, record->fileName);
    return record;
}

// The lines of every row are made: a step shows those of its own row whenever it comes.
void CMainWnd::ShowRunLines(int number, int count, const std::string& fileName)
{
    progress.SetLines(runLabel + " (" + FormatInt(number, "%ld") + " / " + FormatInt(count, "%ld") + ")",
                      fileName);
    if (!runOpened && GetTickCount() - runStarted >= runOpenAfter) {
        runOpened = true;
        progress.Create(window);
    }
}

void CMainWnd::PumpRun()
{
    PumpMessage(progress.window);
}

// All the messages waiting then, a few hundred at most: one at a time, a turn every interval
// would leave a click on Cancel behind the mouse's moves for seconds. Before its dialog opens, a
// run lets nothing through. Cancel is answered within a tenth of a second, the dialog shows the
// run less often.
void CMainWnd::PumpRunWhenDue()
{
    const int kMostMessages = 500;
    const DWORD kPumpInterval = 100;
    DWORD now = GetTickCount();
    if (!runOpened || now - runPumped < std::min(progress.updateInterval, kPumpInterval))
        return;
    runPumped = now;
    MSG waiting;
    for (int i = 0; i < kMostMessages && PeekMessageA(&waiting, nullptr, 0, 0, PM_NOREMOVE) &&
                    waiting.message != WM_QUIT;
         ++i)
        PumpRun();
}

bool CMainWnd::RunStopped() const
{
    return (runOpened && !progress.running) || runState.ending;
}

// The main window is enabled before the dialog goes, so that it becomes the active window again.
void CMainWnd::EndRun()
{
    runState.active = false;
    EnableWindow(window, TRUE);
    progress.Destroy();
}

// A box enables its owner again when it ends, even one that was disabled before it; so a box
// during the run belongs to the progress dialog, which takes the focus back afterwards, and the
// main window is disabled again in case the dialog had already been closed.
void CMainWnd::ShowRunError(const std::string& text)
{
    ShowError(progress.window ? progress.window : window, text);
    EnableWindow(window, FALSE);
}

void CMainWnd::ReportRunErrors(const CRunErrors& errors)
{
    if (!errors.Empty())
        ShowError(window, errors.Text());
}

// The session ends: the process may be ended as soon as this returns, so a run that has not come
// to its end yet leaves nothing behind already now. The run then stops at its next row. Only
// this ends a run: after WM_QUERYENDSESSION the session may still go on (another program
// refuses, or the user thinks better of it), and the run with it.
LRESULT CMainWnd::OnEndSession(bool ending)
{
    if (!ending || !runState.active)
        return 0;
    runState.ending = true;
    if (!runState.temporary.empty())
        DeleteFileA(runState.temporary.c_str());
    return 0;
}
