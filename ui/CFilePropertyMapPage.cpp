#include "ui/CFilePropertyMapPage.h"

#include "resources/resource.h"
#include "ui/CFilePropertySettingPage.h"

CFilePropertyMapPage::CFilePropertyMapPage(CRecord* record)
    : CPropertyPage(GetModuleHandleA(nullptr), IDD_MAP_PAGE), record(record)
{
}

int CFilePropertyMapPage::OnInitDialog()
{
    textBox.AttachDlgItem(pageWindow, kPageTextId);
    if (!record)
        return 0;
    ShowPageText(textBox, record->GetMapScript());
    initialised = true;
    return 1;
}
