#pragma once
#include "framework/CControlBase.h"
#include "framework/CImageList.h"

#include <string>

// A report-style list view. Texts are at most 255 bytes when read back, cut on whole characters.
class CListView : public CControlBase {
public:
    ~CListView() override;
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    // The small-icon list from a bitmap of the program's resources; true when the control had a
    // small-icon list before. The list stays the wrapper's: the control never destroys it.
    bool SetImageList(WORD bitmapId, int width, int height, int initialCount, COLORREF mask);
    BOOL DeleteAllItems();
    int GetItemCount();
    // The first selected row, -1 if none.
    int GetFirstSelected();
    // The first selected row after row, in list order; -1 if none.
    int GetNextSelected(int row);
    int GetSelectedCount();
    // Selects one row and clears its focus, cut and drop marks; row -1 selects every row. false
    // for a row not less than the row count or below -1.
    bool SelectItem(int row);
    // Sets the state bits of mask to those of state for a row (LVM_SETITEMSTATE); row -1 sets
    // them for every row.
    bool SetItemState(int row, UINT state, UINT mask);
    // Scrolls the list until the row is seen whole (LVM_ENSUREVISIBLE).
    bool EnsureVisible(int row);
    // The row's parameter; 0 for a row outside the list.
    LPARAM GetItemParam(int row);
    DWORD GetExtendedStyle();
    void MergeExtendedStyle(DWORD style);
    // The new column's number, -1 when the control refused it (the count then stays).
    int InsertColumn(const std::string& heading, int width, int column, int format);
    // Removes a column with its texts (LVM_DELETECOLUMN); false when the control refused.
    bool DeleteColumn(int column);
    // A column's width in pixels (LVM_GETCOLUMNWIDTH); 0 for a column that does not exist.
    int GetColumnWidth(int column);
    bool SetColumnWidth(int column, int width);
    // The new row's number, -1 on failure; no image when image is negative.
    int InsertItem(const std::string& text, int row, int subitem, int image, LPARAM param);
    BOOL SetItemText(const std::string& text, int row, int subitem);
    // Nothing for a negative row or subitem.
    void GetItemText(int row, int subitem, std::string& out);

    CImageList images;
    int columnCount = 0;
};
