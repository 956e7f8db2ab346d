#include "WindowTestSupport.h"
#include "framework/CListView.h"

#include <gtest/gtest.h>

#include <vector>

using namespace wintest;

namespace {

// A list view that records the messages that reach its control.
class CRecordingListView : public CListView {
public:
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        messages.push_back(message);
        return CListView::WindowProc(hwnd, message, wParam, lParam);
    }
    bool Saw(UINT message) const
    {
        return std::find(messages.begin(), messages.end(), message) != messages.end();
    }
    std::vector<UINT> messages;
};

class ListView : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateTopLevel(parent));
        ASSERT_TRUE(list.Create(WC_LISTVIEWA, "",
                                WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS,
                                WS_EX_CLIENTEDGE, 0, 0, 300, 200, parent.window, 100));
        list.InsertColumn("name", 100, 0, LVCFMT_LEFT);
    }
    void TearDown() override { parent.Destroy(); }

    void AddRows(int count)
    {
        for (int row = 0; row < count; ++row)
            ASSERT_EQ(row, list.InsertItem("row" + std::to_string(row), row, 0, -1, 1000 + row));
    }

    bool IsSelected(int row) { return list.SendMsg(LVM_GETITEMSTATE, row, LVIS_SELECTED) != 0; }

    CRecordingWindow parent;
    CRecordingListView list;
};

TEST_F(ListView, InsertColumnCountsWhatTheControlAccepts)
{
    EXPECT_EQ(1, list.columnCount);
    EXPECT_EQ(1, list.InsertColumn("date", 80, 1, LVCFMT_LEFT));
    EXPECT_EQ(2, list.InsertColumn("kind", 60, 2, LVCFMT_RIGHT));
    EXPECT_EQ(3, list.columnCount);
    HWND header = reinterpret_cast<HWND>(list.SendMsg(LVM_GETHEADER, 0, 0));
    EXPECT_EQ(3, static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)));
    LVCOLUMNA column = {};
    char text[32] = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    column.pszText = text;
    column.cchTextMax = sizeof(text);
    ASSERT_TRUE(list.SendMsg(LVM_GETCOLUMNA, 2, reinterpret_cast<LPARAM>(&column)));
    EXPECT_STREQ("kind", text);
    EXPECT_EQ(60, column.cx);
    EXPECT_EQ(LVCFMT_RIGHT, column.fmt & LVCFMT_JUSTIFYMASK);
    EXPECT_EQ(2, column.iSubItem);

    // A column number the control refuses leaves the count alone.
    EXPECT_EQ(-1, list.InsertColumn("bad", 10, -1, LVCFMT_LEFT));
    EXPECT_EQ(3, list.columnCount);
}

// A deleted column takes its texts with it; the columns after it move up.
TEST_F(ListView, DeleteColumnCountsWhatTheControlRemoves)
{
    list.InsertColumn("date", 80, 1, LVCFMT_LEFT);
    list.InsertColumn("kind", 60, 2, LVCFMT_LEFT);
    AddRows(1);
    list.SetItemText("2003", 0, 1);
    list.SetItemText("rec", 0, 2);
    EXPECT_TRUE(list.DeleteColumn(1));
    EXPECT_EQ(2, list.columnCount);
    std::string text;
    list.GetItemText(0, 1, text);
    EXPECT_EQ("rec", text);
    EXPECT_EQ(60, list.GetColumnWidth(1));
    EXPECT_FALSE(list.DeleteColumn(5));
    EXPECT_EQ(2, list.columnCount);
    CListView unbound;
    EXPECT_FALSE(unbound.DeleteColumn(0));
    EXPECT_EQ(0, unbound.columnCount);
}

TEST_F(ListView, ColumnWidthsAreSetAndRead)
{
    EXPECT_EQ(100, list.GetColumnWidth(0));
    EXPECT_TRUE(list.SetColumnWidth(0, 200));
    EXPECT_EQ(200, list.GetColumnWidth(0));
    EXPECT_EQ(0, list.GetColumnWidth(3));
}

