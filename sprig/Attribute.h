#pragma once
#include "sprig/NamedNode.h"
#include "sprig/Value.h"
#include "sprig/noncopyable.h"

namespace Sprig {

// An attribute of an element, or a pseudo-attribute of the XML declaration when its container is
// the document.
class Attribute : public boost::noncopyable, public NamedNode, public Value {
public:
    Attribute(const std::string& name, const std::string& namespaceURI, const std::string& value);

    int GetType() const override { return AttributeNode; }
    // name="value", never indented nor followed by a line feed.
    std::string ToString(bool format, const std::string& indentUnit, int depth) const override;
    // Appends the copy to target; position is not used.
    Node* Clone(NodeContainer& target, std::size_t position) const override;
    // The name, with the prefix that the element declares for the attribute's URI when that URI
    // differs from the element's own. Raises code 7 for an attribute without a container.
    std::string GetQualifiedName() const override;
};

}
