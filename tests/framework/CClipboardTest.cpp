#include "framework/CClipboard.h"

#include "ImportPatch.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

HANDLE WINAPI RefuseClipboardData(UINT, HANDLE)
{
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
}

class ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = CreateWindowA("STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        other = CreateWindowA("STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, window);
        clipboard.owner = window;
    }
    void TearDown() override
    {
        DestroyWindow(window);
        DestroyWindow(other);
    }
    // The clipboard's text and the size of its block.
    std::string ReadText(SIZE_T* blockSize)
    {
        std::string text = "<none>";
        if (!OpenClipboard(other))
            return text;
        HANDLE block = GetClipboardData(CF_TEXT);
        if (block) {
            *blockSize = GlobalSize(block);
            text = static_cast<const char*>(GlobalLock(block));
            GlobalUnlock(block);
        }
        CloseClipboard();
        return text;
    }

    HWND window = nullptr;
    HWND other = nullptr;
    CClipboard clipboard;
};

}

TEST_F(ClipboardTest, PutsTextWithItsZeroByte)
{
    ASSERT_EQ(0, clipboard.SetText("ツリー\r\n  項目"));
    SIZE_T size = 0;
    EXPECT_EQ("ツリー\r\n  項目", ReadText(&size));
    EXPECT_GE(size, std::string("ツリー\r\n  項目").size() + 1);
}

TEST_F(ClipboardTest, AnEmptyTextIsOneZeroByte)
{
    ASSERT_EQ(0, clipboard.SetText("previous"));
    ASSERT_EQ(0, clipboard.SetText(""));
    SIZE_T size = 0;
    EXPECT_EQ("", ReadText(&size));
    EXPECT_GE(size, 1u);
}

TEST_F(ClipboardTest, AClipboardHeldByAnotherWindowGivesMinusThree)
{
    ASSERT_EQ(0, clipboard.SetText("kept"));
    ASSERT_TRUE(OpenClipboard(other));
    EXPECT_EQ(-3, clipboard.SetText("lost"));
    CloseClipboard();
    SIZE_T size = 0;
    EXPECT_EQ("kept", ReadText(&size));
}

TEST_F(ClipboardTest, TextThatTheClipboardRefusesGivesMinusFourAndLeavesItEmpty)
{
    ASSERT_EQ(0, clipboard.SetText("previous"));
    {
        ImportPatch refuse("user32.dll", "SetClipboardData",
                           reinterpret_cast<const void*>(&RefuseClipboardData));
        ASSERT_NE(nullptr, refuse.slot);
        EXPECT_EQ(-4, clipboard.SetText("refused"));
    }
    SIZE_T size = 0;
    EXPECT_EQ("<none>", ReadText(&size));
    EXPECT_EQ(0, clipboard.SetText("taken"));
    EXPECT_EQ("taken", ReadText(&size));
}
