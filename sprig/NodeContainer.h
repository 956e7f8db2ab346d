#pragma once
#include "sprig/Node.h"

#include <map>
#include <string>
#include <vector>

namespace Sprig {

class Attribute;

// A node with children (attributes, elements, text and comments mixed, in insertion order) and
// namespace declarations (prefix to URI, the empty prefix being the default namespace). It owns
// its children: destroying it destroys the whole subtree, without recursion, so a tree of any
// depth can be destroyed.
class NodeContainer : public virtual Node {
public:
    ~NodeContainer() override;

    const std::vector<Node*>& Children() const { return children; }

    // Appends node and makes this container its parent. A node that belongs to another container
    // is moved out of it first, so that no two containers own it. Raises code 9 when the node is
    // already a child here, and code 10 when it is this container or one of its ancestors.
    void AppendChild(Node* node);
    // The same before position (End appends).
    void InsertChild(Node* node, std::size_t position);
    // Declares prefix for uri here; false (and nothing changes) when prefix is already declared.
    bool AddNamespace(const std::string& prefix, const std::string& uri);
    const std::map<std::string, std::string>& Namespaces() const { return namespaces; }

    // The URI that prefix stands for here or at the nearest ancestor declaring it; empty at the
    // document. Raises code 7 when an element on the way has no parent.
    virtual std::string LookupNamespaceURI(const std::string& prefix) const;
    // The first prefix (in byte order) declared for uri here or at the nearest ancestor that
    // declares it; raises code 11 when no container up to the document declares it.
    virtual std::string LookupPrefix(const std::string& uri) const;
    virtual bool IsNamespaceDefined(const std::string& uri) const;

    // The first attribute child whose qualified name is name; raises code 8 when there is none.
    Attribute* GetAttribute(const std::string& name) const;
    // The values of the direct Text children, concatenated in child order.
    std::string GetText() const;

protected:
    NodeContainer();

    // Copies of the first count children of source appended to this container, walked without
    // recursion; namespace declarations are not copied. Every element copies the children it
    // had before its own copy was made, so a copy into the source's own subtree ends.
    void CloneChildrenOf(const NodeContainer& source, std::size_t count);

private:
    friend class Node;
    friend class Writer;

    void Unlink(Node* node);

    std::vector<Node*> children;
    std::map<std::string, std::string> namespaces;
};

}
