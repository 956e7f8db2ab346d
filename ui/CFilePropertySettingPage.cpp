#include "ui/CFilePropertySettingPage.h"

#include "framework/StringUtil.h"
#include "resources/resource.h"

CFilePropertySettingPage::CFilePropertySettingPage(CRecord* record)
    : CPropertyPage(GetModuleHandleA(nullptr), IDD_SETTINGS_PAGE), record(record)
{
}

int CFilePropertySettingPage::OnInitDialog()
{
    textBox.AttachDlgItem(pageWindow, kPageTextId);
    if (!record)
        return 0;
    ShowPageText(textBox, record->GetGameSettings());
    initialised = true;
    return 1;
}

void ShowPageText(CEditBox& textBox, std::string text)
{
    // A text that already has CR LF gets CR CR LF.
    ReplaceAll(text, "\n", "\r\n");
    textBox.SetText(text.c_str());
}
