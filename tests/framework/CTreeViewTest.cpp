#include "WindowTestSupport.h"
#include "framework/CTreeView.h"

#include <gtest/gtest.h>

using namespace wintest;

namespace {

class TreeView : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateTopLevel(parent));
        ASSERT_TRUE(
            tree.Create(WC_TREEVIEWA, "",
                        WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                        WS_EX_CLIENTEDGE, 0, 0, 300, 200, parent.window, 101));
    }
    void TearDown() override { parent.Destroy(); }

    CRecordingWindow parent;
    CTreeView tree;
};

TEST_F(TreeView, ItemsAreWalkedSelectedAndReadBack)
{
    HTREEITEM root = tree.InsertItem("GameSettings", TVI_ROOT, TVI_LAST, 0, 1, 11);
    ASSERT_NE(nullptr, root);
    HTREEITEM child = tree.InsertItem("Player", root, TVI_LAST, 2, -1, 22);
    HTREEITEM first = tree.InsertItem("Map", root, TVI_FIRST, 3, 4, 33);
    ASSERT_NE(nullptr, child);
    EXPECT_EQ(root, tree.GetRoot());
    EXPECT_EQ(first, tree.GetChild(root));
    EXPECT_EQ(root, tree.GetParentItem(child));
    EXPECT_TRUE(tree.Expand(root, TVE_EXPAND));
    EXPECT_TRUE(tree.SelectItem(child, TVGN_CARET));
    tree.EnsureVisible(child);
    EXPECT_EQ(child, tree.GetSelection());

    std::string text;
    TVITEMA record = {};
    record.pszText = reinterpret_cast<char*>(1);
    ASSERT_TRUE(tree.GetSelectedItem(text, &record));
    EXPECT_EQ("Player", text);
    EXPECT_EQ(child, record.hItem);
    EXPECT_EQ(22, record.lParam);
    EXPECT_EQ(2, record.iImage);
    EXPECT_EQ(2, record.iSelectedImage); // -1 means the unselected image
    EXPECT_EQ(nullptr, record.pszText);

    ASSERT_TRUE(tree.GetItem(root, text, &record));
    EXPECT_EQ("GameSettings", text);
    EXPECT_EQ(1, record.iSelectedImage);
    EXPECT_EQ(1, record.cChildren);

    EXPECT_TRUE(tree.DeleteItem(first));
    EXPECT_EQ(child, tree.GetChild(root));
    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(nullptr, tree.GetRoot());
}

// An item inserted expanded, with redrawing off as a fill does, ends in the state that
// TVM_EXPAND after its children gives, shows the children inserted below it later, and costs its
// parent window no expansion notifications.
TEST_F(TreeView, AnItemInsertedExpandedShowsItsLaterChildren)
{
    tree.SendMsg(WM_SETREDRAW, FALSE, 0);
    HTREEITEM expanded = tree.InsertItem("Player", TVI_ROOT, TVI_LAST, 1, 2, 0,
                                         TVIS_EXPANDED | TVIS_EXPANDEDONCE);
    HTREEITEM child = tree.InsertItem("id：3", expanded, TVI_LAST, 6, 6, 0);
    HTREEITEM plain = tree.InsertItem("Map", TVI_ROOT, TVI_LAST, 1, 2, 0);
    HTREEITEM hidden = tree.InsertItem("Highland", plain, TVI_LAST, 5, 5, 0);
    tree.SendMsg(WM_SETREDRAW, TRUE, 0);
    EXPECT_FALSE(parent.Saw(WM_NOTIFY));

    EXPECT_EQ(child, TreeView_GetNextVisible(tree.window, expanded));
    EXPECT_EQ(plain, TreeView_GetNextVisible(tree.window, child));
    EXPECT_EQ(nullptr, TreeView_GetNextVisible(tree.window, plain));
    UINT inserted = TreeView_GetItemState(tree.window, expanded, 0xFF);
    EXPECT_EQ(0u, TreeView_GetItemState(tree.window, plain, 0xFF));
    EXPECT_EQ(0u, TreeView_GetItemState(tree.window, hidden, 0xFF));

    ASSERT_TRUE(tree.Expand(plain, TVE_EXPAND));
    EXPECT_EQ(TreeView_GetItemState(tree.window, plain, 0xFF), inserted);
}

TEST_F(TreeView, TextsComeBackCutAt255Characters)
{
    std::string longText(300, 'x');
    longText[254] = 'y';
    HTREEITEM item = tree.InsertItem(longText, TVI_ROOT, TVI_LAST, 0, 0, 0);
    std::string text;
    ASSERT_TRUE(tree.GetItem(item, text));
    EXPECT_EQ(longText.substr(0, 255), text);
    HTREEITEM japanese = tree.InsertItem("プレイヤー", TVI_ROOT, TVI_LAST, 0, 0, 0);
    ASSERT_TRUE(tree.GetItem(japanese, text));
    EXPECT_EQ("プレイヤー", text);
}

TEST_F(TreeView, JapaneseTextsComeBackCutOnAWholeCharacter)
{
    std::string japanese;
    for (int i = 0; i < 130; ++i)
        japanese += "あ";
    HTREEITEM item = tree.InsertItem("x" + japanese, TVI_ROOT, TVI_LAST, 0, 0, 0);
    std::string text;
    ASSERT_TRUE(tree.GetItem(item, text));
    EXPECT_EQ("x" + japanese.substr(0, 254), text);
    item = tree.InsertItem(japanese, TVI_ROOT, TVI_LAST, 0, 0, 0);
    ASSERT_TRUE(tree.GetItem(item, text));
    EXPECT_EQ(japanese.substr(0, 254), text);
}

TEST_F(TreeView, NothingSelectedGivesFalseAndLeavesTheOutput)
{
    tree.InsertItem("a", TVI_ROOT, TVI_LAST, 0, 0, 0);
    std::string text = "kept";
    EXPECT_FALSE(tree.GetSelectedItem(text));
    EXPECT_EQ("kept", text);
    CTreeView unbound;
    EXPECT_FALSE(unbound.GetSelectedItem(text));
    EXPECT_EQ(nullptr, unbound.InsertItem("a", TVI_ROOT, TVI_LAST, 0, 0, 0));
}

TEST_F(TreeView, ImageListIsTheNormalList)
{
    EXPECT_FALSE(tree.SetImageList(kBitmap, 16, 16, 7, RGB(255, 0, 0)));
    EXPECT_EQ(reinterpret_cast<LRESULT>(tree.images.handle),
              tree.SendMsg(TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
    EXPECT_EQ(3, ImageList_GetImageCount(tree.images.handle));
    EXPECT_TRUE(tree.SetImageList(kBitmap, 16, 16, 7, RGB(255, 0, 0)));
}

// A wrapper that ends before its control takes its list back from it.
TEST_F(TreeView, EndingWrapperTakesItsListFromTheControl)
{
    HWND control = nullptr;
    {
        CTreeView scoped;
        ASSERT_TRUE(
            scoped.Create(WC_TREEVIEWA, "", WS_CHILD, 0, 0, 0, 100, 100, parent.window, 102));
        scoped.SetImageList(kBitmap, 16, 16, 7, RGB(255, 0, 0));
        control = scoped.window;
    }
    EXPECT_EQ(0, SendMessageA(control, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
}

}
