#pragma once
#include <string>
#include <vector>

namespace Sprig {

class Element;
class Node;

// Builds the XML text of a node by appending to one string. Elements are walked with a stack of
// their own, so a tree of any depth can be written. Nothing is escaped.
class Writer {
public:
    // With format, every line starts with indentUnit repeated to its depth and ends with "\n".
    Writer(bool format, const std::string& indentUnit);

    void Write(const Node& node, int depth);
    std::string Result();

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

}
