#include "sprig/DOM_Parser.h"

#include <istream>
#include <memory>

namespace Sprig {

namespace {

// Splits a qualified name at its first ':'.
void Split(const std::string& qualified, std::string& prefix, std::string& local)
{
    std::size_t colon = qualified.find(':');
    if (colon == std::string::npos) {
        prefix.clear();
        local = qualified;
    } else {
        prefix.assign(qualified, 0, colon);
        local.assign(qualified, colon + 1, std::string::npos);
    }
}

}

DOM_Parser::DOM_Parser()
{
    parser.SetHandler(this);
}

Document* DOM_Parser::Parse(const char* text)
{
    std::string copy = text;
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
    std::string prefix;
    std::string local;
    Split(qualified, prefix, local);
    Element* element = CreateElement(local, current);
    current = element;
    ++depth;
    std::string attributePrefix;
    std::string attributeLocal;
    for (const auto& attribute : attributes) {
        Split(attribute.first, attributePrefix, attributeLocal);
        if (attributePrefix == "xmlns")
            Declare(element, attributeLocal, attribute.second);
        else if (attributePrefix.empty() && attributeLocal == "xmlns")
            Declare(element, std::string(), attribute.second);
        else if (attributePrefix.empty())
            CreateAttribute(attributeLocal, std::string(), attribute.second, element);
        else
            CreateAttribute(attributeLocal, InScope(attributePrefix), attribute.second, element);
    }
    const std::string& uri = InScope(prefix);
    if (!uri.empty())
        element->SetNamespaceURI(uri);
}

void DOM_Parser::OnEndElement(const std::string&)
{
    current = current->GetParent();
    while (!declared.empty() && declared.back().first == depth) {
        scope[declared.back().second].pop_back();
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

const std::string& DOM_Parser::InScope(const std::string& prefix) const
{
    static const std::string none;
    auto found = scope.find(prefix);
    return found == scope.end() || found->second.empty() ? none : found->second.back();
}

void DOM_Parser::Declare(Element* element, const std::string& prefix, const std::string& uri)
{
    if (!element->AddNamespace(prefix, uri))
        return;
    scope[prefix].push_back(uri);
    declared.emplace_back(depth, prefix);
}

}
