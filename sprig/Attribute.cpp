#include "sprig/Attribute.h"

#include "sprig/Document.h"
#include "sprig/Writer.h"

namespace Sprig {

Attribute::Attribute(const std::string& name, const std::string& namespaceURI, const std::string& value)
    : NamedNode(name, namespaceURI), Value(value)
{
}

std::string Attribute::ToString(bool, const std::string&, int) const
{
    std::string text = GetQualifiedName();
    text += "=\"";
    Writer::AppendAttributeValue(text, value);
    text += '"';
    return text;
}

Node* Attribute::Clone(NodeContainer& target, std::size_t) const
{
    return CreateAttribute(name, namespaceURI, value, &target);
}

std::string Attribute::GetQualifiedName() const
{
    const NodeContainer* container = GetParent();
    if (namespaceURI.empty() || container->GetType() != ElementNode)
        return name;
    const auto* element = dynamic_cast<const Element*>(container);
    if (element->GetNamespaceURI() == namespaceURI)
        return name;
    return element->LookupPrefix(namespaceURI) + ":" + name;
}

}
