#include "ui/CFilePropertySheet.h"

#include "resources/resource.h"

CFilePropertySheet::CFilePropertySheet(CRecord* record, HWND owner)
    : CPropertySheet(GetModuleHandleA(nullptr), IDS_PROPERTIES, owner), record(record),
      settingPage(record), mapPage(record)
{
    AddPage(&settingPage);
    AddPage(&mapPage);
}
