#include "WindowTestSupport.h"
#include "framework/CEditBox.h"
#include "framework/CWndBase.h"

#include <gtest/gtest.h>

using namespace wintest;

namespace {

void* Property(HWND window)
{
    return GetPropA(window, "CPP_CLASS");
}

LONG_PTR Proc(HWND window)
{
    return GetWindowLongPtrA(window, GWLP_WNDPROC);
}

LONG_PTR Ours()
{
    return reinterpret_cast<LONG_PTR>(&StaticWindowProc);
}

// A parent window with two edit controls of the system's class.
class WindowBinding : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateTopLevel(parent));
        first = MakeEdit(1);
        second = MakeEdit(2);
        editProc = Proc(first);
    }
    void TearDown() override { parent.Destroy(); }

    HWND MakeEdit(int id)
    {
        return CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_MULTILINE, 0, 0, 100, 20, parent.window,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }

    CRecordingWindow parent;
    HWND first = nullptr;
    HWND second = nullptr;
    LONG_PTR editProc = 0;
};

TEST_F(WindowBinding, BoundAtNcCreateAndSeesItsCreation)
{
    ASSERT_FALSE(parent.messages.empty());
    EXPECT_EQ(static_cast<UINT>(WM_NCCREATE), parent.messages.front());
    EXPECT_TRUE(parent.Saw(WM_CREATE));
    EXPECT_EQ(&parent, Property(parent.window));
    EXPECT_EQ(nullptr, parent.previousProc);
    EXPECT_FALSE(parent.isDialog);
    EXPECT_EQ(Ours(), Proc(parent.window));
}

TEST_F(WindowBinding, SecondCreateOfABoundObjectFails)
{
    HWND before = parent.window;
    EXPECT_FALSE(CreateTopLevel(parent));
    EXPECT_EQ(before, parent.window);
}

TEST_F(WindowBinding, UnboundAfterDestroyAndSeesNothingLater)
{
    CRecordingWindow window;
    ASSERT_TRUE(CreateTopLevel(window));
    window.Destroy();
    EXPECT_EQ(nullptr, window.window);
    ASSERT_FALSE(window.messages.empty());
    EXPECT_EQ(static_cast<UINT>(WM_DESTROY), window.messages.back());
    EXPECT_FALSE(window.Saw(WM_NCDESTROY));
}

TEST_F(WindowBinding, AttachSubclassesAControlAndWmDestroyGivesItBack)
{
    CEditBox edit;
    ASSERT_TRUE(edit.Attach(first));
    EXPECT_EQ(editProc, reinterpret_cast<LONG_PTR>(edit.previousProc));
    EXPECT_EQ(Ours(), Proc(first));
    EXPECT_EQ(&edit, Property(first));
    EXPECT_FALSE(edit.isDialog);
    // The control's own procedure still does its work.
    EXPECT_EQ(1, edit.SetText("abc"));
    EXPECT_STREQ("abc", edit.GetText());

    // WM_DESTROY alone does not destroy the control, so what the binding left is visible.
    SendMessageA(first, WM_DESTROY, 0, 0);
    EXPECT_EQ(nullptr, edit.window);
    EXPECT_EQ(nullptr, Property(first));
    EXPECT_EQ(editProc, Proc(first));
}

TEST_F(WindowBinding, AttachToAnotherWindowRestoresTheFirst)
{
    CEditBox edit;
    ASSERT_TRUE(edit.Attach(first));
    ASSERT_TRUE(edit.Attach(second));
    EXPECT_EQ(editProc, Proc(first));
    EXPECT_EQ(nullptr, Property(first));
    EXPECT_EQ(second, edit.window);
    EXPECT_EQ(&edit, Property(second));
    EXPECT_EQ(editProc, reinterpret_cast<LONG_PTR>(edit.previousProc));
}

TEST_F(WindowBinding, AnObjectMayBeBoundAgainAfterDetach)
{
    CEditBox edit;
    ASSERT_TRUE(edit.Attach(first));
    EXPECT_TRUE(edit.Detach());
    EXPECT_FALSE(edit.Detach());
    EXPECT_EQ(editProc, Proc(first));
    ASSERT_TRUE(edit.Attach(first));
    EXPECT_EQ(editProc, reinterpret_cast<LONG_PTR>(edit.previousProc));
}

TEST_F(WindowBinding, NullHandleIsRefusedAndKeepsTheBinding)
{
    CEditBox edit;
    EXPECT_FALSE(edit.Attach(nullptr));
    ASSERT_TRUE(edit.Attach(first));
    EXPECT_FALSE(edit.Attach(nullptr));
    EXPECT_EQ(first, edit.window);
}

