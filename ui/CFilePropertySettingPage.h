#pragma once
#include "framework/CEditBox.h"
#include "framework/CPropertyPage.h"
#include "record/CRecord.h"
#include "ui/CPageTextBox.h"

#include <string>

// The "GameSettings" page: the record's settings XML as raw, read-only text.
class CFilePropertySettingPage : public CPropertyPage {
public:
    explicit CFilePropertySettingPage(CRecord* record);
    int OnInitDialog() override;

    bool initialised = false;
    CRecord* record;
    CPageTextBox textBox;
};

// The text box of both pages.
constexpr int kPageTextId = 1003;

// Shows text in a page's text box, each line feed as a line break.
void ShowPageText(CEditBox& textBox, std::string text);
