#include "WindowTestSupport.h"

#include <gtest/gtest.h>

using namespace wintest;

namespace {

TEST(RegisterWindowClass, FillsTheClassWithTheSharedProcedure)
{
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    HBRUSH brush = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    ATOM atom = RegisterWindowClass("TvMenuClass", CS_HREDRAW | CS_VREDRAW, nullptr, nullptr, arrow,
                                    brush, kMenu);
    ASSERT_NE(0, atom);
    EXPECT_EQ(0, RegisterWindowClass("TvMenuClass", 0, nullptr, nullptr, arrow, brush, 0));

    WNDCLASSEXA info = {};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), "TvMenuClass", &info));
    EXPECT_EQ(&StaticWindowProc, info.lpfnWndProc);
    EXPECT_EQ(static_cast<UINT>(CS_HREDRAW | CS_VREDRAW), info.style);
    EXPECT_EQ(arrow, info.hCursor);
    EXPECT_EQ(brush, info.hbrBackground);
    EXPECT_EQ(0, info.cbClsExtra);
    EXPECT_EQ(0, info.cbWndExtra);

    // The class menu becomes the menu bar of its windows.
    CRecordingWindow window;
    ASSERT_TRUE(
        window.Create("TvMenuClass", "menu", WS_OVERLAPPEDWINDOW, 0, 0, 0, 300, 200, nullptr, 0));
    HMENU bar = GetMenu(window.window);
    ASSERT_NE(nullptr, bar);
    char text[32] = {};
    GetMenuStringA(bar, 0, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ("Popup", text);
    window.Destroy();
}

TEST(Window, SetIconReportsWhetherThereWasOne)
{
    CRecordingWindow window;
    ASSERT_TRUE(CreateTopLevel(window));
    EXPECT_FALSE(window.SetIcon(kIcon));
    HICON icon = reinterpret_cast<HICON>(window.SendMsg(WM_GETICON, ICON_SMALL, 0));
    ASSERT_NE(nullptr, icon);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bitmap = {};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
    EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), bitmap.bmWidth);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    EXPECT_TRUE(window.SetIcon(kIcon));
    window.Destroy();
    CWindow unbound;
    EXPECT_FALSE(unbound.SetIcon(kIcon));
    EXPECT_FALSE(unbound.Create("NoSuchClassAnywhere", "", WS_POPUP, 0, 0, 0, 10, 10, nullptr, 0));
}

// Positions relative to the work area; the reference and the moved window are plain popups.
struct CenterCase {
    const char* name;
    RECT reference; // left, top, width, height, from the work area's top-left corner
    SIZE size;
    POINT expected; // from the work area's top-left corner; x or y of kRightEdge/kBottomEdge
};
constexpr LONG kFarEdge = 100000; // expected edge: the work area's right or bottom less the size

std::ostream& operator<<(std::ostream& out, const CenterCase& c)
{
    return out << c.name;
}

class CenterWindowCases : public ::testing::TestWithParam<CenterCase> {};

TEST_P(CenterWindowCases, CentresAndClampsIntoTheWorkArea)
{
    RegisterClasses();
    const CenterCase& c = GetParam();
    RECT work = {};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    HWND reference = CreateWindowExA(0, kClass, "", WS_POPUP, work.left + c.reference.left,
                                     work.top + c.reference.top, c.reference.right,
                                     c.reference.bottom, nullptr, nullptr, nullptr, nullptr);
    HWND moved = CreateWindowExA(0, kClass, "", WS_POPUP, 10, 10, c.size.cx, c.size.cy, nullptr,
                                 nullptr, nullptr, nullptr);
    ASSERT_EQ(work.left + c.reference.left, WindowRect(reference).left);
    CenterWindow(reference, moved);
    RECT placed = WindowRect(moved);
    LONG x = c.expected.x == kFarEdge ? work.right - c.size.cx : work.left + c.expected.x;
    LONG y = c.expected.y == kFarEdge ? work.bottom - c.size.cy : work.top + c.expected.y;
    EXPECT_EQ(x, placed.left);
    EXPECT_EQ(y, placed.top);
    EXPECT_EQ(c.size.cx, placed.right - placed.left);
    DestroyWindow(reference);
    DestroyWindow(moved);
}

INSTANTIATE_TEST_SUITE_P(
    Places, CenterWindowCases,
    ::testing::Values(
        CenterCase{"Inside", {100, 100, 400, 300}, {200, 100}, {200, 200}},
        // (100 - 201) / 2 truncates toward zero: -50.
        CenterCase{
            "OddDifferenceTruncatesTowardZero", {300, 300, 100, 100}, {201, 203}, {250, 249}},
        CenterCase{"LeftOfTheWorkArea", {-500, 100, 400, 300}, {200, 100}, {0, 200}},
        CenterCase{"AboveTheWorkArea", {100, -400, 400, 300}, {200, 100}, {200, 0}},
        CenterCase{"PastTheRightEdge", {1100, 100, 400, 300}, {300, 100}, {kFarEdge, 200}},
        CenterCase{"BelowTheWorkArea", {100, 900, 400, 100}, {200, 300}, {200, kFarEdge}},
        // Wider than the work area and centred over it: the left edge.
        CenterCase{"WiderThanTheWorkArea", {0, 0, 400, 300}, {3000, 100}, {0, 100}}),
    [](const ::testing::TestParamInfo<CenterCase>& info) { return std::string(info.param.name); });

TEST(CenterWindow, WithoutAReferenceNothingMoves)
{
    RegisterClasses();
    HWND moved = CreateWindowExA(0, kClass, "", WS_POPUP, 17, 19, 50, 50, nullptr, nullptr, nullptr,
                                 nullptr);
    CenterWindow(nullptr, moved);
    EXPECT_EQ(17, WindowRect(moved).left);
    EXPECT_EQ(19, WindowRect(moved).top);
    CenterWindow(moved, nullptr);
    DestroyWindow(moved);
}

}
