#include "ui/CProgressDlg.h"

#include "DialogTemplate.h"
#include "TestClock.h"

#include "framework/Messages.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Text(HWND window)
{
    char text[256] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

class ProgressDialog : public testing::Test {
protected:
    void SetUp() override
    {
        InitCommonControls();
        dialog.Setup("書き出し", "一行目", "二行目", 0, 5, 1);
        dialog.Create(nullptr);
        ASSERT_NE(nullptr, dialog.window);
    }
    void TearDown() override { dialog.Destroy(); }

    int Position() { return static_cast<int>(SendMessageA(Bar(), PBM_GETPOS, 0, 0)); }
    HWND Bar() { return GetDlgItem(dialog.window, IDC_PROGRESS_BAR); }

    CProgressDlg dialog;
};

TEST_F(ProgressDialog, OpensWithWhatSetupKept)
{
    EXPECT_TRUE(dialog.running);
    EXPECT_TRUE(IsWindowVisible(dialog.window));
    EXPECT_EQ("書き出し", Text(dialog.window));
    EXPECT_EQ("一行目", Text(GetDlgItem(dialog.window, IDC_PROGRESS_FIRST_LINE)));
    EXPECT_EQ("二行目", Text(GetDlgItem(dialog.window, IDC_PROGRESS_SECOND_LINE)));
    PBRANGE range = {};
    SendMessageA(Bar(), PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(0, range.iLow);
    EXPECT_EQ(5, range.iHigh);
    EXPECT_EQ(0, Position());
    EXPECT_EQ(dialog.firstLine.window, GetDlgItem(dialog.window, IDC_PROGRESS_FIRST_LINE));
    EXPECT_EQ(dialog.secondLine.window, GetDlgItem(dialog.window, IDC_PROGRESS_SECOND_LINE));
    EXPECT_EQ(dialog.bar.window, Bar());
}

// No WS_SYSMENU: no close box.
TEST(ProgressDialogTemplate, Is161AsStored)
{
    const dialogtemplate::Template expected = {
        0x80C008C0, 186, 95, "処理中...", 9, "MS UI Gothic",
        {{0x50010000, 68, 73, 50, 14, IDCANCEL, "Button", "キャンセル"},
         {0x50010880, 7, 7, 172, 12, IDC_PROGRESS_FIRST_LINE, "Edit", ""},
         {0x50010880, 7, 29, 172, 12, IDC_PROGRESS_SECOND_LINE, "Edit", ""},
         {0x50800001, 7, 51, 172, 12, IDC_PROGRESS_BAR, "msctls_progress32", ""}}};
    EXPECT_EQ(expected, dialogtemplate::Load(IDD_PROGRESS));
}

TEST_F(ProgressDialog, CreateOnAnOpenDialogMakesNoSecondWindow)
{
    HWND first = dialog.window;
    dialog.Create(nullptr);
    EXPECT_EQ(first, dialog.window);
    int dialogs = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM count) {
            if (GetDlgItem(window, IDC_PROGRESS_BAR))
                ++*reinterpret_cast<int*>(count);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&dialogs));
    EXPECT_EQ(1, dialogs);
}

TEST_F(ProgressDialog, EveryStepShowsWithoutAnInterval)
{
    dialog.updateInterval = 0;
    for (int i = 1; i <= 5; ++i) {
        dialog.SetLines("k " + std::to_string(i), "file " + std::to_string(i));
        dialog.Step();
        EXPECT_EQ(i, Position());
        EXPECT_EQ("k " + std::to_string(i), Text(dialog.firstLine.window));
        EXPECT_EQ("file " + std::to_string(i), Text(dialog.secondLine.window));
    }
}

// Within the interval the window keeps what it shows; the last step shows the bar full.
TEST_F(ProgressDialog, StepsWithinTheIntervalWaitUntilTheBarIsFull)
{
    dialog.updateInterval = 60000;
    for (int i = 1; i <= 4; ++i) {
        dialog.SetLines("k " + std::to_string(i), "file");
        dialog.Step();
    }
    EXPECT_EQ(0, Position());
    EXPECT_EQ("一行目", Text(dialog.firstLine.window));
    dialog.SetLines("k 5", "last");
    dialog.Step();
    EXPECT_EQ(5, Position());
    EXPECT_EQ("k 5", Text(dialog.firstLine.window));
    EXPECT_EQ("last", Text(dialog.secondLine.window));
}

