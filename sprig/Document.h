#pragma once
#include "sprig/Attribute.h"
#include "sprig/Comment.h"
#include "sprig/Element.h"
#include "sprig/NodeContainer.h"
#include "sprig/Text.h"
#include "sprig/noncopyable.h"

#include <string>

namespace Sprig {

// The root of ownership of a tree: deleting it deletes every node. Its Attribute children are
// the pseudo-attributes of the XML declaration.
class Document : public boost::noncopyable, public NodeContainer {
public:
    Document() = default;

    int GetType() const override { return DocumentNode; }
    // The declaration line "<?xml ...?>" (written even without attributes), then the other
    // children at the same depth.
    std::string ToString(bool format, const std::string& indentUnit, int depth) const override;
    // A new document holding copies of the children; target and position are not used. The
    // caller owns the copy.
    Node* Clone(NodeContainer& target, std::size_t position) const override;

    // The first element child; raises code 8 when there is none.
    Element* GetRootElement() const;
};

// The creation functions: each makes a node, links it into parent before position and returns
// it; the node belongs to parent. With a null parent the node is returned detached and belongs
// to the caller.
Document* CreateDocument(const std::string& rootName);
Element* CreateElement(const std::string& name, NodeContainer* parent, std::size_t position = End);
Element* CreateElement(const std::string& name, const std::string& namespaceURI, NodeContainer* parent,
                       std::size_t position = End);
// Attributes are always appended, even beside one of the same name.
Attribute* CreateAttribute(const std::string& name, const std::string& value, NodeContainer* parent);
Attribute* CreateAttribute(const std::string& name, const std::string& namespaceURI, const std::string& value,
                           NodeContainer* parent);
Text* CreateText(const std::string& value, NodeContainer* parent, std::size_t position = End);
Comment* CreateComment(const std::string& value, NodeContainer* parent, std::size_t position = End);

}
