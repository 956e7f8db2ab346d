#pragma once
#include "framework/CControlBase.h"
#include "framework/CImageList.h"

#include <string>

// A tree view. Texts are at most 255 bytes when read back, cut on whole characters.
class CTreeView : public CControlBase {
public:
    ~CTreeView() override;

    // The normal image list from a bitmap of the program's resources; true when the control had
    // one before.
    bool SetImageList(WORD bitmapId, int width, int height, int initialCount, COLORREF mask);
    BOOL DeleteAllItems();
    BOOL DeleteItem(HTREEITEM item);
    HTREEITEM GetRoot();
    HTREEITEM GetSelection();
    HTREEITEM GetParentItem(HTREEITEM item);
    HTREEITEM GetChild(HTREEITEM item);
    // action: TVE_EXPAND, TVE_COLLAPSE, ...
    BOOL Expand(HTREEITEM item, UINT action);
    BOOL SelectItem(HTREEITEM item, UINT code);
    BOOL EnsureVisible(HTREEITEM item);
    // after: an item, TVI_FIRST or TVI_LAST; a negative selectedImage means the same as image.
    // state: TVIS_ flags the item starts with (TVIS_EXPANDED: the children inserted below it
    // later show at once, without a TVM_EXPAND each).
    HTREEITEM InsertItem(const std::string& text, HTREEITEM parent, HTREEITEM after, int image,
                         int selectedImage, LPARAM param, UINT state = 0);
    // The item's text and, when record is given, its record (text pointer null). false for a null
    // item, without a call.
    bool GetItem(HTREEITEM item, std::string& text, TVITEMA* record = nullptr);
    bool GetSelectedItem(std::string& text, TVITEMA* record = nullptr);

    CImageList images;
};
