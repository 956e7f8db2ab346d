#include "sprig/NamedNode.h"

namespace Sprig {

NamedNode::NamedNode(const std::string& name, const std::string& namespaceURI)
    : name(name), namespaceURI(namespaceURI)
{
}

}
