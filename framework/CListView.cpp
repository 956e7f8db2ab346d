#include "framework/CListView.h"

#include "framework/StringUtil.h"

namespace {
constexpr UINT kItemStateMask = LVIS_FOCUSED | LVIS_SELECTED | LVIS_CUT | LVIS_DROPHILITED;
}

CListView::~CListView()
{
    // The control must not keep a list that is about to be destroyed.
    if (window && images.handle)
        SendMsg(LVM_SETIMAGELIST, LVSIL_SMALL, 0);
}

LRESULT CListView::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // A list view without LVS_SHAREIMAGELISTS destroys its lists with itself; take ours back
    // first, since the wrapper destroys it too.
    if (message == WM_DESTROY && images.handle)
        SendMsg(LVM_SETIMAGELIST, LVSIL_SMALL, 0);
    return CControlBase::WindowProc(hwnd, message, wParam, lParam);
}

bool CListView::SetImageList(WORD bitmapId, int width, int height, int initialCount, COLORREF mask)
{
    // The control lets go of the old list before the wrapper destroys it.
    bool hadList = SendMsg(LVM_SETIMAGELIST, LVSIL_SMALL, 0) != 0;
    images.CreateFromBitmap(bitmapId, width, height, initialCount, mask);
    SendMsg(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images.handle));
    return hadList;
}

BOOL CListView::DeleteAllItems()
{
    return static_cast<BOOL>(SendMsg(LVM_DELETEALLITEMS, 0, 0));
}

int CListView::GetItemCount()
{
    return static_cast<int>(SendMsg(LVM_GETITEMCOUNT, 0, 0));
}

int CListView::GetFirstSelected()
{
    return GetNextSelected(-1);
}

int CListView::GetNextSelected(int row)
{
    // Unbound, SendMessage would give 0, a row that does not exist (and an endless walk).
    if (!window)
        return -1;
    return static_cast<int>(SendMsg(LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED));
}

int CListView::GetSelectedCount()
{
    int count = 0;
    for (int row = GetFirstSelected(); row != -1; row = GetNextSelected(row))
        ++count;
    return count;
}

bool CListView::SelectItem(int row)
{
    if (row < -1 || row >= GetItemCount())
        return false;
    LVITEMA item = {};
    item.state = LVIS_SELECTED;
    item.stateMask = kItemStateMask;
    LRESULT done = SendMsg(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return done != 0;
}

bool CListView::SetItemState(int row, UINT state, UINT mask)
{
    LVITEMA item = {};
    item.state = state;
    item.stateMask = mask;
    return SendMsg(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) != 0;
}

bool CListView::EnsureVisible(int row)
{
    return SendMsg(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE) != 0;
}

LPARAM CListView::GetItemParam(int row)
{
    if (row < 0 || row >= GetItemCount())
        return 0;
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMsg(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return 0;
    return item.lParam;
}

DWORD CListView::GetExtendedStyle()
{
    return static_cast<DWORD>(SendMsg(LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
}

void CListView::MergeExtendedStyle(DWORD style)
{
    SendMsg(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, GetExtendedStyle() | style);
}

int CListView::InsertColumn(const std::string& heading, int width, int column, int format)
{
    if (!window)
        return -1;
    LVCOLUMNA info = {};
    info.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    info.fmt = format;
    info.cx = width;
    info.pszText = const_cast<char*>(heading.c_str());
    info.iSubItem = column;
    int made =
        static_cast<int>(SendMsg(LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&info)));
    if (made != -1)
        ++columnCount;
    return made;
}

bool CListView::DeleteColumn(int column)
{
    if (!window || !SendMsg(LVM_DELETECOLUMN, column, 0))
        return false;
    --columnCount;
    return true;
}

int CListView::GetColumnWidth(int column)
{
    return static_cast<int>(SendMsg(LVM_GETCOLUMNWIDTH, column, 0));
}

bool CListView::SetColumnWidth(int column, int width)
{
    return SendMsg(LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0)) != 0;
}

int CListView::InsertItem(const std::string& text, int row, int subitem, int image, LPARAM param)
{
    if (!window)
        return -1;
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM | (image >= 0 ? LVIF_IMAGE : 0);
    item.iItem = row;
    item.iSubItem = subitem;
    item.pszText = const_cast<char*>(text.c_str());
    item.cchTextMax = 256;
    item.iImage = image;
    item.lParam = param;
    return static_cast<int>(SendMsg(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

BOOL CListView::SetItemText(const std::string& text, int row, int subitem)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = subitem;
    item.pszText = const_cast<char*>(text.c_str());
    return static_cast<BOOL>(SendMsg(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void CListView::GetItemText(int row, int subitem, std::string& out)
{
    if (row < 0 || subitem < 0)
        return;
    char buffer[256] = {};
    LVITEMA item = {};
    item.iSubItem = subitem;
    item.pszText = buffer;
    item.cchTextMax = sizeof(buffer);
    SendMsg(LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    buffer[sizeof(buffer) - 1] = 0;
    // The control cuts a long text at the buffer's end, even between the two bytes of a character.
    out = buffer;
    out.resize(WholeCharacters(out, out.size()));
}
