// The property sheet of a list row's record.
#include "ui/CMainWnd.h"

#include "ui/CFilePropertySheet.h"

void CMainWnd::ShowProperties(int row)
{
    CRecord* record = RecordOfRow(row);
    if (!record)
        return;
    CFilePropertySheet sheet(record, window);
    sheet.DoModal();
}
