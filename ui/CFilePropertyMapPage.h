#pragma once
#include "framework/CPropertyPage.h"
#include "record/CRecord.h"
#include "ui/CPageTextBox.h"

// The "MapScript" page: the record's map script as read-only text.
class CFilePropertyMapPage : public CPropertyPage {
public:
    explicit CFilePropertyMapPage(CRecord* record);
    int OnInitDialog() override;

    bool initialised = false;
    CRecord* record;
    CPageTextBox textBox;
};
