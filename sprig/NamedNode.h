#pragma once
#include "sprig/Node.h"

#include <string>

namespace Sprig {

// A node with a local name and a namespace URI; the prefix is never stored but found again from
// the namespace declarations in scope.
class NamedNode : public virtual Node {
public:
    const std::string& GetName() const { return name; }
    std::string GetNamespaceURI() const { return namespaceURI; }
    void SetNamespaceURI(const std::string& uri) { namespaceURI = uri; }
    virtual std::string GetQualifiedName() const = 0;

protected:
    friend class Writer;

    NamedNode(const std::string& name, const std::string& namespaceURI);

    std::string name;
    std::string namespaceURI;
};

}
