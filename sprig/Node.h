#pragma once
#include <cstddef>
#include <string>

namespace Sprig {

class NodeContainer;

// Node kinds as GetType reports them; callers compare for equality and then cast to the class
// (with dynamic_cast: Node is a virtual base).
enum NodeType : int {
    TextNode = 0x10,
    CommentNode = 0x11,
    AttributeNode = 0x30,
    DocumentNode = 0x40,
    ElementNode = 0x60,
};

// Where the creation functions and Clone insert: an index into the child list; End (or any
// index past the last child) appends.
constexpr std::size_t End = static_cast<std::size_t>(-1);

// Every node of a tree. A node in a tree is owned by its container; deleting a node on its own
// (Release) first takes it out of its container's child list.
class Node {
public:
    virtual ~Node();
    // Nodes live in the NodePool.
    static void* operator new(std::size_t size);
    static void operator delete(void* memory, std::size_t size);
    // Destroys the node, exactly like deleting it.
    virtual void Release();
    virtual int GetType() const = 0;
    // The node's XML text: indentUnit repeated depth times before each line when format is set.
    virtual std::string ToString(bool format, const std::string& indentUnit, int depth) const = 0;
    // A copy of the node inserted into target before position (see each class); returns it.
    virtual Node* Clone(NodeContainer& target, std::size_t position) const = 0;

    // The container holding the node; raises DOM_Exception code 7 when there is none.
    NodeContainer* GetParent();
    const NodeContainer* GetParent() const;

protected:
    Node() = default;

private:
    friend class NodeContainer;
    NodeContainer* parent = nullptr;
    // The node itself as a container, or null: saves a dynamic_cast on every insertion.
    NodeContainer* asContainer = nullptr;
};

}
