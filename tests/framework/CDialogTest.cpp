#include "WindowTestSupport.h"
#include "framework/CDialog.h"
#include "framework/CEditBox.h"
#include "framework/CListView.h"

#include <gtest/gtest.h>

using namespace wintest;

namespace {

constexpr UINT_PTR kTimer = 77;

// The test dialog: binds its items at WM_INITDIALOG and ends itself there, from a timer, or not
// at all (modeless).
class CTestDialog : public CDialog {
public:
    enum class End { AtInit, ByTimer, Never };

    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        messages.push_back(message);
        switch (message) {
        case WM_INITDIALOG: return OnInitDialog(hwnd);
        case WM_TIMER: return OnTimer();
        }
        return CDialog::WindowProc(hwnd, message, wParam, lParam);
    }

    End end = End::AtInit;
    INT_PTR result = 0;
    std::vector<UINT> messages;
    bool boundAtInit = false;
    bool itemAttached = false;
    bool missingAttached = true;
    std::string editText;
    HWND ownerAtTimer = nullptr;
    bool ownerEnabledAtTimer = true;
    CEditBox edit;
    CEditBox missing;
    CListView list;

private:
    LRESULT OnInitDialog(HWND hwnd)
    {
        boundAtInit = window == hwnd && GetPropA(hwnd, "CPP_CLASS") == this;
        itemAttached = edit.AttachDlgItem(hwnd, kEditId) && list.AttachDlgItem(hwnd, kListId);
        missingAttached = missing.AttachDlgItem(hwnd, 4242);
        edit.SetText("initial");
        if (end == End::AtInit)
            EndDialog(result);
        else if (end == End::ByTimer)
            SetTimer(hwnd, kTimer, 10, nullptr);
        return TRUE;
    }

    LRESULT OnTimer()
    {
        KillTimer(window, kTimer);
        editText = edit.GetText();
        ownerAtTimer = GetWindow(window, GW_OWNER);
        ownerEnabledAtTimer = ownerAtTimer && IsWindowEnabled(ownerAtTimer);
        EndDialog(result);
        return TRUE;
    }
};

TEST(Dialog, DoModalBindsAtInitDialogAndReturnsTheEndResult)
{
    InitCommonControls();
    CTestDialog dialog;
    dialog.result = 42;
    EXPECT_EQ(42, dialog.DoModal(nullptr, kDialog));
    EXPECT_TRUE(dialog.boundAtInit);
    ASSERT_FALSE(dialog.messages.empty());
    // The dialog's WM_SETFONT comes before WM_INITDIALOG and takes the fallback.
    EXPECT_EQ(static_cast<UINT>(WM_INITDIALOG), dialog.messages.front());
    EXPECT_EQ(nullptr, dialog.window);
    EXPECT_EQ(nullptr, dialog.edit.window);
}

TEST(Dialog, ModalLoopRunsUntilTheDialogEndsItself)
{
    CTestDialog dialog;
    dialog.end = CTestDialog::End::ByTimer;
    dialog.result = 7;
    CRecordingWindow owner;
    ASSERT_TRUE(CreateTopLevel(owner));
    EXPECT_EQ(7, dialog.DoModal(owner.window, kDialog));
    EXPECT_EQ("initial", dialog.editText);
    EXPECT_TRUE(dialog.itemAttached);
    // The owner is disabled while the dialog runs and enabled again afterwards.
    EXPECT_EQ(owner.window, dialog.ownerAtTimer);
    EXPECT_FALSE(dialog.ownerEnabledAtTimer);
    EXPECT_TRUE(IsWindowEnabled(owner.window));
    owner.Destroy();
}

TEST(Dialog, DoModalOfAMissingTemplateGivesMinusOne)
{
    CTestDialog dialog;
    EXPECT_EQ(-1, dialog.DoModal(nullptr, 9999));
    EXPECT_TRUE(dialog.messages.empty());
}

TEST(Dialog, CreateModelessReturnsABoundDialog)
{
    InitCommonControls();
    CTestDialog dialog;
    dialog.end = CTestDialog::End::Never;
    HWND made = dialog.CreateModeless(nullptr, kDialog);
    ASSERT_NE(nullptr, made);
    EXPECT_EQ(made, dialog.window);
    EXPECT_TRUE(dialog.isDialog);
    EXPECT_EQ(nullptr, dialog.previousProc);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&StaticWindowProc), GetWindowLongPtrA(made, DWLP_DLGPROC));
    EXPECT_TRUE(dialog.boundAtInit);

    // Items: subclassed, their own procedures kept.
    EXPECT_TRUE(dialog.itemAttached);
    EXPECT_NE(nullptr, dialog.edit.previousProc);
    EXPECT_FALSE(dialog.edit.isDialog);
    EXPECT_EQ("initial", WindowText(GetDlgItem(made, kEditId)));
    EXPECT_EQ(0, dialog.list.InsertColumn("c", 50, 0, LVCFMT_LEFT));

    // A missing item: false, unbound, SetText refused.
    EXPECT_FALSE(dialog.missingAttached);
    EXPECT_EQ(nullptr, dialog.missing.window);
    EXPECT_EQ(0, dialog.missing.SetText("x"));

    // An unhandled message gets the dialog manager's default (0 = not handled by the procedure).
    EXPECT_EQ(0, dialog.WindowProc(made, WM_USER + 5, 0, 0));

    DestroyWindow(made);
    EXPECT_EQ(nullptr, dialog.window);
    EXPECT_EQ(nullptr, dialog.edit.window);
    EXPECT_EQ(nullptr, dialog.list.window);
    EXPECT_EQ(static_cast<UINT>(WM_DESTROY), dialog.messages.back());
}

TEST(Dialog, CreateModelessOfAMissingTemplateGivesNull)
{
    CTestDialog dialog;
    EXPECT_EQ(nullptr, dialog.CreateModeless(nullptr, 9999));
    EXPECT_EQ(nullptr, dialog.window);
}

TEST(Dialog, AttachDlgItemOfANullDialogFails)
{
    CEditBox edit;
    EXPECT_FALSE(edit.AttachDlgItem(nullptr, kEditId));
    EXPECT_EQ(nullptr, edit.window);
}

TEST(Dialog, MessageBeforeInitDialogGivesZero)
{
    // A dialog window that no object claims: StaticWindowProc answers 0 for it.
    HWND made = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kDialog), nullptr,
                                   &StaticWindowProc, 0);
    ASSERT_NE(nullptr, made);
    EXPECT_EQ(nullptr, GetPropA(made, "CPP_CLASS"));
    EXPECT_EQ(0, StaticWindowProc(made, WM_GETDLGCODE, 0, 0));
    EXPECT_EQ(0, StaticWindowProc(made, WM_USER + 1, 0, 0));
    DestroyWindow(made);
}

TEST(Dialog, EndDialogOfAnUnboundObjectFails)
{
    CTestDialog dialog;
    EXPECT_FALSE(dialog.EndDialog(1));
}

}
