#include "framework/CPropertySheet.h"

#include <algorithm>
#include <new>

CPropertySheet::CPropertySheet(HINSTANCE instance, WORD captionId, HWND owner)
    : instance(instance), captionId(captionId), owner(owner), header()
{
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK | PSH_NOCONTEXTHELP;
    header.hwndParent = owner;
    header.hInstance = instance;
    header.pszCaption = MAKEINTRESOURCEA(captionId);
}

void CPropertySheet::AddPage(CPropertyPage* page)
{
    if (std::find(pages.begin(), pages.end(), page) == pages.end())
        pages.push_back(page);
}

INT_PTR CPropertySheet::DoModal()
{
    if (pages.empty())
        return -1;
    try {
        pageArray.clear();
        for (const CPropertyPage* page : pages)
            pageArray.push_back(page->page);
    } catch (const std::bad_alloc&) {
        return -1;
    }
    header.nPages = static_cast<UINT>(pageArray.size());
    header.ppsp = pageArray.data();
    header.dwFlags &= ~PSH_MODELESS;
    return PropertySheetA(&header);
}
