// The property sheet of a list row's record.
#include "ui/CMainWnd.h"

#include "ui/CFilePropertySheet.h"

void CMainWnd::ShowProperties(int row)
{
    if (row < 0 || row > list.GetItemCount())
        return;
    auto record = data.records.find(static_cast<int32_t>(list.GetItemParam(row)));
    if (record == data.records.end())
        return;
    CFilePropertySheet sheet(&record->second, window);
    sheet.DoModal();
}
