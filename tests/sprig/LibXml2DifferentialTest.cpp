// The trees that DOM_Parser builds against the ones libxml2 reads, for generated documents of
// the subset where both agree by design; and libxml2 must accept what the writer writes.
#include "sprig/DOM_Parser.h"

#include "XmlGenerator.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace Sprig;

namespace {

// Both sides are described in one form: elements with namespace URI, local name, sorted
// declarations and attributes in order; text trimmed (whitespace-only text left out); comments.
std::string Describe(const std::string& uri, const std::string& name, std::vector<std::pair<std::string, std::string>> declarations,
                     const std::string& attributes)
{
    std::sort(declarations.begin(), declarations.end());
    std::string text = "<{" + uri + "}" + name + " ns[";
    for (const auto& d : declarations)
        text += d.first + "=" + d.second + ";";
    return text + "] at[" + attributes + "]>";
}

std::string Trim(const std::string& text)
{
    std::size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos)
        return std::string();
    return text.substr(begin, text.find_last_not_of(" \t\r\n") - begin + 1);
}

std::string Str(const xmlChar* text)
{
    return text ? reinterpret_cast<const char*>(text) : "";
}

std::string OursOf(const Node* node)
{
    switch (node->GetType()) {
    case TextNode:
        return "T[" + dynamic_cast<const Text*>(node)->GetValue() + "]";
    case CommentNode:
        return "C[" + dynamic_cast<const Comment*>(node)->GetValue() + "]";
    case ElementNode: {
        auto* element = dynamic_cast<const Element*>(node);
        std::vector<std::pair<std::string, std::string>> declarations(element->Namespaces().begin(),
                                                                       element->Namespaces().end());
        std::string attributes;
        std::string children;
        for (const Node* child : element->Children()) {
            if (child->GetType() == AttributeNode) {
                auto* attribute = dynamic_cast<const Attribute*>(child);
                attributes += "{" + attribute->GetNamespaceURI() + "}" + attribute->GetName() + "=" + attribute->GetValue() + ";";
            } else {
                children += OursOf(child);
            }
        }
        return Describe(element->GetNamespaceURI(), element->GetName(), declarations, attributes) + children + "</>";
    }
    default:
        return std::string();
    }
}

std::string Ours(const Document& document)
{
    std::string text;
    for (const Node* child : document.Children())
        text += OursOf(child);
    return text;
}

std::string TheirsOf(xmlNode* node)
{
    std::string text;
    for (; node; node = node->next) {
        if (node->type == XML_TEXT_NODE) {
            std::string value = Trim(Str(node->content));
            if (!value.empty())
                text += "T[" + value + "]";
        } else if (node->type == XML_COMMENT_NODE) {
            text += "C[" + Str(node->content) + "]";
        } else if (node->type == XML_ELEMENT_NODE) {
            std::vector<std::pair<std::string, std::string>> declarations;
            for (xmlNs* ns = node->nsDef; ns; ns = ns->next)
                declarations.emplace_back(Str(ns->prefix), Str(ns->href));
            std::string attributes;
            for (xmlAttr* attribute = node->properties; attribute; attribute = attribute->next) {
                xmlChar* value = xmlNodeListGetString(node->doc, attribute->children, 1);
                attributes += "{" + (attribute->ns ? Str(attribute->ns->href) : "") + "}" + Str(attribute->name) + "=" +
                              Str(value) + ";";
                xmlFree(value);
            }
            text += Describe(node->ns ? Str(node->ns->href) : "", Str(node->name), declarations, attributes) +
                    TheirsOf(node->children) + "</>";
        }
    }
    return text;
}

// libxml2's reading of text, or "refused" when it does not accept it as well-formed.
std::string Theirs(const std::string& text)
{
    std::unique_ptr<xmlDoc, void (*)(xmlDoc*)> document(
        xmlReadMemory(text.data(), static_cast<int>(text.size()), "generated.xml", nullptr,
                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING),
        xmlFreeDoc);
    if (!document)
        return "refused";
    return TheirsOf(document->children);
}

TEST(LibXml2, SameTreesAndTheWriterIsAccepted)
{
    XmlGenerator generator(4711);
    for (int i = 0; i < 500; ++i) {
        std::string source = generator.Document();
        DOM_Parser parser;
        parser.ignoreWhitespace = true;
        std::unique_ptr<Document> document(parser.Parse(source.c_str()));
        std::string expected = Theirs(source);
        ASSERT_NE("refused", expected) << source;
        ASSERT_EQ(expected, Ours(*document)) << "document " << i << ":\n" << source;
        std::string written = document->ToString(true, "\t", 0);
        ASSERT_EQ(expected, Theirs(written)) << "written from document " << i << ":\n" << written;
    }
}

}
