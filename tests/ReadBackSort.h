#pragma once
// Sort callbacks of a list view that take nothing from the program: the rows' own texts read
// back from the control, each row found by its parameter on every comparison (the plain way,
// which the program's sort must agree with and beat), and the parameters alone.
#include <windows.h>

#include <commctrl.h>

#include <cstring>

namespace readbacksort {

struct ReadBack {
    HWND list;
    int column;
    // 1 ascending, 2 descending.
    int direction;
};

inline int CALLBACK CompareByReadingTheList(LPARAM id1, LPARAM id2, LPARAM sortParam)
{
    const ReadBack& sort = *reinterpret_cast<const ReadBack*>(sortParam);
    char texts[2][260] = {};
    LPARAM ids[2] = {id1, id2};
    for (int i = 0; i < 2; ++i) {
        LVFINDINFOA find = {};
        find.flags = LVFI_PARAM;
        find.lParam = ids[i];
        int row = static_cast<int>(SendMessageA(sort.list, LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                                reinterpret_cast<LPARAM>(&find)));
        LVITEMA item = {};
        item.iSubItem = sort.column;
        item.pszText = texts[i];
        item.cchTextMax = sizeof(texts[i]);
        SendMessageA(sort.list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    }
    int order = std::strcmp(texts[0], texts[1]);
    order = order < 0 ? -1 : order > 0 ? 1 : 0;
    return sort.direction == 1 ? order : -order;
}

inline int CALLBACK CompareIds(LPARAM id1, LPARAM id2, LPARAM)
{
    return id1 < id2 ? -1 : id1 > id2 ? 1 : 0;
}

}
