#include "WindowTestSupport.h"
#include "framework/CMenu.h"

#include <gtest/gtest.h>

using namespace wintest;

namespace {

UINT State(HMENU menu, UINT command)
{
    return GetMenuState(menu, command, MF_BYCOMMAND);
}

TEST(Menu, LoadCheckAndEnableByCommand)
{
    CMenu menu;
    ASSERT_TRUE(menu.Load(kMenu));
    EXPECT_TRUE(menu.IsChecked(kCheckedCommand));
    EXPECT_FALSE(menu.IsChecked(kGrayedCommand));
    menu.CheckItem(kCheckedCommand, false);
    menu.CheckItem(kGrayedCommand, true);
    EXPECT_FALSE(menu.IsChecked(kCheckedCommand));
    EXPECT_TRUE(menu.IsChecked(kGrayedCommand));
    EXPECT_TRUE(State(menu.handle, kGrayedCommand) & MF_GRAYED);
    menu.EnableItem(kGrayedCommand, true);
    EXPECT_FALSE(State(menu.handle, kGrayedCommand) & MF_GRAYED);
    menu.EnableItem(kCheckedCommand, false);
    EXPECT_TRUE(State(menu.handle, kCheckedCommand) & MF_GRAYED);
}

// A new text leaves the check mark and the grey as they were.
TEST(Menu, SetItemTextKeepsTheState)
{
    CMenu menu;
    ASSERT_TRUE(menu.Load(kMenu));
    menu.SetItemText(kGrayedCommand, "元に戻す - 名前の変更(&Z)\tCtrl+Z");
    menu.SetItemText(kCheckedCommand, "Still checked");
    char text[64] = {};
    GetMenuStringA(menu.handle, kGrayedCommand, text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ("元に戻す - 名前の変更(&Z)\tCtrl+Z", text);
    GetMenuStringA(menu.handle, kCheckedCommand, text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ("Still checked", text);
    EXPECT_TRUE(State(menu.handle, kGrayedCommand) & MF_GRAYED);
    EXPECT_TRUE(menu.IsChecked(kCheckedCommand));
}

// GetMenuState answers all ones for an item it cannot find; that is no check mark.
TEST(Menu, MissingItemOrMenuIsNotChecked)
{
    CMenu menu;
    EXPECT_FALSE(menu.IsChecked(kCheckedCommand));
    menu.CheckItem(kCheckedCommand, true);
    menu.EnableItem(kCheckedCommand, false);
    ASSERT_TRUE(menu.Load(kMenu));
    EXPECT_FALSE(menu.IsChecked(4711));
}

TEST(Menu, LoadOfAMissingMenuFailsAndReloadDestroysTheOldOne)
{
    CMenu menu;
    EXPECT_FALSE(menu.Load(9999));
    EXPECT_EQ(nullptr, menu.handle);
    ASSERT_TRUE(menu.Load(kMenu));
    HMENU first = menu.handle;
    ASSERT_TRUE(menu.Load(kMenu));
    EXPECT_FALSE(IsMenu(first));
    EXPECT_TRUE(IsMenu(menu.handle));
    EXPECT_TRUE(menu.Destroy());
    EXPECT_EQ(nullptr, menu.handle);
    EXPECT_TRUE(menu.Destroy());
}

// A window's menu bar handed over with SetHandle stays the window's.
TEST(Menu, HandedOverMenuOutlivesTheObject)
{
    CMenu own;
    ASSERT_TRUE(own.Load(kMenu));
    HMENU bar = own.handle;
    {
        CMenu user;
        user.SetHandle(bar);
        EXPECT_TRUE(user.IsChecked(kCheckedCommand));
    }
    EXPECT_TRUE(IsMenu(bar));
}

HWND gOwner = nullptr;
std::vector<UINT> gKeys;

void CALLBACK PressKeys(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    if (gKeys.empty()) {
        EndMenu();
        return;
    }
    for (UINT key : gKeys)
        PostMessageA(gOwner, WM_KEYDOWN, key, 0);
}

class MenuPopup : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateTopLevel(owner, 300, 200));
        gOwner = owner.window;
        ASSERT_TRUE(menu.Load(kMenu));
    }
    void TearDown() override { owner.Destroy(); }

    UINT Track(std::vector<UINT> keys)
    {
        gKeys = std::move(keys);
        SetTimer(nullptr, 0, 50, PressKeys);
        return menu.TrackPopup(owner.window, 0, 100, 100, TPM_RETURNCMD | TPM_NONOTIFY);
    }

    CRecordingWindow owner;
    CMenu menu;
};

TEST_F(MenuPopup, ChosenCommandIsReturned)
{
    EXPECT_EQ(kCheckedCommand, Track({VK_DOWN, VK_RETURN}));
}

TEST_F(MenuPopup, DismissedMenuGivesZero)
{
    EXPECT_EQ(0u, Track({}));
}

TEST_F(MenuPopup, NoMenuOrNoSuchPopupShowsNothing)
{
    CMenu none;
    EXPECT_EQ(0, none.TrackPopup(owner.window, 0, 10, 10, TPM_RETURNCMD));
    EXPECT_EQ(0, menu.TrackPopup(owner.window, 5, 10, 10, TPM_RETURNCMD));
}

}
