#include "sprig/DOM_Parser.h"

#include <istream>
#include <memory>

namespace Sprig {

DOM_Parser::DOM_Parser()
{
    parser.SetHandler(this);
}

Document* DOM_Parser::Parse(const char* text)
{
    std::string copy = text ? text : "";
    return Build(copy);
}

Document* DOM_Parser::Parse(std::istream& stream)
{
    return Build(stream);
}

template <class Input>
Document* DOM_Parser::Build(Input& input)
{
    auto document = std::make_unique<Document>();
    current = document.get();
    scope.clear();
    declared.clear();
    depth = 0;
    parser.SetHandler(this);
    parser.ignoreWhitespace = ignoreWhitespace;
    parser.Parse(input);
    current = nullptr;
    return document.release();
}

void DOM_Parser::OnDeclaration(const AttributeList& attributes)
{
    for (const auto& attribute : attributes)
        CreateAttribute(attribute.first, attribute.second, current);
}

void DOM_Parser::OnStartElement(const std::string& qualified, const AttributeList& attributes)
{
    // Names are split at their first ':' into prefix and local name.
    std::string_view name(qualified);
    std::size_t colon = name.find(':');
    Element* element = CreateElement(colon == std::string_view::npos ? qualified : qualified.substr(colon + 1), current);
    current = element;
    ++depth;
    for (const auto& attribute : attributes) {
        std::string_view attributeName(attribute.first);
        std::size_t split = attributeName.find(':');
        if (split == std::string_view::npos) {
            if (attributeName == "xmlns")
                Declare(element, std::string_view(), attribute.second);
            else
                CreateAttribute(attribute.first, attribute.second, element);
        } else if (attributeName.substr(0, split) == "xmlns") {
            Declare(element, attributeName.substr(split + 1), attribute.second);
        } else {
            CreateAttribute(attribute.first.substr(split + 1), InScope(attributeName.substr(0, split)), attribute.second,
                            element);
        }
    }
    const std::string& uri = InScope(colon == std::string_view::npos ? std::string_view() : name.substr(0, colon));
    if (!uri.empty())
        element->SetNamespaceURI(uri);
}

void DOM_Parser::OnEndElement(const std::string&)
{
    current = current->GetParent();
    while (!declared.empty() && declared.back().first == depth) {
        auto found = scope.find(declared.back().second);
        found->second.pop_back();
        if (found->second.empty())
            scope.erase(found);
        declared.pop_back();
    }
    --depth;
}

void DOM_Parser::OnCharacters(const std::string& text)
{
    CreateText(text, current);
}

void DOM_Parser::OnComment(const std::string& text)
{
    CreateComment(text, current);
}

bool DOM_Parser::OnError(const ParsingException& exception)
{
    throw exception;
}

const std::string& DOM_Parser::InScope(std::string_view prefix) const
{
    static const std::string none;
    if (scope.empty())
        return none;
    auto found = scope.find(prefix);
    return found == scope.end() || found->second.empty() ? none : found->second.back();
}

void DOM_Parser::Declare(Element* element, std::string_view prefix, const std::string& uri)
{
    std::string key(prefix);
    if (!element->AddNamespace(key, uri))
        return;
    scope[key].push_back(uri);
    declared.emplace_back(depth, key);
}

}
