#pragma once
#include <windows.h>
#include <commctrl.h>

// Owns one image list: destroying or re-creating the object destroys it.
class CImageList {
public:
    CImageList() = default;
    virtual ~CImageList();
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    // false for a negative size or count (the old list is kept), or when no list was made.
    bool Create(int width, int height, int initialCount, UINT flags);
    // The position of the first new image; 0 without a call when there is no list or bitmap.
    int AddMasked(HBITMAP bitmap, COLORREF mask);
    // Makes a masked list and adds the images of the program's bitmap resource to it.
    bool CreateFromBitmap(WORD bitmapId, int width, int height, int initialCount, COLORREF mask);
    BOOL Destroy();

    HIMAGELIST handle = nullptr;
};
