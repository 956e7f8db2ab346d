#pragma once
#include "framework/CPropertyPage.h"

#include <vector>

// A modal property sheet over pages that the caller owns; the caption is a string resource.
class CPropertySheet {
public:
    CPropertySheet(HINSTANCE instance, WORD captionId, HWND owner);
    virtual ~CPropertySheet() = default;
    CPropertySheet(const CPropertySheet&) = delete;
    CPropertySheet& operator=(const CPropertySheet&) = delete;

    // Runs the sheet on its first page: PropertySheetA's result, or -1 without pages or when the
    // page array cannot be made.
    virtual INT_PTR DoModal();
    // Appends a page unless it is already there.
    void AddPage(CPropertyPage* page);

    HINSTANCE instance;
    WORD captionId;
    HWND owner;
    PROPSHEETHEADERA header;
    std::vector<CPropertyPage*> pages;

private:
    // The copies of the pages' records that the sheet is given.
    std::vector<PROPSHEETPAGEA> pageArray;
};
