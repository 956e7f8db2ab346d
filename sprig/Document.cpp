#include "sprig/Document.h"

#include "sprig/DOM_Exception.h"
#include "sprig/Writer.h"

#include <memory>

namespace Sprig {

namespace {
template <class T>
T* Link(std::unique_ptr<T> node, NodeContainer* parent, std::size_t position)
{
    if (parent)
        parent->InsertChild(node.get(), position);
    return node.release();
}
}

std::string Document::ToString(bool format, const std::string& indentUnit, int depth) const
{
    Writer writer(format, indentUnit);
    writer.Write(*this, depth);
    return writer.Result();
}

Node* Document::Clone(NodeContainer&, std::size_t) const
{
    auto copy = std::make_unique<Document>();
    copy->CloneChildrenOf(*this, Children().size());
    return copy.release();
}

Element* Document::GetRootElement() const
{
    for (Node* child : Children()) {
        if (child->GetType() == ElementNode)
            return dynamic_cast<Element*>(child);
    }
    throw DOM_Exception(this, 8, DOM_Exception::Compose("sprig\\Document:28", "RootNode not found"));
}

Document* CreateDocument(const std::string& rootName)
{
    auto document = std::make_unique<Document>();
    CreateElement(rootName, document.get());
    return document.release();
}

Element* CreateElement(const std::string& name, NodeContainer* parent, std::size_t position)
{
    return Link(std::make_unique<Element>(name), parent, position);
}

Element* CreateElement(const std::string& name, const std::string& namespaceURI, NodeContainer* parent,
                       std::size_t position)
{
    return Link(std::make_unique<Element>(name, namespaceURI), parent, position);
}

Attribute* CreateAttribute(const std::string& name, const std::string& value, NodeContainer* parent)
{
    return Link(std::make_unique<Attribute>(name, std::string(), value), parent, End);
}

Attribute* CreateAttribute(const std::string& name, const std::string& namespaceURI, const std::string& value,
                           NodeContainer* parent)
{
    return Link(std::make_unique<Attribute>(name, namespaceURI, value), parent, End);
}

Text* CreateText(const std::string& value, NodeContainer* parent, std::size_t position)
{
    return Link(std::make_unique<Text>(value), parent, position);
}

Comment* CreateComment(const std::string& value, NodeContainer* parent, std::size_t position)
{
    return Link(std::make_unique<Comment>(value), parent, position);
}

}
