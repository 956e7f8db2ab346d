#include "framework/Messages.h"

#include "MessageBoxRecorder.h"

#include <gtest/gtest.h>

TEST(MessageBoxes, ShowErrorHasTheErrorCaptionIconAndForeground)
{
    MessageBoxRecorder recorder;
    HWND owner = GetDesktopWindow();
    EXPECT_EQ(IDOK, ShowError(owner, "設定の読み込みに失敗しました。"));
    ASSERT_EQ(1u, recorder.boxes.size());
    EXPECT_EQ("設定の読み込みに失敗しました。", recorder.boxes[0].text);
    EXPECT_EQ("エラー", recorder.boxes[0].caption);
    EXPECT_EQ(0x10030u, recorder.boxes[0].flags);
}

TEST(MessageBoxes, AskYesNoIsTrueOnlyForYes)
{
    {
        MessageBoxRecorder recorder(IDYES);
        EXPECT_TRUE(AskYesNo(nullptr, "消しますか？", "確認"));
        ASSERT_EQ(1u, recorder.boxes.size());
        EXPECT_EQ("確認", recorder.boxes[0].caption);
        EXPECT_EQ(0x10024u, recorder.boxes[0].flags);
    }
    MessageBoxRecorder recorder(IDNO);
    EXPECT_FALSE(AskYesNo(nullptr, "消しますか？", "確認"));
    EXPECT_EQ(1u, recorder.boxes.size());
}

TEST(MessageBoxes, ShowMessagePassesFlagsAndReturnsTheAnswer)
{
    MessageBoxRecorder recorder(IDCANCEL);
    EXPECT_EQ(IDCANCEL, ShowMessage(nullptr, "text", "", MB_OKCANCEL));
    ASSERT_EQ(1u, recorder.boxes.size());
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL), recorder.boxes[0].flags);
}

TEST(LastErrorText, IsTheSystemTextOrEmpty)
{
    SetLastError(ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(GetLastErrorText().empty());
    SetLastError(0x2FFFFFFF);
    EXPECT_EQ("", GetLastErrorText());
}

namespace {

struct PumpCounter {
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_APP) {
            ++handled;
            return 42;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
    static inline int handled = 0;
};

}

TEST(PumpMessage, DispatchesOneMessageAndLeavesQuitForTheLoop)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PumpCounter::Proc;
    windowClass.lpszClassName = "PumpTestWindow";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("PumpTestWindow", "", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                                nullptr, nullptr);
    ASSERT_NE(nullptr, window);
    MSG drained;
    while (PeekMessageA(&drained, nullptr, 0, 0, PM_REMOVE)) {
    }

    EXPECT_EQ(0, PumpMessage());
    PostMessageA(window, WM_APP, 0, 0);
    PostMessageA(window, WM_APP, 0, 0);
    EXPECT_EQ(42, PumpMessage());
    EXPECT_EQ(1, PumpCounter::handled);
    EXPECT_EQ(42, PumpMessage());
    EXPECT_EQ(2, PumpCounter::handled);

    PostQuitMessage(7);
    EXPECT_EQ(0, PumpMessage());
    MSG quit;
    ASSERT_TRUE(PeekMessageA(&quit, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(static_cast<UINT>(WM_QUIT), quit.message);
    EXPECT_EQ(7u, quit.wParam);
    DestroyWindow(window);
}