// A second object on a window that is already bound takes it over; the control keeps its own
// procedure instead of falling to DefWindowProc.
TEST_F(WindowBinding, SecondObjectOnTheSameWindowTakesItOver)
{
    CEditBox one;
    CEditBox two;
    ASSERT_TRUE(one.Attach(first));
    ASSERT_TRUE(two.Attach(first));
    EXPECT_EQ(nullptr, one.window);
    EXPECT_EQ(&two, Property(first));
    EXPECT_EQ(editProc, reinterpret_cast<LONG_PTR>(two.previousProc));
    SendMessageA(first, EM_SETSEL, 0, -1);
    SendMessageA(first, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("typed"));
    EXPECT_STREQ("typed", two.GetText());
    two.Detach();
    EXPECT_EQ(editProc, Proc(first));
}

TEST_F(WindowBinding, DestroyedObjectLeavesItsWindowUnbound)
{
    {
        CEditBox edit;
        ASSERT_TRUE(edit.Attach(first));
    }
    EXPECT_EQ(nullptr, Property(first));
    EXPECT_EQ(editProc, Proc(first));
    SetWindowTextA(first, "still works");
    EXPECT_EQ("still works", WindowText(first));
}

// A window of the program's own class keeps the shared procedure when its object lets go or
// another object takes it over: its messages must reach only the object bound now, or none.
TEST_F(WindowBinding, MessagesReachOnlyTheObjectBoundNow)
{
    CRecordingWindow first;
    ASSERT_TRUE(CreateTopLevel(first));
    HWND handle = first.window;
    CRecordingWindow second;
    ASSERT_TRUE(second.Attach(handle));
    first.messages.clear();
    SendMessageA(handle, WM_USER, 0, 0);
    EXPECT_FALSE(first.Saw(WM_USER));
    EXPECT_TRUE(second.Saw(WM_USER));

    ASSERT_TRUE(second.Detach());
    second.messages.clear();
    SetWindowTextA(handle, "nobody's");
    EXPECT_TRUE(second.messages.empty());
    EXPECT_TRUE(first.messages.empty());
    EXPECT_EQ("nobody's", WindowText(handle));
    EXPECT_EQ(nullptr, Property(handle));
    DestroyWindow(handle);
}

// Controls that keep an image handle at the offset where a dialog keeps its procedure: binding
// must neither take them for dialogs nor overwrite the handle.
struct ImageControlCase {
    const char* name;
    const char* className;
    DWORD style;
    UINT setMessage;
    WPARAM setWParam;
    UINT getMessage;
    WPARAM getWParam;
};

std::ostream& operator<<(std::ostream& out, const ImageControlCase& c)
{
    return out << c.name;
}

class ImageControlBinding : public ::testing::TestWithParam<ImageControlCase> {};

TEST_P(ImageControlBinding, KeepsTheImageAndIsNoDialog)
{
    const ImageControlCase& c = GetParam();
    CRecordingWindow parent;
    ASSERT_TRUE(CreateTopLevel(parent));
    HWND control = CreateWindowExA(0, c.className, "", WS_CHILD | c.style, 0, 0, 50, 20,
                                   parent.window, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, control);
    HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
    HBITMAP bitmap = CreateBitmap(8, 8, 1, 32, nullptr);
    LPARAM image = c.setWParam == IMAGE_BITMAP ? reinterpret_cast<LPARAM>(bitmap)
                                               : reinterpret_cast<LPARAM>(icon);
    SendMessageA(control, c.setMessage, c.setWParam, image);
    CControlBase object;
    ASSERT_TRUE(object.Attach(control));
    EXPECT_FALSE(object.isDialog);
    EXPECT_EQ(Ours(), Proc(control));
    EXPECT_EQ(image, SendMessageA(control, c.getMessage, c.getWParam, 0));
    parent.Destroy();
    DeleteObject(bitmap);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, ImageControlBinding,
    ::testing::Values(ImageControlCase{"ButtonWithBitmap", "BUTTON", BS_BITMAP, BM_SETIMAGE,
                                       IMAGE_BITMAP, BM_GETIMAGE, IMAGE_BITMAP},
                      ImageControlCase{"StaticWithIcon", "STATIC", SS_ICON, STM_SETIMAGE,
                                       IMAGE_ICON, STM_GETIMAGE, IMAGE_ICON}),
    [](const ::testing::TestParamInfo<ImageControlCase>& info) {
        return std::string(info.param.name);
    });

// A window whose object refuses its creation, at WM_NCCREATE or at WM_CREATE.
class CRefusingWindow : public CRecordingWindow {
public:
    explicit CRefusingWindow(UINT refused) : refused(refused) {}
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == refused)
            return message == WM_CREATE ? -1 : FALSE;
        return CRecordingWindow::WindowProc(hwnd, message, wParam, lParam);
    }
    UINT refused;
};

struct RefusalCase {
    const char* name;
    UINT message;
};

std::ostream& operator<<(std::ostream& out, const RefusalCase& c)
{
    return out << c.name;
}

