#include "sprig/Element.h"

#include "sprig/Document.h"
#include "sprig/Writer.h"

namespace Sprig {

Element::Element(const std::string& name, const std::string& namespaceURI) : NamedNode(name, namespaceURI) {}

std::string Element::ToString(bool format, const std::string& indentUnit, int depth) const
{
    Writer writer(format, indentUnit);
    writer.Write(*this, depth);
    return writer.Result();
}

Node* Element::Clone(NodeContainer& target, std::size_t position) const
{
    std::size_t count = Children().size();
    Element* copy = CreateElement(name, namespaceURI, &target, position);
    copy->CloneChildrenOf(*this, count);
    return copy;
}

std::string Element::GetQualifiedName() const
{
    if (namespaceURI.empty())
        return name;
    std::string prefix = LookupPrefix(namespaceURI);
    return prefix.empty() ? name : prefix + ":" + name;
}

}
