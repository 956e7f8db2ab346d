// The record tree: one record's settings, element by element, in the right pane.
#include "ui/CMainWnd.h"

#include "framework/CClipboard.h"
#include "framework/Messages.h"
#include "framework/StringUtil.h"
#include "options/FailureText.h"
#include "options/RecordDocuments.h"
#include "resources/resource.h"
#include "sprig/Document.h"

#include <exception>
#include <memory>
#include <utility>
#include <vector>

namespace {

// Images of the tree's bitmap strip.
const int kElementImage = 1;
const int kOpenElementImage = 2;
const int kTextImage = 5;
const int kAttributeImage = 6;

}

void CMainWnd::ShowRecordInTree(int row)
{
    CRecord* record = RecordOfRow(row);
    if (!record)
        return;
    // Under Wine a visible tree lays itself out again and repaints at every item deleted, and at
    // every item inserted below an expanded one: a fill of a hundred items would take seconds.
    // The tree shows the whole fill at once instead.
    tree.SendMsg(WM_SETREDRAW, FALSE, 0);
    tree.DeleteAllItems();
    treeRecord = static_cast<int32_t>(list.GetItemParam(row));
    TreeFill fill;
    std::string failure;
    try {
        // A record that cannot be decoded tells its own failure (the file is gone, or what the
        // decoding met), as the command line does, not that its empty text has no root.
        std::unique_ptr<Sprig::Document> document = ParseSettings(*record);
        const Sprig::Element* root = document->GetRootElement();
        AddTreeItem(fill, root->GetQualifiedName(), TreeFill::kTopLevel, kElementImage,
                    kOpenElementImage);
        FillTreeLevel(fill, 0, root->Children(), record->formatVersion);
        fill.items[0].expand = true;
    } catch (const std::exception& error) {
        failure = FailureText(error);
    }
    // A fill that failed keeps the items laid out before the failure, expanded as far as the
    // walk had come.
    InsertTreeItems(fill);
    if (failure.empty()) {
        tree.EnsureVisible(fill.items[0].handle);
        tree.SelectItem(fill.items[0].handle, TVGN_CARET);
    } else {
        ShowTreeFailure(failure);
    }
    std::string cuts = fill.CutsText();
    if (!cuts.empty())
        ShowTreeFailure(cuts);
    tree.SendMsg(WM_SETREDRAW, TRUE, 0);
    InvalidateRect(tree.window, nullptr, TRUE);
}

// Walks the nodes level by level without recursion, so that the depth of a settings text never
// decides the depth of the stack, and lays out the items of a walk that handles each child in
// turn: under an element's item its text, then its attributes, then its child elements; with
// auto expand an item is expanded once a child is shown below it.
void CMainWnd::FillTreeLevel(TreeFill& fill, size_t parent,
                             const std::vector<Sprig::Node*>& nodes, const std::string& version)
{
    const bool autoExpand = mainMenu.IsChecked(ID_TREE_AUTO_EXPAND);
    const bool showAll = mainMenu.IsChecked(ID_TREE_SHOW_ALL);
    struct Level {
        size_t parent;
        const std::vector<Sprig::Node*>* nodes;
        size_t next;
    };
    auto expand = [&](const Level& level) {
        if (autoExpand)
            fill.items[level.parent].expand = true;
    };
    // The parent item lies at depth 1, so the items of a level lie one deeper than the count of
    // levels, and an element's text item one deeper still.
    std::vector<Level> levels{{parent, &nodes, 0}};
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next == level.nodes->size() || fill.full) {
            levels.pop_back();
            // An element's turn in its parent's level ends with its subtree.
            if (!levels.empty())
                expand(levels.back());
            continue;
        }
        const Sprig::Node* node = (*level.nodes)[level.next++];
        size_t levelParent = level.parent;
        if (node->GetType() == Sprig::ElementNode) {
            auto element = dynamic_cast<const Sprig::Element*>(node);
            std::string name = element->GetQualifiedName();
            std::string text = element->GetText();
            if (!data.option.Translate(name, text, version) && !showAll)
                continue;
            if (levels.size() + 2 > static_cast<size_t>(kTreeDepthLimit)) {
                fill.tooDeep = true;
                continue;
            }
            if (!AddTreeItem(fill, std::move(name), levelParent, kElementImage,
                             kOpenElementImage))
                continue;
            size_t item = fill.items.size() - 1;
            if (!text.empty())
                AddTreeItem(fill, std::move(text), item, kTextImage, kTextImage);
            levels.push_back({item, &element->Children(), 0});
            continue;
        }
        if (node->GetType() == Sprig::AttributeNode) {
            if (!showAll)
                continue;
            auto attribute = dynamic_cast<const Sprig::Attribute*>(node);
            AddTreeItem(fill, attribute->GetQualifiedName() + "：" + attribute->GetValue(),
                        levelParent, kAttributeImage, kAttributeImage);
        }
        expand(level);
    }
}

// Lays out an item at the end of parent's items, its text cut to the display limit; false once
// the tree holds as many items as it may.
bool CMainWnd::AddTreeItem(TreeFill& fill, std::string text, size_t parent, int image,
                           int selectedImage)
{
    if (fill.items.size() >= static_cast<size_t>(kTreeItemLimit)) {
        fill.full = true;
        return false;
    }
    if (text.size() > kTreeTextLimit) {
        fill.textCut = true;
        text.resize(WholeCharacters(text, kTreeTextLimit));
    }
    fill.items.push_back({std::move(text), parent, image, selectedImage, false, false, nullptr});
    if (parent != TreeFill::kTopLevel)
        fill.items[parent].hasChildren = true;
    return true;
}

// Inserts the laid-out items in their order. An item to expand is inserted expanded, in the
// state a TVM_EXPAND after its children would give it: under Wine every TVM_EXPAND walks the
// tree and sends two notifications. An item whose parent the tree refused is left out.
void CMainWnd::InsertTreeItems(TreeFill& fill)
{
    for (TreeFill::Item& item : fill.items) {
        HTREEITEM parent = TVI_ROOT;
        if (item.parent != TreeFill::kTopLevel) {
            parent = fill.items[item.parent].handle;
            if (!parent)
                continue;
        }
        UINT state = 0;
        if (item.expand && item.hasChildren)
            state = TVIS_EXPANDED | TVIS_EXPANDEDONCE;
        item.handle = tree.InsertItem(item.text, parent, TVI_LAST, item.image,
                                      item.selectedImage, 0, state);
    }
}

std::string CMainWnd::TreeFill::CutsText() const
{
    std::string text;
    if (tooDeep)
        text += "\n" + FormatInt(kTreeDepthLimit, "%ld") + " 階層より深い項目は表示していません。";
    if (full)
        text += "\n" + FormatInt(kTreeItemLimit, "%ld") + " 個を超える項目は表示していません。";
    if (textCut)
        text += "\n" + FormatInt(kTreeTextLimit, "%ld") +
                " バイトを超えるテキストは先頭だけを表示しています。";
    if (text.empty())
        return text;
    return "設定が大きすぎるため、ツリーには一部だけを表示しています。" + text;
}

void CMainWnd::ShowTreeFailure(const std::string& text)
{
    // The box must not wait behind a tree that paints nothing.
    tree.SendMsg(WM_SETREDRAW, TRUE, 0);
    ShowError(window, text);
}

void CMainWnd::CopyTreeItemText()
{
    std::string text;
    if (!tree.GetSelectedItem(text))
        return;
    // A clipboard emptied without an owner refuses data on Windows: the main window owns it.
    CClipboard clipboard;
    clipboard.owner = window;
    clipboard.SetText(text);
}
