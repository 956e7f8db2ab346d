#include "framework/CClipboard.h"

#include <cstring>

int CClipboard::SetText(const std::string& text)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1);
    if (!block)
        return -2;
    void* bytes = GlobalLock(block);
    if (!bytes) {
        GlobalFree(block);
        return -2;
    }
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    if (!OpenClipboard(owner)) {
        GlobalFree(block);
        return -3;
    }
    EmptyClipboard();
    // Once set, the block belongs to the clipboard; a refused one is still ours.
    bool taken = SetClipboardData(CF_TEXT, block) != nullptr;
    if (!taken)
        GlobalFree(block);
    CloseClipboard();
    return taken ? 0 : -4;
}
