#include "sprig/Writer.h"

#include "sprig/Document.h"

#include <cstdint>
#include <utility>

namespace Sprig {

namespace {

// What the writer does with a byte of a text or an attribute value.
enum ByteKind : unsigned char { Plain, Ampersand, Less, Greater, Quote, CarriageReturn, Control };

struct ByteKinds {
    ByteKind of[256];
    ByteKinds() : of()
    {
        for (int c = 0; c < 0x20; ++c)
            of[c] = Control;
        of[static_cast<unsigned char>('\t')] = Plain;
        of[static_cast<unsigned char>('\n')] = Plain;
        of[static_cast<unsigned char>('\r')] = CarriageReturn;
        of[static_cast<unsigned char>('&')] = Ampersand;
        of[static_cast<unsigned char>('<')] = Less;
        of[static_cast<unsigned char>('>')] = Greater;
        of[static_cast<unsigned char>('"')] = Quote;
    }
};

const ByteKinds kByteKinds;

ByteKind KindOf(char c)
{
    return kByteKinds.of[static_cast<unsigned char>(c)];
}

bool IsXmlChar(uint32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

// Whether text holds word followed by ';' at at.
bool NameAt(const std::string& text, std::size_t at, const char* word)
{
    for (; *word; ++word, ++at) {
        if (at == text.size() || text[at] != *word)
            return false;
    }
    return at < text.size() && text[at] == ';';
}

int DigitValue(char c, bool hex)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (hex && c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (hex && c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Whether the '&' at text[at] begins a reference that a reader accepts: one of the five
// predefined entities, or a character reference to a character that XML allows. The text is
// read only as far as such a reference can reach: a name, or digits up to the first that is not
// one, so that a value full of '&' costs no more than its length.
bool BeginsReference(const std::string& text, std::size_t at)
{
    ++at;
    for (const char* name : {"amp", "lt", "gt", "quot", "apos"}) {
        if (NameAt(text, at, name))
            return true;
    }
    if (at == text.size() || text[at] != '#')
        return false;
    ++at;
    bool hex = at < text.size() && text[at] == 'x';
    if (hex)
        ++at;
    std::size_t first = at;
    uint32_t code = 0;
    for (; at < text.size() && text[at] != ';'; ++at) {
        int digit = DigitValue(text[at], hex);
        if (digit < 0)
            return false;
        code = code * (hex ? 16 : 10) + static_cast<uint32_t>(digit);
        if (code > 0x10FFFF)
            return false;
    }
    return at < text.size() && at > first && IsXmlChar(code);
}

// Appends text with each byte for which replacement gives a text in its place.
template <class Replacement>
void AppendReplaced(std::string& out, const std::string& text, Replacement replacement)
{
    std::size_t run = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char* with = replacement(KindOf(text[i]), i);
        if (!with)
            continue;
        out.append(text, run, i - run);
        out += with;
        run = i + 1;
    }
    out.append(text, run, std::string::npos);
}

}

void Writer::AppendText(std::string& out, const std::string& text)
{
    AppendReplaced(out, text, [](ByteKind kind, std::size_t) -> const char* {
        switch (kind) {
        case Ampersand: return "&amp;";
        case Less: return "&lt;";
        case Greater: return "&gt;";
        case CarriageReturn: return "&#13;";
        case Control: return "?";
        default: return nullptr;
        }
    });
}

void Writer::AppendAttributeValue(std::string& out, const std::string& value)
{
    AppendReplaced(out, value, [&value](ByteKind kind, std::size_t at) -> const char* {
        switch (kind) {
        case Ampersand: return BeginsReference(value, at) ? nullptr : "&amp;";
        case Less: return "&lt;";
        case Quote: return "&quot;";
        case Control: return "?";
        default: return nullptr;
        }
    });
}

std::string AttributeText(const std::string& plain)
{
    std::string text;
    text.reserve(plain.size());
    for (char c : plain) {
        switch (c) {
        case '&': text += "&amp;"; break;
        case '<': text += "&lt;"; break;
        case '"': text += "&quot;"; break;
        default: text += c; break;
        }
    }
    return text;
}

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
        AppendText(out, dynamic_cast<const Value&>(node).value);
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
        AppendAttributeValue(out, declaration.second);
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
        AppendAttributeValue(out, attribute.value);
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
