#pragma once
#include "sprig/NamedNode.h"
#include "sprig/NodeContainer.h"
#include "sprig/noncopyable.h"

namespace Sprig {

class Element : public boost::noncopyable, public NodeContainer, public NamedNode {
public:
    explicit Element(const std::string& name, const std::string& namespaceURI = std::string());

    int GetType() const override { return ElementNode; }
    // The start tag with the namespace declarations and attributes, the other children one level
    // deeper, and the end tag; "<name .../>" when there are no other children.
    std::string ToString(bool format, const std::string& indentUnit, int depth) const override;
    // A copy of the element and its subtree before position in target; namespace declarations
    // are not copied.
    Node* Clone(NodeContainer& target, std::size_t position) const override;
    // The name, with the prefix declared for the element's namespace URI when it has one.
    // Raises code 11 when no container up to the document declares that URI.
    std::string GetQualifiedName() const override;
};

}
