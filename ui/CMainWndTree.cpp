// The record tree: one record's settings, element by element, in the right pane.
#include "ui/CMainWnd.h"

#include "framework/CClipboard.h"
#include "framework/Messages.h"
#include "framework/StringUtil.h"
#include "resources/resource.h"
#include "sprig/DOM_Parser.h"
#include "sprig/Document.h"

#include <exception>
#include <memory>
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
    tree.DeleteAllItems();
    std::string settings = record->GetGameSettings();
    TreeFill fill;
    // Under Wine a visible tree repaints at every item inserted below an expanded one: a fill of
    // a hundred items would take seconds. The tree shows the whole fill at once instead.
    tree.SendMsg(WM_SETREDRAW, FALSE, 0);
    try {
        Sprig::DOM_Parser parser;
        parser.ignoreWhitespace = true;
        std::unique_ptr<Sprig::Document> document(parser.Parse(settings.c_str()));
        const Sprig::Element* root = document->GetRootElement();
        HTREEITEM rootItem = InsertTreeItem(fill, root->GetQualifiedName(), TVI_ROOT,
                                            kElementImage, kOpenElementImage);
        FillTreeLevel(fill, rootItem, root->Children(), record->formatVersion);
        tree.Expand(rootItem, TVE_EXPAND);
        tree.EnsureVisible(rootItem);
        tree.SelectItem(rootItem, TVGN_CARET);
    } catch (const Sprig::ParsingException& error) {
        ShowTreeFailure("エラー場所：" + FormatInt(error.position, "%ld") + "\n" + error.what());
    } catch (const std::exception& error) {
        ShowTreeFailure(error.what());
    }
    std::string cuts = fill.CutsText();
    if (!cuts.empty())
        ShowTreeFailure(cuts);
    tree.SendMsg(WM_SETREDRAW, TRUE, 0);
    tree.Redraw(true);
}

// Walks the nodes level by level without recursion, so that the depth of a settings text never
// decides the depth of the stack. Items, their order and their expansion are those of a walk
// that handles each child in turn: under an element's item its text, then its attributes, then
// its child elements; with auto expand an item is expanded once a child is shown below it.
void CMainWnd::FillTreeLevel(TreeFill& fill, HTREEITEM parent,
                             const std::vector<Sprig::Node*>& nodes, const std::string& version)
{
    const bool autoExpand = mainMenu.IsChecked(ID_TREE_AUTO_EXPAND);
    const bool showAll = mainMenu.IsChecked(ID_TREE_SHOW_ALL);
    struct Level {
        HTREEITEM parent;
        const std::vector<Sprig::Node*>* nodes;
        size_t next;
        bool expanded;
    };
    // Each item that gets a child shown is expanded once, after the walk: under Wine every item
    // inserted below an expanded item, and every expansion again, costs a walk of the tree.
    std::vector<HTREEITEM> expansions;
    auto expand = [&](Level& level) {
        if (autoExpand && !level.expanded) {
            expansions.push_back(level.parent);
            level.expanded = true;
        }
    };
    // The parent item lies at depth 1, so the items of a level lie one deeper than the count of
    // levels, and an element's text item one deeper still.
    std::vector<Level> levels{{parent, &nodes, 0, false}};
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
        HTREEITEM levelParent = level.parent;
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
            HTREEITEM item =
                InsertTreeItem(fill, name, levelParent, kElementImage, kOpenElementImage);
            if (!item)
                continue;
            if (!text.empty())
                InsertTreeItem(fill, text, item, kTextImage, kTextImage);
            levels.push_back({item, &element->Children(), 0, false});
            continue;
        }
        if (node->GetType() == Sprig::AttributeNode) {
            if (!showAll)
                continue;
            auto attribute = dynamic_cast<const Sprig::Attribute*>(node);
            InsertTreeItem(fill, attribute->GetQualifiedName() + "：" + attribute->GetValue(),
                           levelParent, kAttributeImage, kAttributeImage);
        }
        expand(level);
    }
    for (HTREEITEM item : expansions)
        tree.Expand(item, TVE_EXPAND);
}

// Appends an item at the end of parent's items, its text cut to the display limit; nothing once
// the tree holds as many items as it may.
HTREEITEM CMainWnd::InsertTreeItem(TreeFill& fill, const std::string& text, HTREEITEM parent,
                                   int image, int selectedImage)
{
    if (fill.count >= kTreeItemLimit) {
        fill.full = true;
        return nullptr;
    }
    ++fill.count;
    if (text.size() <= kTreeTextLimit)
        return tree.InsertItem(text, parent, TVI_LAST, image, selectedImage, 0);
    fill.textCut = true;
    return tree.InsertItem(text.substr(0, WholeCharacters(text, kTreeTextLimit)), parent,
                           TVI_LAST, image, selectedImage, 0);
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
