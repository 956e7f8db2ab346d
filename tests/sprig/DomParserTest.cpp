#include "sprig/DOM_Exception.h"
#include "sprig/DOM_Parser.h"

#include "PieceStream.h"

#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <string>

using namespace Sprig;

namespace {

std::unique_ptr<Document> Parse(const std::string& text)
{
    DOM_Parser parser;
    parser.ignoreWhitespace = true;
    return std::unique_ptr<Document>(parser.Parse(text.c_str()));
}

Element* Child(const NodeContainer* container, std::size_t index)
{
    return dynamic_cast<Element*>(container->Children().at(index));
}

Attribute* AttributeAt(const NodeContainer* container, std::size_t index)
{
    return dynamic_cast<Attribute*>(container->Children().at(index));
}

TEST(DomParser, PrefixedNamesAndAttributes)
{
    auto document = Parse(R"(<a xmlns:p="u" p:x="1" y="2"><p:b/></a>)");
    Element* a = document->GetRootElement();
    EXPECT_EQ("", a->GetNamespaceURI());
    ASSERT_EQ(1u, a->Namespaces().size());
    EXPECT_EQ("u", a->Namespaces().at("p"));
    ASSERT_EQ(3u, a->Children().size());
    EXPECT_EQ("x", AttributeAt(a, 0)->GetName());
    EXPECT_EQ("u", AttributeAt(a, 0)->GetNamespaceURI());
    EXPECT_EQ("y", AttributeAt(a, 1)->GetName());
    EXPECT_EQ("", AttributeAt(a, 1)->GetNamespaceURI());
    EXPECT_EQ("b", Child(a, 2)->GetName());
    EXPECT_EQ("u", Child(a, 2)->GetNamespaceURI());
    EXPECT_EQ("<a xmlns:p=\"u\" p:x=\"1\" y=\"2\">\n\t<p:b/>\n</a>\n", a->ToString(true, "\t", 0));
}

TEST(DomParser, DefaultNamespace)
{
    auto document = Parse(R"(<a xmlns="u"><b/></a>)");
    Element* a = document->GetRootElement();
    EXPECT_EQ("u", a->GetNamespaceURI());
    EXPECT_EQ("u", Child(a, 0)->GetNamespaceURI());
    EXPECT_EQ("<a xmlns=\"u\">\n\t<b/>\n</a>\n", a->ToString(true, "\t", 0));
}

struct ScopeCase {
    const char* name;
    const char* input;
    std::string uris;  // namespace URI of each element and attribute in document order
};

std::string Uris(const NodeContainer* container)
{
    std::string uris;
    for (const Node* child : container->Children()) {
        if (auto* named = dynamic_cast<const NamedNode*>(child))
            uris += named->GetName() + "=" + named->GetNamespaceURI() + " ";
        if (auto* element = dynamic_cast<const Element*>(child))
            uris += Uris(element);
    }
    return uris;
}

const ScopeCase kScopeCases[] = {
    {"AttributeBeforeItsDeclarationSeesTheAncestor", R"(<r xmlns:p="outer"><a p:x="1" xmlns:p="inner"><p:b/></a></r>)",
     "r= a= x=outer b=inner "},
    {"AttributeBeforeItsOnlyDeclarationHasNone", R"(<a p:x="1" xmlns:p="u"/>)", "a= x= "},
    {"DeclarationEndsWithItsElement", R"(<r><a xmlns:p="u"><p:b/></a><p:c/></r>)", "r= a= b=u c= "},
    {"FirstOfTwoDeclarationsStays", R"(<a xmlns:p="1" xmlns:p="2"><p:b/></a>)", "a= b=1 "},
    {"InnerDeclarationHidesOuter", R"(<r xmlns="o"><a xmlns="i"><b/></a><c/></r>)", "r=o a=i b=i c=o "},
    {"UnprefixedAttributeHasNoNamespace", R"(<a xmlns="u" x="1"/>)", "a=u x= "},
    {"UndeclaredPrefixIsNoNamespace", R"(<p:a q:x="1"/>)", "a= x= "},
    {"SplitAtTheFirstColon", R"(<a xmlns:p="u"><p:b:c/></a>)", "a= b:c=u "},
};

class NamespaceScope : public testing::TestWithParam<ScopeCase> {};

TEST_P(NamespaceScope, UrisAsTheTreeLookupGivesThem)
{
    auto document = Parse(GetParam().input);
    EXPECT_EQ(GetParam().uris, Uris(document.get()));
}

INSTANTIATE_TEST_SUITE_P(Inputs, NamespaceScope, testing::ValuesIn(kScopeCases),
                         [](const testing::TestParamInfo<ScopeCase>& info) { return info.param.name; });

struct WriteBackCase {
    const char* name;
    const char* input;
    const char* written;
};

const WriteBackCase kWriteBackCases[] = {
    {"EntityReplacedAndWrittenEscaped", "<a>x &amp; y &lt;z&gt;</a>", "<?xml?>\n<a>\n\tx &amp; y &lt;z&gt;\n</a>\n"},
    {"AttributeReferencesKept", "<a v=\"x &amp; y &#60;\" w='\"'/>", "<?xml?>\n<a v=\"x &amp; y &#60;\" w=\"&quot;\"/>\n"},
    {"BareAmpersandAndBracketInAttributeEscaped", "<a v=\"A&B <c>\"/>", "<?xml?>\n<a v=\"A&amp;B &lt;c>\"/>\n"},
    {"EmptyElement", "<e/>", "<?xml?>\n<e/>\n"},
    {"EmptyElementWithEndTag", "<e></e>", "<?xml?>\n<e/>\n"},
    {"Declaration", "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<r/>",
     "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<r/>\n"},
    {"CommentAtTheChildrensDepth", "<a><b><!-- note --></b></a>", "<?xml?>\n<a>\n\t<b>\n\t\t<!-- note -->\n\t</b>\n</a>\n"},
    {"CDataBecomesText", "<a><![CDATA[<x>]]></a>", "<?xml?>\n<a>\n\t&lt;x&gt;\n</a>\n"},
    {"CutOffKeepsWhatWasRead", "<a><b>x", "<?xml?>\n<a>\n\t<b>\n\t\tx\n\t</b>\n</a>\n"},
    {"NoElement", "<!-- only -->", "<?xml?>\n<!-- only -->\n"},
    {"Settings", "<GameSettings Version=\"2\">\n  <Map>Arabia</Map>\n  <Players><Player Civ=\"3\">\x93\xfa</Player></Players>\n</GameSettings>",
     "<?xml?>\n<GameSettings Version=\"2\">\n\t<Map>\n\t\tArabia\n\t</Map>\n\t<Players>\n\t\t<Player Civ=\"3\">\n\t\t\t\x93\xfa\n"
     "\t\t</Player>\n\t</Players>\n</GameSettings>\n"},
};

class WriteBack : public testing::TestWithParam<WriteBackCase> {};

TEST_P(WriteBack, TextAndStreamGiveTheSameTree)
{
    EXPECT_EQ(GetParam().written, Parse(GetParam().input)->ToString(true, "\t", 0));
    for (std::size_t piece : {1, 3, 4096}) {
        PieceStream stream(GetParam().input, piece);
        DOM_Parser parser;
        parser.ignoreWhitespace = true;
        std::unique_ptr<Document> document(parser.Parse(stream));
        EXPECT_EQ(GetParam().written, document->ToString(true, "\t", 0)) << "pieces of " << piece;
    }
}

INSTANTIATE_TEST_SUITE_P(Inputs, WriteBack, testing::ValuesIn(kWriteBackCases),
                         [](const testing::TestParamInfo<WriteBackCase>& info) { return info.param.name; });

TEST(DomParser, GetTextOfMixedContent)
{
    auto document = Parse("<n>ab<!--c-->d<x>e</x></n>");
    EXPECT_EQ("abd", document->GetRootElement()->GetText());
}

TEST(DomParser, DeclarationAttributesBelongToTheDocument)
{
    auto document = Parse(R"(<?xml version="1.0" encoding="Shift_JIS"?><r/>)");
    ASSERT_EQ(3u, document->Children().size());
    EXPECT_EQ("1.0", document->GetAttribute("version")->GetValue());
    EXPECT_EQ("Shift_JIS", AttributeAt(document.get(), 1)->GetValue());
    EXPECT_EQ(ElementNode, document->Children()[2]->GetType());
}

TEST(DomParser, WithoutElementTheRootIsNotFound)
{
    auto document = Parse("");
    EXPECT_TRUE(document->Children().empty());
    try {
        document->GetRootElement();
        FAIL();
    } catch (const DOM_Exception& e) {
        EXPECT_EQ(8, e.code);
    }
}

TEST(DomParser, NullTextIsEmpty)
{
    DOM_Parser parser;
    std::unique_ptr<Document> document(parser.Parse(static_cast<const char*>(nullptr)));
    EXPECT_TRUE(document->Children().empty());
}

TEST(DomParser, WhitespaceKeptWhenAsked)
{
    DOM_Parser parser;
    std::unique_ptr<Document> document(parser.Parse("<a> x <b/></a>"));
    EXPECT_EQ(" x ", document->GetRootElement()->GetText());
}

struct BadCase {
    const char* name;
    const char* input;
    int code;
};

// Each ends by the exception; the partly built document is deleted (the leak checker of the
// sanitizer build sees it otherwise).
const BadCase kBadCases[] = {
    {"MismatchDeepInside", "<?xml version=\"1.0\"?><a x=\"1\"><b>t<c/><!--x--></c></a>", 6},
    {"HyphenInName", "<a><b><my-tag/></b></a>", 0},
    {"EntityWithoutSemicolon", "<a><b>&amp x</b></a>", 0},
    {"AttributeCutOff", "<a><b v=\"1", 3},
    {"InstructionBeforeDeclaration", "<?pi?><a/>", 5},
};

class BadInput : public testing::TestWithParam<BadCase> {};

TEST_P(BadInput, RaisesTheParsingExceptionInBothModes)
{
    DOM_Parser parser;
    parser.ignoreWhitespace = true;
    try {
        delete parser.Parse(GetParam().input);
        ADD_FAILURE() << "text mode parsed";
    } catch (const ParsingException& e) {
        EXPECT_EQ(GetParam().code, e.code);
    }
    std::istringstream stream(GetParam().input);
    try {
        delete parser.Parse(stream);
        ADD_FAILURE() << "stream mode parsed";
    } catch (const ParsingException& e) {
        EXPECT_EQ(GetParam().code, e.code);
    }
    // The same parser object then builds a document as if new.
    std::unique_ptr<Document> document(parser.Parse("<r><s/></r>"));
    EXPECT_EQ("<?xml?>\n<r>\n\t<s/>\n</r>\n", document->ToString(true, "\t", 0));
}

INSTANTIATE_TEST_SUITE_P(Inputs, BadInput, testing::ValuesIn(kBadCases),
                         [](const testing::TestParamInfo<BadCase>& info) { return info.param.name; });

TEST(DomParser, ExceptionCarriesTheParsersMessage)
{
    DOM_Parser parser;
    try {
        delete parser.Parse("<a></b>");
        FAIL();
    } catch (const ParsingException& e) {
        EXPECT_EQ(6, e.position);
        EXPECT_EQ("ParsingException\nEnd tag mismatch with start tag(a) in 6\n" + std::string(1, '\0'), e.message);
    }
}

TEST(DomParser, DocumentOutlivesTheParser)
{
    Document* document;
    {
        DOM_Parser parser;
        document = parser.Parse("<r>t</r>");
    }
    EXPECT_EQ("t", document->GetRootElement()->GetText());
    delete document;
}

// A million levels: parsing, writing, copying and deleting must not use the call stack.
TEST(DomParser, MillionLevelsDeep)
{
    const int levels = 1000000;
    std::string text;
    text.reserve(levels * 8);
    for (int i = 0; i < levels; ++i)
        text += "<a>";
    text += "x";
    for (int i = 0; i < levels; ++i)
        text += "</a>";
    auto document = Parse(text);
    std::string written = document->ToString(false, "\t", 0);
    EXPECT_EQ("<?xml?>" + text, written);

    std::unique_ptr<Node> copy(document->Clone(*document, End));
    document.reset();
    EXPECT_EQ(written.size(), copy->ToString(false, "", 0).size());
}

TEST(DomParser, DeepIndentation)
{
    auto document = Parse("<a><a><a><a>x</a></a></a></a>");
    EXPECT_EQ("<?xml?>\n<a>\n..<a>\n....<a>\n......<a>\n........x\n......</a>\n....</a>\n..</a>\n</a>\n",
              document->ToString(true, "..", 0));
}

}
