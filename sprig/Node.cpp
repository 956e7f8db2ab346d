#include "sprig/Node.h"

#include "sprig/DOM_Exception.h"
#include "sprig/NodeContainer.h"
#include "sprig/NodePool.h"

namespace Sprig {

Node::~Node()
{
    if (parent)
        parent->Unlink(this);
}

void* Node::operator new(std::size_t size)
{
    return NodePool::Allocate(size);
}

void Node::operator delete(void* memory, std::size_t size)
{
    NodePool::Free(memory, size);
}

void Node::Release()
{
    delete this;
}

NodeContainer* Node::GetParent()
{
    if (!parent)
        throw DOM_Exception(this, 7, DOM_Exception::Compose("sprig\\Node:27", "Parent not found."));
    return parent;
}

const NodeContainer* Node::GetParent() const
{
    if (!parent)
        throw DOM_Exception(this, 7, DOM_Exception::Compose("sprig\\Node:39", "Parent not found."));
    return parent;
}

}