class RefusedCreation : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RefusedCreation, LeavesTheObjectUnboundAndReusable)
{
    CRefusingWindow window(GetParam().message);
    EXPECT_FALSE(CreateTopLevel(window));
    EXPECT_EQ(nullptr, window.window);
    window.refused = 0;
    ASSERT_TRUE(CreateTopLevel(window));
    EXPECT_EQ(&window, Property(window.window));
    window.Destroy();
}

INSTANTIATE_TEST_SUITE_P(Messages, RefusedCreation,
                         ::testing::Values(RefusalCase{"AtNcCreate", WM_NCCREATE},
                                           RefusalCase{"AtCreate", WM_CREATE}),
                         [](const ::testing::TestParamInfo<RefusalCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(WindowBinding, UnboundWindowOfTheClassGetsDefaultHandling)
{
    RegisterClasses();
    HWND plain = CreateWindowExA(0, kClass, "plain", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                 nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, plain);
    EXPECT_EQ(nullptr, Property(plain));
    EXPECT_EQ(DefWindowProcA(plain, WM_GETTEXTLENGTH, 0, 0),
              StaticWindowProc(plain, WM_GETTEXTLENGTH, 0, 0));
    SetWindowTextA(plain, "default");
    EXPECT_EQ("default", WindowText(plain));
    DestroyWindow(plain);
}

TEST_F(WindowBinding, UnboundObjectReportsFailures)
{
    CEditBox edit;
    EXPECT_EQ(0, edit.SetText("x"));
    EXPECT_EQ(0, parent.SetText(nullptr));
    EXPECT_EQ(0, edit.SendMsg(WM_GETTEXTLENGTH, 0, 0));
    EXPECT_FALSE(edit.Show(SW_SHOW));
    EXPECT_STREQ("", edit.GetText());
}

TEST_F(WindowBinding, SetTextAndRedrawActOnTheBoundWindow)
{
    EXPECT_EQ(1, parent.SetText("title"));
    EXPECT_EQ("title", WindowText(parent.window));
    parent.Show(SW_SHOW);
    ValidateRect(parent.window, nullptr);
    parent.Redraw(true);
    EXPECT_FALSE(GetUpdateRect(parent.window, nullptr, FALSE)); // painted at once
    EXPECT_TRUE(parent.Saw(WM_PAINT));
}

// Redraw of an unbound object must not repaint every window on the screen.
TEST_F(WindowBinding, RedrawOfAnUnboundObjectTouchesNoWindow)
{
    parent.Show(SW_SHOW);
    UpdateWindow(parent.window);
    parent.messages.clear();
    CWindow unbound;
    unbound.Redraw(true);
    Pump();
    EXPECT_FALSE(parent.Saw(WM_PAINT));
    EXPECT_FALSE(parent.Saw(WM_ERASEBKGND));
}

TEST(EditBox, GetTextGivesAtMost1023Characters)
{
    CRecordingWindow parent;
    ASSERT_TRUE(CreateTopLevel(parent));
    CEditBox edit;
    ASSERT_TRUE(
        edit.Create("EDIT", "", WS_CHILD | ES_MULTILINE, 0, 0, 0, 100, 100, parent.window, 7));
    edit.SendMsg(EM_SETLIMITTEXT, 0, 0);
    std::string text(2000, 'x');
    text[1022] = 'y';
    text[1023] = 'z';
    ASSERT_EQ(1, edit.SetText(text.c_str()));
    std::string read = edit.GetText();
    EXPECT_EQ(1023u, read.size());
    EXPECT_EQ(text.substr(0, 1023), read);
    EXPECT_EQ(read, edit.text);
    edit.SetSel(2, 5);
    DWORD start = 0;
    DWORD end = 0;
    edit.SendMsg(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(2u, start);
    EXPECT_EQ(5u, end);
    parent.Destroy();
}

TEST(ControlBase, CreateOfABoundObjectOrAMissingClassFails)
{
    CRecordingWindow parent;
    ASSERT_TRUE(CreateTopLevel(parent));
    CControlBase control;
    EXPECT_FALSE(
        control.Create("NoSuchClassAnywhere", "", WS_CHILD, 0, 0, 0, 10, 10, parent.window, 1));
    EXPECT_EQ(nullptr, control.window);
    ASSERT_TRUE(control.Create("STATIC", "s", WS_CHILD, 0, 0, 0, 10, 10, parent.window, 1));
    EXPECT_EQ(GetDlgItem(parent.window, 1), control.window);
    EXPECT_NE(nullptr, control.previousProc);
    EXPECT_FALSE(control.Create("STATIC", "t", WS_CHILD, 0, 0, 0, 10, 10, parent.window, 2));
    EXPECT_EQ(nullptr, GetDlgItem(parent.window, 2));
    parent.Destroy();
}

}