TEST_F(ProgressDialog, StepsPastTheIntervalShow)
{
    testclock::TestClock clock;
    dialog.updateInterval = 20;
    dialog.Step();
    clock.Advance(40);
    dialog.Step();
    EXPECT_EQ(2, Position());
}

// A record that takes longer than the interval shows its lines while it is handled, before its
// step.
TEST_F(ProgressDialog, LinesPastTheIntervalShowAtOnce)
{
    testclock::TestClock clock;
    dialog.updateInterval = 20;
    dialog.Step();
    clock.Advance(40);
    dialog.SetLines("k 2", "file 2");
    EXPECT_EQ("k 2", Text(dialog.firstLine.window));
    EXPECT_EQ("file 2", Text(dialog.secondLine.window));
    EXPECT_EQ(1, Position());
    dialog.SetLines("k 3", "file 3");
    EXPECT_EQ("k 2", Text(dialog.firstLine.window));
}

// The row after a step that was shown shows its lines at once, so that a row that takes long is
// seen while it is handled; lines after those wait for the interval again.
TEST_F(ProgressDialog, TheLinesAfterAShownStepShowAtOnce)
{
    testclock::TestClock clock;
    dialog.updateInterval = 20;
    clock.Advance(21);
    dialog.SetLines("k 1", "file 1");
    EXPECT_EQ("k 1", Text(dialog.firstLine.window));
    dialog.SetLines("k 2", "file 2");
    EXPECT_EQ("k 1", Text(dialog.firstLine.window));
    clock.Advance(21);
    dialog.Step();
    EXPECT_EQ(1, Position());
    EXPECT_EQ("k 2", Text(dialog.firstLine.window));
    dialog.SetLines("k 3", "file 3");
    EXPECT_EQ("k 3", Text(dialog.firstLine.window));
    EXPECT_EQ("file 3", Text(dialog.secondLine.window));
    EXPECT_EQ(1, Position());
    dialog.SetLines("k 4", "file 4");
    EXPECT_EQ("k 3", Text(dialog.firstLine.window));
}

struct CancelCase {
    const char* name;
    // Sends or posts what the user does; true when the message waits in the queue.
    bool (*act)(HWND dialog);
};

class ProgressDialogCancel : public ProgressDialog, public testing::WithParamInterface<CancelCase> {};

// The run sees running cleared at its next check; the window goes at once.
TEST_P(ProgressDialogCancel, ClearsRunningAndClosesTheWindow)
{
    if (GetParam().act(dialog.window))
        PumpMessage(dialog.window);
    EXPECT_FALSE(dialog.running);
    EXPECT_EQ(nullptr, dialog.window);
    EXPECT_EQ(nullptr, dialog.firstLine.window);
    // The run's later updates change nothing.
    dialog.updateInterval = 0;
    dialog.SetLines("x", "y");
    dialog.Step();
    EXPECT_EQ(nullptr, dialog.window);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, ProgressDialogCancel,
    testing::Values(
        CancelCase{"CancelButton",
                   [](HWND window) {
                       SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                                    reinterpret_cast<LPARAM>(GetDlgItem(window, IDCANCEL)));
                       return false;
                   }},
        // The key reaches the dialog through the run's message pump.
        CancelCase{"EscapeOnTheFocusedItem",
                   [](HWND window) {
                       HWND focus = GetFocus();
                       EXPECT_TRUE(focus == window || IsChild(window, focus));
                       PostMessageA(focus, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
                       return true;
                   }},
        CancelCase{"AltF4",
                   [](HWND window) {
                       SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
                       return false;
                   }}),
    [](const testing::TestParamInfo<CancelCase>& info) { return info.param.name; });

TEST_F(ProgressDialog, SetupStartsEveryRunAnew)
{
    dialog.updateInterval = 0;
    dialog.Step();
    dialog.Destroy();
    EXPECT_TRUE(dialog.running);
    dialog.Setup("b", "c", "", 0, 20, 2);
    EXPECT_FALSE(dialog.running);
    EXPECT_EQ(0, dialog.position);
    dialog.Create(nullptr);
    EXPECT_TRUE(dialog.running);
    EXPECT_EQ("b", Text(dialog.window));
    PBRANGE range = {};
    SendMessageA(Bar(), PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(20, range.iHigh);
    EXPECT_EQ(0, Position());
    dialog.Step();
    EXPECT_EQ(2, Position());
}

}
