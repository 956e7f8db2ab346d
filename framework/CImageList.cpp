#include "framework/CImageList.h"

CImageList::~CImageList()
{
    Destroy();
}

bool CImageList::Create(int width, int height, int initialCount, UINT flags)
{
    if (width < 0 || height < 0 || initialCount < 0)
        return false;
    Destroy();
    handle = ImageList_Create(width, height, flags, initialCount, 0);
    return handle != nullptr;
}

int CImageList::AddMasked(HBITMAP bitmap, COLORREF mask)
{
    if (!handle || !bitmap)
        return 0;
    return ImageList_AddMasked(handle, bitmap, mask);
}

bool CImageList::CreateFromBitmap(WORD bitmapId, int width, int height, int initialCount, COLORREF mask)
{
    if (!Create(width, height, initialCount, ILC_COLOR32 | ILC_MASK))
        return false;
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId));
    AddMasked(bitmap, mask);
    if (bitmap)
        DeleteObject(bitmap);
    return true;
}

BOOL CImageList::Destroy()
{
    if (!handle)
        return FALSE;
    BOOL result = ImageList_Destroy(handle);
    handle = nullptr;
    return result;
}
