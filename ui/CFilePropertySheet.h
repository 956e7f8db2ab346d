#pragma once
#include "framework/CPropertySheet.h"
#include "record/CRecord.h"
#include "ui/CFilePropertyMapPage.h"
#include "ui/CFilePropertySettingPage.h"

// The modal sheet "プロパティ" of one record: its settings and its map script, read-only.
class CFilePropertySheet : public CPropertySheet {
public:
    CFilePropertySheet(CRecord* record, HWND owner);

    CRecord* record;
    CFilePropertySettingPage settingPage;
    CFilePropertyMapPage mapPage;
};
