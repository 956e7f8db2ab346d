#include "sprig/NodeContainer.h"

#include "sprig/Document.h"
#include "sprig/DOM_Exception.h"

#include <algorithm>
#include <utility>

namespace Sprig {

NodeContainer::NodeContainer()
{
    asContainer = this;
}

NodeContainer::~NodeContainer()
{
    // Every descendant is detached before it is deleted, so no destructor below this one finds a
    // child to delete or a parent to update: the walk stays flat whatever the depth.
    std::vector<Node*> pending;
    pending.swap(children);
    while (!pending.empty()) {
        Node* node = pending.back();
        pending.pop_back();
        node->parent = nullptr;
        if (NodeContainer* container = node->asContainer) {
            pending.insert(pending.end(), container->children.begin(), container->children.end());
            container->children.clear();
        }
        delete node;
    }
}

void NodeContainer::AppendChild(Node* node)
{
    InsertChild(node, End);
}

void NodeContainer::InsertChild(Node* node, std::size_t position)
{
    if (node->parent == this)
        throw DOM_Exception(this, 9, "DOM_Exception\nsprig\\NodeContainer:28Pointer duplication\n" + std::string(1, '\0'));
    // Only a node with children can be an ancestor of this container.
    NodeContainer* container = node->asContainer;
    if (container == this || (container && !container->children.empty())) {
        for (const NodeContainer* up = this; up; up = up->parent) {
            if (up == container)
                throw DOM_Exception(this, 10, DOM_Exception::Compose("sprig\\NodeContainer:28", "Hierarchy request"));
        }
    }
    // Most elements of a settings text hold a few nodes: one allocation for the first four.
    if (children.capacity() == 0)
        children.reserve(4);
    if (position >= children.size())
        children.push_back(node);
    else
        children.insert(children.begin() + static_cast<std::ptrdiff_t>(position), node);
    if (node->parent)
        node->parent->Unlink(node);
    node->parent = this;
}

bool NodeContainer::AddNamespace(const std::string& prefix, const std::string& uri)
{
    return namespaces.emplace(prefix, uri).second;
}

std::string NodeContainer::LookupNamespaceURI(const std::string& prefix) const
{
    for (const NodeContainer* c = this; c->GetType() != DocumentNode; c = c->GetParent()) {
        auto found = c->namespaces.find(prefix);
        if (found != c->namespaces.end())
            return found->second;
    }
    return std::string();
}

std::string NodeContainer::LookupPrefix(const std::string& uri) const
{
    for (const NodeContainer* c = this;; c = c->GetParent()) {
        for (const auto& declaration : c->namespaces) {
            if (declaration.second == uri)
                return declaration.first;
        }
        if (c->GetType() == DocumentNode)
            throw DOM_Exception(c, 11, DOM_Exception::Compose("sprig\\NodeContainer:170", "Namespace Not Defined(" + uri + ")"));
    }
}

bool NodeContainer::IsNamespaceDefined(const std::string& uri) const
{
    for (const NodeContainer* c = this; c->GetType() != DocumentNode; c = c->GetParent()) {
        for (const auto& declaration : c->namespaces) {
            if (declaration.second == uri)
                return true;
        }
    }
    return false;
}

Attribute* NodeContainer::GetAttribute(const std::string& name) const
{
    for (Node* child : children) {
        if (child->GetType() == AttributeNode) {
            auto* attribute = dynamic_cast<Attribute*>(child);
            if (attribute->GetQualifiedName() == name)
                return attribute;
        }
    }
    throw DOM_Exception(this, 8, DOM_Exception::Compose("sprig\\NodeContainer:88", "Attribute not found(" + name + ")"));
}

std::string NodeContainer::GetText() const
{
    std::string text;
    for (const Node* child : children) {
        if (child->GetType() == TextNode)
            text += dynamic_cast<const Text*>(child)->GetValue();
    }
    return text;
}

void NodeContainer::CloneChildrenOf(const NodeContainer& source, std::size_t count)
{
    // Elements are copied shallow here and filled by their own frame, so the walk needs no
    // recursion.
    struct Frame {
        const NodeContainer* source;
        NodeContainer* target;
        std::size_t next;
        std::size_t count;
    };
    std::vector<Frame> frames{{&source, this, 0, count}};
    while (!frames.empty()) {
        Frame& frame = frames.back();
        if (frame.next == frame.count) {
            frames.pop_back();
            continue;
        }
        const Node* child = frame.source->children[frame.next++];
        NodeContainer* target = frame.target;
        if (child->GetType() == ElementNode) {
            auto* element = dynamic_cast<const Element*>(child);
            const NodeContainer* from = element;
            std::size_t size = from->children.size();
            Element* copy = CreateElement(element->GetName(), element->GetNamespaceURI(), target);
            frames.push_back({from, copy, 0, size});
        } else {
            child->Clone(*target, End);
        }
    }
}

void NodeContainer::Unlink(Node* node)
{
    auto found = std::find(children.begin(), children.end(), node);
    if (found != children.end())
        children.erase(found);
    node->parent = nullptr;
}

}
