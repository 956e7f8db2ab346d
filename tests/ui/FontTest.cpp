// The fonts that the program's windows get draw every character of a file name. Under Wine the
// Japanese faces the program asks for are stood in for by the fonts of the system, and one of
// them draws no underscore at the list's size: "alice_vs_bob.rec" read "alice vs bob.rec".
#include "MainWindowTest.h"

#include "ListTestSupport.h"
#include "resources/resource.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

using mainwindow::MainWindow;

namespace {

// Whether a pixel of the columns [left, right) and the rows [top, bottom) of the device context
// differs from the background.
bool InkIn(HDC dc, int left, int right, int top, int bottom, COLORREF background)
{
    for (int x = left; x < right; ++x) {
        for (int y = top; y < bottom; ++y) {
            if (GetPixel(dc, x, y) != background)
                return true;
        }
    }
    return false;
}

// The text's width in the font selected into the device context.
int Width(HDC dc, const std::string& text)
{
    SIZE size = {};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

TEST_F(MainWindow, TheListDrawsTheUnderscoreOfAName)
{
    const std::string name = "alice_vs_bob.rec";
    mainWnd.AddRecordFile(listtest::MakeFile(name));
    ShowWindow(mainWnd.window, SW_SHOW);
    UpdateWindow(mainWnd.window);
    HWND list = mainWnd.list.window;
    RECT label = {};
    ASSERT_TRUE(ListView_GetItemRect(list, 0, &label, LVIR_LABEL));

    HDC dc = GetDC(list);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0)));
    COLORREF background = GetPixel(dc, label.right - 2, (label.top + label.bottom) / 2);
    // Inside the row's edges, where the grid lines are: the name starts at the first column with
    // ink, the left of its "a"; the underscore's columns follow "alice", one column kept off each
    // side for the glyphs' bearings.
    int top = label.top + 1;
    int bottom = label.bottom - 1;
    int start = label.left;
    while (start < label.right && !InkIn(dc, start, start + 1, top, bottom, background))
        ++start;
    ASSERT_LT(start, label.right) << "the name is not drawn";
    int from = start + Width(dc, "alice") + 1;
    int to = start + Width(dc, "alice_") - 1;
    bool underscore = InkIn(dc, from, to, top, bottom, background);
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    EXPECT_TRUE(underscore) << "nothing drawn in the columns " << from << " to " << to << " of the row "
                            << top << " to " << bottom << ": the underscore of " << name;
}

struct DialogCase {
    const char* name;
    int id;
};

void PrintTo(const DialogCase& c, std::ostream* os)
{
    *os << c.name;
}

const DialogCase kDialogs[] = {
    {"Rename", IDD_RENAME},     {"Progress", IDD_PROGRESS}, {"Find", IDD_FIND},
    {"About", IDD_ABOUT},       {"SettingsPage", IDD_SETTINGS_PAGE}, {"MapPage", IDD_MAP_PAGE},
};

class DialogFont : public ::testing::TestWithParam<DialogCase> {};

INT_PTR CALLBACK NoHandling(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// The font that the dialog manager gives the dialog's controls (its edit boxes show file names,
// the settings and the map script) draws an underscore inside its character cell.
TEST_P(DialogFont, DrawsAnUnderscoreInItsCell)
{
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(GetParam().id), nullptr,
                                     NoHandling, 0);
    ASSERT_NE(nullptr, dialog);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    ASSERT_NE(nullptr, font);

    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 64;
    info.bmiHeader.biHeight = -64;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldPicture = SelectObject(dc, picture);
    HGDIOBJ oldFont = SelectObject(dc, font);
    RECT all = {0, 0, 64, 64};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    RECT cell = {0, 0, 64, metrics.tmHeight};
    ExtTextOutA(dc, 0, 0, ETO_CLIPPED, &cell, "_", 1, nullptr);
    GdiFlush();
    bool ink = InkIn(dc, 0, 64, 0, metrics.tmHeight, RGB(255, 255, 255));
    SelectObject(dc, oldFont);
    SelectObject(dc, oldPicture);
    DeleteObject(picture);
    DeleteDC(dc);
    DestroyWindow(dialog);
    EXPECT_TRUE(ink) << "no underscore in a cell of " << metrics.tmHeight << " pixels";
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogFont, ::testing::ValuesIn(kDialogs),
                         [](const ::testing::TestParamInfo<DialogCase>& info) { return std::string(info.param.name); });

}