TEST_F(ListView, UnboundListReportsNothingAndCountsNothing)
{
    CListView unbound;
    EXPECT_EQ(-1, unbound.InsertColumn("x", 10, 0, LVCFMT_LEFT));
    EXPECT_EQ(0, unbound.columnCount);
    EXPECT_EQ(-1, unbound.InsertItem("x", 0, 0, -1, 1));
    EXPECT_EQ(-1, unbound.GetFirstSelected());
    EXPECT_EQ(0, unbound.GetSelectedCount());
    EXPECT_EQ(0, unbound.GetItemCount());
    EXPECT_FALSE(unbound.SelectItem(-1));
    EXPECT_EQ(0, unbound.GetItemParam(0));
}

// The walk over the selected rows that the commands make, in list order.
TEST_F(ListView, GetNextSelectedWalksTheSelectedRowsInOrder)
{
    AddRows(5);
    for (int row : {3, 1, 4})
        list.SelectItem(row);
    std::vector<int> rows;
    for (int row = list.GetFirstSelected(); row != -1; row = list.GetNextSelected(row))
        rows.push_back(row);
    EXPECT_EQ((std::vector<int>{1, 3, 4}), rows);
    EXPECT_EQ(3, list.GetNextSelected(1));
    EXPECT_EQ(-1, list.GetNextSelected(4));
    EXPECT_EQ(3, list.GetSelectedCount());
    CListView unbound;
    EXPECT_EQ(-1, unbound.GetNextSelected(-1));
}

TEST_F(ListView, SelectItemOfMinusOneSelectsEveryRow)
{
    AddRows(4);
    EXPECT_EQ(-1, list.GetFirstSelected());
    EXPECT_EQ(0, list.GetSelectedCount());
    list.SendMsg(LVM_SETSELECTIONMARK, 0, 2);
    ASSERT_TRUE(list.SelectItem(-1));
    EXPECT_EQ(4, list.GetSelectedCount());
    EXPECT_EQ(0, list.GetFirstSelected());
}

TEST_F(ListView, SelectItemSelectsOneRowAndClearsItsFocus)
{
    AddRows(3);
    LVITEMA focus = {};
    focus.state = LVIS_FOCUSED | LVIS_CUT;
    focus.stateMask = LVIS_FOCUSED | LVIS_CUT;
    list.SendMsg(LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&focus));
    ASSERT_TRUE(list.SelectItem(1));
    EXPECT_EQ(1, list.GetFirstSelected());
    EXPECT_EQ(1, list.GetSelectedCount());
    UINT state = static_cast<UINT>(
        list.SendMsg(LVM_GETITEMSTATE, 1, LVIS_FOCUSED | LVIS_CUT | LVIS_SELECTED));
    EXPECT_EQ(static_cast<UINT>(LVIS_SELECTED), state);
    // Selecting another row adds to the selection.
    ASSERT_TRUE(list.SelectItem(2));
    EXPECT_EQ(2, list.GetSelectedCount());
}

struct RowCase {
    const char* name;
    int row; // relative: kRowCount stands for the row count
};
constexpr int kRowCount = 1000;

std::ostream& operator<<(std::ostream& out, const RowCase& c)
{
    return out << c.name;
}

class ListViewRowGuard : public ListView, public ::testing::WithParamInterface<RowCase> {
protected:
    int Row() const { return GetParam().row == kRowCount ? 3 : GetParam().row; }
};

TEST_P(ListViewRowGuard, SelectItemOutsideTheListChangesNothing)
{
    AddRows(3);
    ASSERT_TRUE(list.SelectItem(0));
    list.messages.clear();
    EXPECT_FALSE(list.SelectItem(Row()));
    EXPECT_FALSE(list.Saw(LVM_SETITEMSTATE));
    EXPECT_EQ(1, list.GetSelectedCount());
}

TEST_P(ListViewRowGuard, GetItemParamOutsideTheListIsZeroWithoutAMessage)
{
    AddRows(3);
    list.messages.clear();
    EXPECT_EQ(0, list.GetItemParam(Row()));
    EXPECT_FALSE(list.Saw(LVM_GETITEMA));
    EXPECT_FALSE(list.Saw(LVM_GETITEMW));
}

