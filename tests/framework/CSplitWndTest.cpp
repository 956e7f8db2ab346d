#include "WindowTestSupport.h"
#include "framework/CListView.h"
#include "framework/CSplitWnd.h"
#include "framework/CTreeView.h"

#include <gtest/gtest.h>

using namespace wintest;

namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 600;

void RegisterPaneClasses()
{
    static bool done = [] {
        RegisterClasses();
        HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
        HBRUSH face = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        RegisterWindowClass("SplitBaseLeft Class", CS_HREDRAW | CS_VREDRAW, nullptr, nullptr, arrow,
                            face, 0);
        RegisterWindowClass("SplitBaseRight Class", CS_HREDRAW | CS_VREDRAW, nullptr, nullptr,
                            arrow, face, 0);
        return true;
    }();
    (void)done;
}

LPARAM Point(int x, int y)
{
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)),
                      static_cast<WORD>(static_cast<short>(y)));
}

HCURSOR Cursor(LPCSTR shape)
{
    return LoadCursorA(nullptr, shape);
}

// An owner whose client area is split like the main window's: a left pane with a list view and the
// resize strip, a right pane with a tree view.
class SplitPanes : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterPaneClasses();
        ASSERT_TRUE(CreateTopLevel(owner, kWidth, kHeight, WS_POPUP | WS_CLIPCHILDREN));
        RECT client = {};
        GetClientRect(owner.window, &client);
        ASSERT_EQ(kWidth, client.right);
        int split = kWidth * 65 / 100;
        left.info = &leftInfo;
        right.info = &rightInfo;
        ASSERT_TRUE(left.Create("SplitBaseLeft Class", "", 0x52000000, 0, 0, 0, split, kHeight,
                                owner.window, 0));
        ASSERT_TRUE(right.Create("SplitBaseRight Class", "", 0x52000000, 0, split, 0,
                                 kWidth - split, kHeight, owner.window, 0));
        leftInfo = {left.window, owner.window, nullptr, right.window, nullptr};
        rightInfo = {right.window, owner.window, nullptr, nullptr, nullptr};
        ASSERT_TRUE(list.Create(WC_LISTVIEWA, "", 0x52010009, WS_EX_CLIENTEDGE, 0, 0,
                                split - left.barSize, kHeight, left.window, 100));
        ASSERT_TRUE(tree.Create(WC_TREEVIEWA, "", 0x52010227, WS_EX_CLIENTEDGE, 0, 0,
                                kWidth - split, kHeight, right.window, 101));
        leftInfo.content = list.window;
        rightInfo.content = tree.window;
    }
    void TearDown() override
    {
        ReleaseCapture();
        owner.Destroy();
        Pump();
    }

    void Drag(int fromX, int toX)
    {
        left.SendMsg(WM_LBUTTONDOWN, MK_LBUTTON, Point(fromX, 10));
        left.SendMsg(WM_MOUSEMOVE, MK_LBUTTON, Point(toX, 10));
        left.SendMsg(WM_LBUTTONUP, 0, Point(toX, 10));
    }

    CRecordingWindow owner;
    CSplitWnd left;
    CSplitWnd right;
    SplitPaneInfo leftInfo = {};
    SplitPaneInfo rightInfo = {};
    CListView list;
    CTreeView tree;
};

TEST_F(SplitPanes, LayoutOfAThousandPixels)
{
    EXPECT_EQ(650, Width(left.window));
    EXPECT_EQ(646, Width(list.window));
    EXPECT_EQ(350, Width(right.window));
    EXPECT_EQ(650, Position(right.window).x);
}

TEST_F(SplitPanes, PressOnTheStripBeginsAWidthDragWithCapture)
{
    left.SendMsg(WM_LBUTTONDOWN, MK_LBUTTON, Point(648, 10));
    EXPECT_EQ(2, left.dragMode);
    EXPECT_EQ(2, left.dragOffset);
    EXPECT_EQ(left.window, GetCapture());
    left.SendMsg(WM_LBUTTONUP, 0, Point(648, 10));
    EXPECT_EQ(0, left.dragMode);
    EXPECT_EQ(nullptr, GetCapture());
}

