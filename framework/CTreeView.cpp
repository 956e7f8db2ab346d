#include "framework/CTreeView.h"

#include "framework/StringUtil.h"

CTreeView::~CTreeView()
{
    // The control must not keep a list that is about to be destroyed.
    if (window && images.handle)
        SendMsg(TVM_SETIMAGELIST, TVSIL_NORMAL, 0);
}

bool CTreeView::SetImageList(WORD bitmapId, int width, int height, int initialCount, COLORREF mask)
{
    // The control lets go of the old list before the wrapper destroys it.
    bool hadList = SendMsg(TVM_SETIMAGELIST, TVSIL_NORMAL, 0) != 0;
    images.CreateFromBitmap(bitmapId, width, height, initialCount, mask);
    SendMsg(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images.handle));
    return hadList;
}

BOOL CTreeView::DeleteAllItems()
{
    return static_cast<BOOL>(SendMsg(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)));
}

BOOL CTreeView::DeleteItem(HTREEITEM item)
{
    return static_cast<BOOL>(SendMsg(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM CTreeView::GetRoot()
{
    return reinterpret_cast<HTREEITEM>(SendMsg(TVM_GETNEXTITEM, TVGN_ROOT, 0));
}

HTREEITEM CTreeView::GetSelection()
{
    return reinterpret_cast<HTREEITEM>(SendMsg(TVM_GETNEXTITEM, TVGN_CARET, 0));
}

HTREEITEM CTreeView::GetParentItem(HTREEITEM item)
{
    return reinterpret_cast<HTREEITEM>(
        SendMsg(TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM CTreeView::GetChild(HTREEITEM item)
{
    return reinterpret_cast<HTREEITEM>(
        SendMsg(TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
}

BOOL CTreeView::Expand(HTREEITEM item, UINT action)
{
    return static_cast<BOOL>(SendMsg(TVM_EXPAND, action, reinterpret_cast<LPARAM>(item)));
}

BOOL CTreeView::SelectItem(HTREEITEM item, UINT code)
{
    return static_cast<BOOL>(SendMsg(TVM_SELECTITEM, code, reinterpret_cast<LPARAM>(item)));
}

BOOL CTreeView::EnsureVisible(HTREEITEM item)
{
    return static_cast<BOOL>(SendMsg(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM CTreeView::InsertItem(const std::string& text, HTREEITEM parent, HTREEITEM after,
                                int image, int selectedImage, LPARAM param, UINT state)
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    TVITEMA& item = insert.item;
    item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_PARAM | TVIF_SELECTEDIMAGE;
    item.pszText = const_cast<char*>(text.c_str());
    item.cchTextMax = 256;
    item.iImage = image;
    item.iSelectedImage = selectedImage < 0 ? image : selectedImage;
    item.lParam = param;
    if (state) {
        item.mask |= TVIF_STATE;
        item.state = state;
        item.stateMask = state;
    }
    return reinterpret_cast<HTREEITEM>(
        SendMsg(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

bool CTreeView::GetItem(HTREEITEM item, std::string& text, TVITEMA* record)
{
    if (!item)
        return false;
    char buffer[256] = {};
    TVITEMA info = {};
    info.mask =
        TVIF_TEXT | TVIF_IMAGE | TVIF_PARAM | TVIF_HANDLE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
    info.hItem = item;
    info.pszText = buffer;
    info.cchTextMax = sizeof(buffer);
    bool ok = SendMsg(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info)) != 0;
    buffer[sizeof(buffer) - 1] = 0;
    // The control cuts a long text at the buffer's end, even between the two bytes of a character.
    text = buffer;
    text.resize(WholeCharacters(text, text.size()));
    if (record) {
        *record = info;
        record->pszText = nullptr;
    }
    return ok;
}

bool CTreeView::GetSelectedItem(std::string& text, TVITEMA* record)
{
    return GetItem(GetSelection(), text, record);
}
