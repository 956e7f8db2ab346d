#include "sprig/Node.h"

#include "sprig/DOM_Exception.h"
#include "sprig/NodeContainer.h"

namespace Sprig {

Node::~Node()
{
    if (parent)
        parent->Unlink(this);
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