struct DragCase {
    const char* name;
    int toX;
    int leftWidth;
    // The least width that the drag leaves to either pane.
    int minSize = 4;
};

std::ostream& operator<<(std::ostream& out, const DragCase& c)
{
    return out << c.name;
}

class SplitDrags : public SplitPanes, public ::testing::WithParamInterface<DragCase> {};

TEST_P(SplitDrags, BothPanesAndTheirContentFollow)
{
    const DragCase& c = GetParam();
    left.minSize = c.minSize;
    Drag(648, c.toX);
    int rightWidth = kWidth - c.leftWidth;
    EXPECT_EQ(c.leftWidth, Width(left.window));
    EXPECT_EQ(0, Position(left.window).x);
    EXPECT_EQ(c.leftWidth - left.barSize, Width(list.window));
    EXPECT_EQ(c.leftWidth, Position(right.window).x);
    EXPECT_EQ(rightWidth, Width(right.window));
    EXPECT_EQ(rightWidth, Width(tree.window));
    EXPECT_EQ(kHeight, Height(left.window));
    EXPECT_EQ(kHeight, Height(right.window));
    EXPECT_EQ(kHeight, Height(list.window));
}

INSTANTIATE_TEST_SUITE_P(
    Drags, SplitDrags,
    ::testing::Values(DragCase{"Middle", 300, 302}, DragCase{"FarLeft", -2000, 4},
                      DragCase{"JustPastTheLeftLimit", 1, 4},
                      DragCase{"FarRight", 5000, kWidth - 4},
                      DragCase{"JustPastTheRightLimit", kWidth - 5, kWidth - 4},
                      DragCase{"FarLeftWithALeastSize", -2000, 120, 120},
                      DragCase{"FarRightWithALeastSize", 5000, kWidth - 120, 120},
                      DragCase{"WithinTheLeastSizes", 300, 302, 120}),
    [](const ::testing::TestParamInfo<DragCase>& info) { return std::string(info.param.name); });

TEST_F(SplitPanes, MovesWithoutAPressDoNothing)
{
    left.SendMsg(WM_MOUSEMOVE, 0, Point(100, 10));
    EXPECT_EQ(650, Width(left.window));
}

// A drag whose capture is taken away ends; later moves do not resize.
TEST_F(SplitPanes, LostCaptureEndsTheDrag)
{
    left.SendMsg(WM_LBUTTONDOWN, MK_LBUTTON, Point(648, 10));
    ASSERT_EQ(left.window, GetCapture());
    SetCapture(owner.window);
    EXPECT_EQ(0, left.dragMode);
    left.SendMsg(WM_MOUSEMOVE, 0, Point(100, 10));
    EXPECT_EQ(650, Width(left.window));
}