INSTANTIATE_TEST_SUITE_P(Rows, ListViewRowGuard,
                         ::testing::Values(RowCase{"RowCount", kRowCount},
                                           RowCase{"PastTheEnd", 50}, RowCase{"MinusTwo", -2}),
                         [](const ::testing::TestParamInfo<RowCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(ListView, GetItemParamOfMinusOneIsZero)
{
    AddRows(2);
    EXPECT_EQ(0, list.GetItemParam(-1));
    EXPECT_EQ(1000, list.GetItemParam(0));
    EXPECT_EQ(1001, list.GetItemParam(1));
}

TEST_F(ListView, JapaneseTextsComeBackCutOnAWholeCharacter)
{
    AddRows(1);
    std::string japanese;
    for (int i = 0; i < 130; ++i)
        japanese += "あ";
    std::string out;
    ASSERT_TRUE(list.SetItemText(japanese, 0, 0));
    list.GetItemText(0, 0, out);
    EXPECT_EQ(japanese.substr(0, 254), out);
    ASSERT_TRUE(list.SetItemText("x" + japanese, 0, 0));
    list.GetItemText(0, 0, out);
    EXPECT_EQ("x" + japanese.substr(0, 254), out);
}

TEST_F(ListView, TextsComeBackCutAt255Characters)
{
    AddRows(1);
    std::string longText(300, 'a');
    longText[254] = 'b';
    longText[255] = 'c';
    ASSERT_TRUE(list.SetItemText(longText, 0, 0));
    std::string out;
    list.GetItemText(0, 0, out);
    EXPECT_EQ(longText.substr(0, 255), out);
    out = "kept";
    list.GetItemText(0, -1, out);
    list.GetItemText(-1, 0, out);
    EXPECT_EQ("kept", out);
    ASSERT_EQ(1, list.InsertColumn("second", 50, 1, LVCFMT_LEFT));
    ASSERT_TRUE(list.SetItemText("日本語", 0, 1));
    list.GetItemText(0, 1, out);
    EXPECT_EQ("日本語", out);
}

TEST_F(ListView, InsertItemWithAnImage)
{
    ASSERT_EQ(0, list.InsertItem("a", 0, 0, 2, 5));
    ASSERT_EQ(0, list.InsertItem("b", 0, 0, -1, 6)); // inserted in front
    LVITEMA item = {};
    item.mask = LVIF_IMAGE | LVIF_PARAM;
    item.iItem = 1;
    ASSERT_TRUE(list.SendMsg(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(2, item.iImage);
    EXPECT_EQ(5, item.lParam);
    EXPECT_EQ(2, list.GetItemCount());
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(0, list.GetItemCount());
}

TEST_F(ListView, MergeExtendedStyleKeepsTheBitsThatWereSet)
{
    list.SendMsg(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES);
    list.MergeExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT);
    EXPECT_EQ(static_cast<DWORD>(0x31 | LVS_EX_CHECKBOXES), list.GetExtendedStyle());
}

TEST_F(ListView, ImageListFromTheResourcesStaysTheWrappers)
{
    EXPECT_FALSE(list.SetImageList(kBitmap, 16, 16, 3, RGB(255, 0, 255)));
    ASSERT_NE(nullptr, list.images.handle);
    EXPECT_EQ(3, ImageList_GetImageCount(list.images.handle));
    EXPECT_EQ(reinterpret_cast<LRESULT>(list.images.handle),
              list.SendMsg(LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    EXPECT_TRUE(list.SetImageList(kBitmap, 16, 16, 3, RGB(255, 0, 255)));
    EXPECT_EQ(3, ImageList_GetImageCount(list.images.handle));

    // The control (without LVS_SHAREIMAGELISTS) would destroy its lists with itself.
    DestroyWindow(list.window);
    EXPECT_EQ(nullptr, list.window);
    EXPECT_EQ(3, ImageList_GetImageCount(list.images.handle));
}

TEST_F(ListView, MissingBitmapGivesAnEmptyList)
{
    EXPECT_FALSE(list.SetImageList(9999, 16, 16, 3, RGB(255, 0, 255)));
    ASSERT_NE(nullptr, list.images.handle);
    EXPECT_EQ(0, ImageList_GetImageCount(list.images.handle));
}

}
