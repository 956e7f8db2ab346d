#pragma once
#include <string>
#include <vector>

namespace Sprig {

class Element;
class Node;

// Builds the XML text of a node by appending to one string. Elements are walked with a stack of
// their own, so a tree of any depth can be written. Whatever the tree holds, the text is
// well-formed XML as far as texts and attribute values go (names are written as they are).
class Writer {
public:
    // With format, every line starts with indentUnit repeated to its depth and ends with "\n".
    Writer(bool format, const std::string& indentUnit);

    void Write(const Node& node, int depth);
    std::string Result();

    // A text as the tree holds it, decoded: '&', '<' and '>' become references, and so does a
    // carriage return, which a reader would otherwise turn into a line feed.
    static void AppendText(std::string& out, const std::string& text);
    // An attribute value as the tree holds it, in the form it had in its source, references
    // kept: '"', '<' and a '&' that begins no reference become references.
    static void AppendAttributeValue(std::string& out, const std::string& value);
    // In both, a control character that XML cannot carry at all (0x01 to 0x1F other than tab,
    // line feed and carriage return, and 0x00) is written as '?'.

private:
    struct Frame {
        const Element* element;
        std::size_t next;
        int depth;
    };

    void WriteTree(const Node& node, int depth);
    void WriteLeaf(const Node& node, int depth);
    // The start tag; true when content and an end tag must follow, false after "/>".
    bool Open(const Element& element, int depth);
    void Close(const Element& element, int depth);
    void QualifiedName(const Element& element);
    void Indent(int depth);
    void Newline();

    bool format;
    const std::string& indentUnit;
    std::string out;
    std::vector<Frame> frames;
};

// The source form of a plain text as an attribute value: '&', '<' and '"' as references, so that
// the writer keeps them and a reader gets the text back even where it looks like a reference.
std::string AttributeText(const std::string& plain);

}
