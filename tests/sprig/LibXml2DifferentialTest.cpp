// The trees that DOM_Parser builds against the ones libxml2 reads, for generated documents of
// the subset where both agree by design; and libxml2 must accept what the writer writes.
#include "sprig/DOM_Parser.h"

#include "XmlGenerator.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <cstring>
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

// An attribute value as a reader means it: the tree keeps the references of the source.
std::string Decoded(const std::string& value)
{
    static const std::pair<const char*, const char*> references[] = {
        {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"},
        {"&#38;", "&"}, {"&#x3C;", "<"}, {"&#34;", "\""}};
    std::string text;
    for (std::size_t i = 0; i < value.size();) {
        bool replaced = false;
        for (const auto& reference : references) {
            if (value.compare(i, std::strlen(reference.first), reference.first) == 0) {
                text += reference.second;
                i += std::strlen(reference.first);
                replaced = true;
                break;
            }
        }
        if (!replaced)
            text += value[i++];
    }
    return text;
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
                attributes += "{" + attribute->GetNamespaceURI() + "}" + attribute->GetName() + "=" + Decoded(attribute->GetValue()) + ";";
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

namespace {

struct ReadBackCase {
    const char* name;
    const char* source;       // read by this library, which is more lenient than libxml2
    const char* text;         // what a reader finds in the root's first element, trimmed
    const char* attribute;    // and in its attribute v
};

const ReadBackCase kReadBackCases[] = {
    {"TextReferences", "<s><n v=''>A&amp;B &lt;C&gt; \"D\" 'E'</n></s>", "A&B <C> \"D\" 'E'", ""},
    {"AttributeReferences", "<s><n v=\"A&amp;B &lt;C> &quot;D&quot; 'E' &#38;\"/></s>", "", "A&B <C> \"D\" 'E' &"},
    {"QuotesInASingleQuotedValue", "<s><n v='say \"hi\"'/></s>", "", "say \"hi\""},
    {"BareAmpersandInAValue", "<s><n v=\"A&B &c; &#xD800;\"/></s>", "", "A&B &c; &#xD800;"},
    {"BracketInAValue", "<s><n v=\"a<b\"/></s>", "", "a<b"},
    {"CData", "<s><n v=''><![CDATA[x <y> & ]]]></n></s>", "x <y> & ]", ""},
    {"CarriageReturn", "<s><n v=''>a&#13;&#10;b</n></s>", "a\r\nb", ""},
    {"ControlCharacterBecomesQuestionMark", "<s><n v='&#1;'>a&#1;b</n></s>", "a?b", "&#1;"},
};

class LibXml2ReadBack : public testing::TestWithParam<ReadBackCase> {};

// Whatever a lenient parse put into the tree, libxml2 accepts the written text and finds what
// the tree means.
TEST_P(LibXml2ReadBack, FindsWhatTheTreeMeans)
{
    DOM_Parser parser;
    parser.ignoreWhitespace = true;
    std::unique_ptr<Document> document(parser.Parse(GetParam().source));
    CreateAttribute("version", "1.0", document.get());
    std::string written = document->ToString(true, "\t", 0);
    std::unique_ptr<xmlDoc, void (*)(xmlDoc*)> read(
        xmlReadMemory(written.data(), static_cast<int>(written.size()), "written.xml", nullptr,
                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING),
        xmlFreeDoc);
    ASSERT_NE(nullptr, read) << written;
    xmlNode* n = xmlFirstElementChild(xmlDocGetRootElement(read.get()));
    ASSERT_NE(nullptr, n) << written;
    xmlChar* text = xmlNodeGetContent(n);
    xmlChar* value = xmlGetProp(n, reinterpret_cast<const xmlChar*>("v"));
    EXPECT_EQ(GetParam().text, Trim(Str(text))) << written;
    EXPECT_EQ(GetParam().attribute, Str(value)) << written;
    xmlFree(text);
    xmlFree(value);
}

INSTANTIATE_TEST_SUITE_P(Sources, LibXml2ReadBack, testing::ValuesIn(kReadBackCases),
                         [](const testing::TestParamInfo<ReadBackCase>& info) { return info.param.name; });

}
