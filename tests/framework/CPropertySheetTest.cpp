#include "framework/CPropertySheet.h"

#include "DialogVisitor.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A page that records its calls; its Apply answer is chosen by the test.
class RecordingPage : public CPropertyPage {
public:
    RecordingPage() : CPropertyPage(GetModuleHandleA(nullptr), wintest::kPage) {}
    int OnInitDialog() override
    {
        calls.push_back("init");
        return 0;
    }
    int OnApply() override
    {
        calls.push_back("apply");
        return applyResult;
    }
    void OnReset() override { calls.push_back("reset"); }

    std::vector<std::string> calls;
    int applyResult = 1;
};

std::string WindowCaption(HWND window)
{
    char text[64] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

}

TEST(PropertySheetLayer, WithoutPagesDoModalGivesMinusOne)
{
    CPropertySheet sheet(GetModuleHandleA(nullptr), wintest::kSheetCaption, nullptr);
    EXPECT_EQ(-1, sheet.DoModal());
}

TEST(PropertySheetLayer, APageIsAddedOnce)
{
    CPropertySheet sheet(GetModuleHandleA(nullptr), wintest::kSheetCaption, nullptr);
    RecordingPage first;
    RecordingPage second;
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    sheet.AddPage(&first);
    EXPECT_EQ((std::vector<CPropertyPage*>{&first, &second}), sheet.pages);
    // 64-bit records: a PROPSHEETPAGEA of 32-bit size would open a sheet without pages.
    EXPECT_EQ(sizeof(PROPSHEETPAGEA), first.page.dwSize);
    EXPECT_EQ(sizeof(PROPSHEETHEADERA), sheet.header.dwSize);
}

TEST(PropertySheetLayer, APageThatRefusesApplyKeepsTheSheetOpen)
{
    wintest::RegisterClasses();
    CPropertySheet sheet(GetModuleHandleA(nullptr), wintest::kSheetCaption, nullptr);
    RecordingPage page;
    page.applyResult = 0;
    sheet.AddPage(&page);
    HWND seenPage = nullptr;
    HWND seenSheet = nullptr;
    bool openAfterRefusal = false;
    std::string caption;
    DialogVisitor visitor("Test sheet", [&](HWND window) {
        caption = WindowCaption(window);
        seenPage = PropSheet_GetCurrentPageHwnd(window);
        seenSheet = window;
        PropSheet_PressButton(window, PSBTN_OK);
        openAfterRefusal = IsWindow(window) && IsWindowVisible(window);
        PropSheet_PressButton(window, PSBTN_CANCEL);
    });
    sheet.DoModal();
    ASSERT_EQ(1, visitor.visits);
    EXPECT_EQ("Test sheet", caption);
    EXPECT_EQ(seenPage, page.pageWindow);
    EXPECT_EQ(seenSheet, page.sheetWindow);
    EXPECT_TRUE(openAfterRefusal);
    ASSERT_LE(2u, page.calls.size());
    EXPECT_EQ("init", page.calls[0]);
    EXPECT_EQ("apply", page.calls[1]);
}

TEST(PropertySheetLayer, CancelResetsThePages)
{
    wintest::RegisterClasses();
    CPropertySheet sheet(GetModuleHandleA(nullptr), wintest::kSheetCaption, nullptr);
    RecordingPage page;
    sheet.AddPage(&page);
    DialogVisitor visitor("Test sheet", [](HWND window) { PropSheet_PressButton(window, PSBTN_CANCEL); });
    sheet.DoModal();
    ASSERT_EQ(1, visitor.visits);
    EXPECT_EQ((std::vector<std::string>{"init", "reset"}), page.calls);
    EXPECT_EQ(nullptr, FindWindowA(nullptr, "Test sheet"));
}
