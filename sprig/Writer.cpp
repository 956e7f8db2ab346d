#include "sprig/Writer.h"

#include "sprig/Document.h"

#include <utility>

namespace Sprig {

Writer::Writer(bool format, const std::string& indentUnit) : format(format), indentUnit(indentUnit) {}

void Writer::Write(const Node& node, int depth)
{
    if (node.GetType() != DocumentNode) {
        WriteTree(node, depth);
        return;
    }
    const auto& document = dynamic_cast<const NodeContainer&>(node);
    Indent(depth);
    out += "<?xml";
    for (const Node* child : document.children) {
        if (child->GetType() == AttributeNode) {
            out += ' ';
            out += child->ToString(false, "\t", 0);
        }
    }
    out += "?>";
    Newline();
    for (const Node* child : document.children) {
        if (child->GetType() != AttributeNode)
            WriteTree(*child, depth);
    }
}

std::string Writer::Result()
{
    return std::move(out);
}

void Writer::WriteTree(const Node& node, int depth)
{
    if (node.GetType() != ElementNode) {
        WriteLeaf(node, depth);
        return;
    }
    const auto& root = dynamic_cast<const Element&>(node);
    if (Open(root, depth))
        frames.push_back({&root, 0, depth});
    while (!frames.empty()) {
        Frame& frame = frames.back();
        const std::vector<Node*>& children = static_cast<const NodeContainer*>(frame.element)->children;
        while (frame.next < children.size() && children[frame.next]->GetType() == AttributeNode)
            ++frame.next;
        if (frame.next == children.size()) {
            Close(*frame.element, frame.depth);
            frames.pop_back();
            continue;
        }
        const Node* child = children[frame.next++];
        int childDepth = frame.depth + 1;
        if (child->GetType() != ElementNode) {
            WriteLeaf(*child, childDepth);
            continue;
        }
        const auto& element = dynamic_cast<const Element&>(*child);
        if (Open(element, childDepth))
            frames.push_back({&element, 0, childDepth});
    }
}

void Writer::WriteLeaf(const Node& node, int depth)
{
    switch (node.GetType()) {
    case TextNode:
        Indent(depth);
        out += dynamic_cast<const Value&>(node).value;
        Newline();
        break;
    case CommentNode:
        Indent(depth);
        out += "<!--";
        out += dynamic_cast<const Value&>(node).value;
        out += "-->";
        Newline();
        break;
    default:
        out += node.ToString(false, indentUnit, 0);
        break;
    }
}

bool Writer::Open(const Element& element, int depth)
{
    Indent(depth);
    out += '<';
    QualifiedName(element);
    for (const auto& declaration : element.Namespaces()) {
        out += " xmlns";
        if (!declaration.first.empty()) {
            out += ':';
            out += declaration.first;
        }
        out += "=\"";
        out += declaration.second;
        out += '"';
    }
    bool content = false;
    for (const Node* child : static_cast<const NodeContainer&>(element).children) {
        if (child->GetType() != AttributeNode) {
            content = true;
            continue;
        }
        const auto& attribute = dynamic_cast<const Attribute&>(*child);
        out += ' ';
        if (attribute.namespaceURI.empty())
            out += attribute.name;
        else
            out += attribute.GetQualifiedName();
        out += "=\"";
        out += attribute.value;
        out += '"';
    }
    out += content ? ">" : "/>";
    Newline();
    return content;
}

void Writer::Close(const Element& element, int depth)
{
    Indent(depth);
    out += "</";
    QualifiedName(element);
    out += '>';
    Newline();
}

void Writer::QualifiedName(const Element& element)
{
    if (element.namespaceURI.empty())
        out += element.name;
    else
        out += element.GetQualifiedName();
}

void Writer::Indent(int depth)
{
    if (format) {
        for (int i = 0; i < depth; ++i)
            out += indentUnit;
    }
}

void Writer::Newline()
{
    if (format)
        out += '\n';
}

}