TEST_F(SplitPanes, PaneWithoutNeighboursStartsNoDrag)
{
    right.SendMsg(WM_LBUTTONDOWN, MK_LBUTTON, Point(340, 10));
    EXPECT_EQ(0, right.dragMode);
    EXPECT_EQ(nullptr, GetCapture());
    right.SendMsg(WM_SETCURSOR, reinterpret_cast<WPARAM>(right.window),
                  MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(Cursor(IDC_ARROW), GetCursor());
    left.SendMsg(WM_SETCURSOR, reinterpret_cast<WPARAM>(left.window),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(Cursor(IDC_SIZEWE), GetCursor());
}

// The pane's parent-first WM_SETCURSOR for a cursor over its content leaves the cursor to the
// content.
TEST_F(SplitPanes, CursorOverTheContentIsLeftToIt)
{
    SetCursor(Cursor(IDC_CROSS));
    EXPECT_EQ(0, left.SendMsg(WM_SETCURSOR, reinterpret_cast<WPARAM>(list.window),
                              MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(Cursor(IDC_CROSS), GetCursor());
}

TEST_F(SplitPanes, NotificationsReachTheOwnerAndItsResultComesBack)
{
    ASSERT_EQ(0, list.InsertItem("a.rec", 0, 0, -1, 1));
    owner.notifyResult = TRUE; // refuse the change
    list.SelectItem(0);
    EXPECT_EQ(-1, list.GetFirstSelected());
    ASSERT_FALSE(owner.notifications.empty());
    bool sawChanging = false;
    for (size_t i = 0; i < owner.notifications.size(); ++i) {
        const NMHDR& header = owner.notifications[i];
        EXPECT_EQ(list.window, header.hwndFrom);
        EXPECT_EQ(100u, header.idFrom);
        EXPECT_EQ(100u, owner.notifyWParams[i]);
        sawChanging = sawChanging || header.code == LVN_ITEMCHANGING;
    }
    EXPECT_TRUE(sawChanging);

    owner.notifyResult = FALSE;
    list.SelectItem(0);
    EXPECT_EQ(0, list.GetFirstSelected());
}

TEST_F(SplitPanes, WithoutAnOwnerNotificationsGetTheDefault)
{
    ASSERT_EQ(0, list.InsertItem("a.rec", 0, 0, -1, 1));
    leftInfo.owner = nullptr;
    owner.notifications.clear();
    owner.notifyResult = TRUE;
    list.SelectItem(0);
    EXPECT_EQ(0, list.GetFirstSelected());
    EXPECT_TRUE(owner.notifications.empty());
}

TEST_F(SplitPanes, SizeWithoutContentOrInfoDoesNothing)
{
    leftInfo.content = nullptr;
    EXPECT_EQ(0, left.SendMsg(WM_SIZE, 0, MAKELPARAM(100, 100)));
    EXPECT_EQ(646, Width(list.window));
    left.info = nullptr;
    EXPECT_EQ(0, left.SendMsg(WM_SIZE, 0, MAKELPARAM(100, 100)));
    left.SendMsg(WM_LBUTTONDOWN, MK_LBUTTON, Point(648, 10));
    EXPECT_EQ(0, left.dragMode);
    left.info = &leftInfo;
}

TEST_F(SplitPanes, CommandsStopAtThePane)
{
    owner.messages.clear();
    EXPECT_EQ(0, left.SendMsg(WM_COMMAND, MAKEWPARAM(100, EN_CHANGE),
                              reinterpret_cast<LPARAM>(list.window)));
    EXPECT_FALSE(owner.Saw(WM_COMMAND));
}

TEST_F(SplitPanes, ClosedPaneIsDestroyedAndPostsTheQuitMessage)
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    HWND pane = right.window;
    EXPECT_EQ(0, right.SendMsg(WM_CLOSE, 0, 0));
    EXPECT_FALSE(IsWindow(pane));
    EXPECT_EQ(nullptr, right.window);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(0u, msg.wParam);
}

void Mouse(DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
}

// The same drag made with the system's mouse: the press, the captured moves and the release come
// through the queue.
TEST_F(SplitPanes, DragWithTheMouse)
{
    // Topmost, so that windows of tests running beside this one cannot take the mouse.
    SetWindowPos(owner.window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(owner.window);
    Pump();
    POINT strip = {648, 300};
    ClientToScreen(left.window, &strip);
    SetCursorPos(strip.x, strip.y);
    Mouse(MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(PumpUntil([&] { return left.dragMode == 2; }));
    EXPECT_EQ(Cursor(IDC_SIZEWE), GetCursor());
    SetCursorPos(strip.x - 348, strip.y);
    Mouse(MOUSEEVENTF_MOVE);
    EXPECT_TRUE(PumpUntil([&] { return Width(left.window) == 302; }));
    Mouse(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntil([&] { return left.dragMode == 0; }));
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_EQ(298, Width(list.window));
    EXPECT_EQ(698, Width(tree.window));
    ShowWindow(owner.window, SW_HIDE);
}

// Two panes one above the other: the strip is along the upper pane's bottom edge.
class StackedPanes : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterPaneClasses();
        ASSERT_TRUE(CreateTopLevel(owner, kWidth, kHeight, WS_POPUP | WS_CLIPCHILDREN));
        upper.info = &upperInfo;
        lower.info = &lowerInfo;
        ASSERT_TRUE(upper.Create("SplitBaseLeft Class", "", 0x52000000, 0, 0, 0, kWidth, 300,
                                 owner.window, 0));
        ASSERT_TRUE(lower.Create("SplitBaseRight Class", "", 0x52000000, 0, 0, 300, kWidth, 300,
                                 owner.window, 0));
        ASSERT_TRUE(content.Create(WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, kWidth, 296,
                                   upper.window, 5));
        upperInfo = {upper.window, owner.window, content.window, nullptr, lower.window};
        lowerInfo = {lower.window, owner.window, nullptr, nullptr, nullptr};
    }
    void TearDown() override
    {
        ReleaseCapture();
        owner.Destroy();
        Pump();
    }

    void Drag(int toY)
    {
        upper.SendMsg(WM_LBUTTONDOWN, MK_LBUTTON, Point(10, 298));
        upper.SendMsg(WM_MOUSEMOVE, MK_LBUTTON, Point(10, toY));
        upper.SendMsg(WM_LBUTTONUP, 0, Point(10, toY));
    }

    CRecordingWindow owner;
    CSplitWnd upper;
    CSplitWnd lower;
    SplitPaneInfo upperInfo = {};
    SplitPaneInfo lowerInfo = {};
    CTreeView content;
};

TEST_F(StackedPanes, HeightDragStopsAtBothLimits)
{
    upper.SendMsg(WM_LBUTTONDOWN, MK_LBUTTON, Point(10, 298));
    EXPECT_EQ(1, upper.dragMode);
    EXPECT_EQ(2, upper.dragOffset);
    upper.SendMsg(WM_LBUTTONUP, 0, Point(10, 298));

    Drag(-3000);
    EXPECT_EQ(4, Height(upper.window));
    EXPECT_EQ(0, Height(content.window));
    EXPECT_EQ(4, Position(lower.window).y);
    EXPECT_EQ(kHeight - 4, Height(lower.window));
    EXPECT_EQ(kWidth, Width(lower.window));

    upper.SendMsg(WM_LBUTTONDOWN, MK_LBUTTON, Point(10, 2));
    upper.SendMsg(WM_MOUSEMOVE, MK_LBUTTON, Point(10, 3000));
    upper.SendMsg(WM_LBUTTONUP, 0, Point(10, 3000));
    EXPECT_EQ(kHeight - 4, Height(upper.window));
    EXPECT_EQ(kHeight - 8, Height(content.window));
    EXPECT_EQ(kWidth, Width(content.window));
    EXPECT_EQ(kHeight - 4, Position(lower.window).y);
    EXPECT_EQ(4, Height(lower.window));
}

TEST_F(StackedPanes, ALeastSizeHoldsForHeightsToo)
{
    upper.minSize = 50;
    Drag(-3000);
    EXPECT_EQ(50, Height(upper.window));
    EXPECT_EQ(kHeight - 50, Height(lower.window));
    upper.SendMsg(WM_LBUTTONDOWN, MK_LBUTTON, Point(10, 48));
    upper.SendMsg(WM_MOUSEMOVE, MK_LBUTTON, Point(10, 3000));
    upper.SendMsg(WM_LBUTTONUP, 0, Point(10, 3000));
    EXPECT_EQ(kHeight - 50, Height(upper.window));
    EXPECT_EQ(50, Height(lower.window));
}

TEST_F(StackedPanes, CursorOverTheBottomStripIsNorthSouth)
{
    POINT strip = {500, 298};
    ClientToScreen(upper.window, &strip);
    ASSERT_TRUE(SetCursorPos(strip.x, strip.y));
    upper.SendMsg(WM_SETCURSOR, reinterpret_cast<WPARAM>(upper.window),
                  MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(Cursor(IDC_SIZENS), GetCursor());

    POINT middle = {500, 100};
    ClientToScreen(upper.window, &middle);
    ASSERT_TRUE(SetCursorPos(middle.x, middle.y));
    upper.SendMsg(WM_SETCURSOR, reinterpret_cast<WPARAM>(upper.window),
                  MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(Cursor(IDC_ARROW), GetCursor());

    // A press above the strip of a pane without a right neighbour starts nothing.
    upper.SendMsg(WM_LBUTTONDOWN, MK_LBUTTON, Point(500, 100));
    EXPECT_EQ(0, upper.dragMode);
}

}
