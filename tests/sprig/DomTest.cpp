#include "sprig/DOM_Exception.h"
#include "sprig/Document.h"
#include "sprig/Writer.h"

#include <gtest/gtest.h>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

using namespace Sprig;

namespace {

std::string Message(const std::string& lines)
{
    return "DOM_Exception\n" + lines + "\n" + std::string(1, '\0');
}

// Runs action, which must raise DOM_Exception; gives the exception.
DOM_Exception Raised(const std::function<void()>& action)
{
    try {
        action();
    } catch (const DOM_Exception& e) {
        return e;
    }
    ADD_FAILURE() << "no DOM_Exception";
    return DOM_Exception(nullptr, -1, "");
}

// Child types in order, e.g. "60 10 11".
std::string Shape(const NodeContainer& container)
{
    std::string shape;
    for (const Node* child : container.Children()) {
        if (!shape.empty())
            shape += ' ';
        char hex[8];
        std::snprintf(hex, sizeof hex, "%x", child->GetType());
        shape += hex;
    }
    return shape;
}

std::string Name(const Node* node)
{
    return dynamic_cast<const NamedNode*>(node)->GetName();
}

TEST(Document, CreateDocumentHoldsOneRootElement)
{
    std::unique_ptr<Document> document(CreateDocument("List"));
    ASSERT_EQ(1u, document->Children().size());
    Element* root = document->GetRootElement();
    EXPECT_EQ("List", root->GetName());
    EXPECT_EQ("", root->GetNamespaceURI());
    EXPECT_EQ(document.get(), root->GetParent());
}

TEST(Document, RootElementIsTheFirstElementChild)
{
    Document document;
    CreateAttribute("version", "1.0", &document);
    CreateComment("c", &document);
    Element* first = CreateElement("a", &document);
    CreateElement("b", &document);
    EXPECT_EQ(first, document.GetRootElement());
}

TEST(Document, WithoutElementRootNodeNotFound)
{
    Document document;
    CreateAttribute("version", "1.0", &document);
    CreateComment("c", &document);
    DOM_Exception e = Raised([&] { document.GetRootElement(); });
    EXPECT_EQ(8, e.code);
    EXPECT_EQ(&document, e.node);
    EXPECT_EQ(Message("sprig\\Document:28\nRootNode not found"), e.message);
    EXPECT_STREQ(e.message.c_str(), e.what());
}

TEST(Node, ParentNotFound)
{
    Element element("e");
    DOM_Exception e = Raised([&] { element.GetParent(); });
    EXPECT_EQ(7, e.code);
    EXPECT_EQ(Message("sprig\\Node:27\nParent not found."), e.message);
    const Element& constant = element;
    EXPECT_EQ(Message("sprig\\Node:39\nParent not found."), Raised([&] { constant.GetParent(); }).message);
}

TEST(NodeContainer, GetAttributeFindsTheFirstOfTheName)
{
    Element element("e");
    Attribute* first = CreateAttribute("a", "1", &element);
    CreateAttribute("a", "2", &element);
    EXPECT_EQ(first, element.GetAttribute("a"));
    EXPECT_EQ("1", element.GetAttribute("a")->GetValue());
}

TEST(NodeContainer, GetAttributeMatchesTheQualifiedName)
{
    Document document;
    Element* root = CreateElement("r", &document);
    root->AddNamespace("p", "u");
    CreateAttribute("x", "u", "1", root);
    EXPECT_EQ("1", root->GetAttribute("p:x")->GetValue());
    EXPECT_EQ(8, Raised([&] { root->GetAttribute("x"); }).code);
}

TEST(NodeContainer, MissingAttribute)
{
    Element element("e");
    CreateText("a", &element);
    DOM_Exception e = Raised([&] { element.GetAttribute("a"); });
    EXPECT_EQ(8, e.code);
    EXPECT_EQ(Message("sprig\\NodeContainer:88\nAttribute not found(a)"), e.message);
}

TEST(NodeContainer, GetTextJoinsDirectTextChildrenOnly)
{
    Element element("n");
    CreateText("ab", &element);
    CreateComment("c", &element);
    CreateAttribute("t", "v", &element);
    CreateText("d", &element);
    CreateText("e", CreateElement("x", &element));
    EXPECT_EQ("abd", element.GetText());
    EXPECT_EQ("", Element("empty").GetText());
}

TEST(NodeContainer, AppendChildTwiceIsPointerDuplication)
{
    Element element("e");
    Text* text = CreateText("t", &element);
    DOM_Exception e = Raised([&] { element.AppendChild(text); });
    EXPECT_EQ(9, e.code);
    EXPECT_EQ("DOM_Exception\nsprig\\NodeContainer:28Pointer duplication\n" + std::string(1, '\0'), e.message);
    EXPECT_EQ(1u, element.Children().size());
}

TEST(NodeContainer, AppendChildMovesANodeOutOfItsOldContainer)
{
    // Two containers owning one node would delete it twice.
    auto first = std::make_unique<Element>("first");
    auto second = std::make_unique<Element>("second");
    Element* moved = CreateElement("m", first.get());
    CreateText("t", first.get());
    second->AppendChild(moved);
    EXPECT_EQ("10", Shape(*first));
    EXPECT_EQ("60", Shape(*second));
    EXPECT_EQ(second.get(), moved->GetParent());
    first.reset();
    EXPECT_EQ("m", Name(second->Children()[0]));
}

TEST(NodeContainer, AppendingAnAncestorIsRefused)
{
    Document document;
    Element* root = CreateElement("r", &document);
    Element* child = CreateElement("c", root);
    Element* grandchild = CreateElement("g", child);
    for (Element* ancestor : {root, child, grandchild}) {
        DOM_Exception e = Raised([&] { grandchild->AppendChild(ancestor); });
        EXPECT_EQ(10, e.code);
        EXPECT_EQ(Message("sprig\\NodeContainer:28\nHierarchy request"), e.message);
    }
    EXPECT_EQ("60", Shape(document));
    EXPECT_EQ("60", Shape(*root));
    EXPECT_EQ(root, child->GetParent());
    EXPECT_EQ("", Shape(*grandchild));
}

TEST(NodeContainer, InsertChildBeforePosition)
{
    Element element("e");
    CreateText("a", &element);
    CreateText("c", &element);
    element.InsertChild(new Text("b"), 1);
    element.InsertChild(new Comment("front"), 0);
    element.InsertChild(new Comment("back"), 99);
    EXPECT_EQ("11 10 10 10 11", Shape(element));
    EXPECT_EQ("abc", element.GetText());
}

TEST(Node, DeletingAChildLeavesNoDanglingEntry)
{
    std::unique_ptr<Document> document(CreateDocument("r"));
    Element* root = document->GetRootElement();
    Element* a = CreateElement("a", root);
    CreateText("x", a);
    Element* b = CreateElement("b", root);
    Element* c = CreateElement("c", root);
    delete b;
    EXPECT_EQ("a c", Name(root->Children()[0]) + " " + Name(root->Children()[1]));
    EXPECT_EQ(2u, root->Children().size());
    a->Release();
    ASSERT_EQ(1u, root->Children().size());
    EXPECT_EQ(c, root->Children()[0]);
}

TEST(Node, DeletingTheDocumentDeletesEveryNode)
{
    // The leak checker of the sanitizer build sees any node left behind.
    Document* document = CreateDocument("r");
    Element* root = document->GetRootElement();
    for (int i = 0; i < 3; ++i) {
        Element* item = CreateElement("item", root);
        CreateAttribute("n", std::to_string(i), item);
        CreateText("t", CreateElement("sub", item));
        CreateComment("c", item);
    }
    root->AddNamespace("p", "u");
    document->Release();
}

struct QualifiedCase {
    const char* name;
    const char* declaredPrefix;  // declared on the root for "u", or null
    const char* elementURI;
    const char* attributeURI;
    const char* elementName;
    const char* attributeName;
};

const QualifiedCase kQualifiedCases[] = {
    {"NoNamespace", nullptr, "", "", "e", "a"},
    {"PrefixFromAncestor", "p", "u", "", "p:e", "a"},
    {"DefaultNamespace", "", "u", "", "e", "a"},
    {"AttributeInTheElementsNamespace", "p", "u", "u", "p:e", "a"},
    {"AttributeInAnotherNamespace", "p", "", "u", "e", "p:a"},
    {"AttributeInTheDefaultNamespaceKeepsTheColon", "", "", "u", "e", ":a"},
};

class QualifiedNames : public testing::TestWithParam<QualifiedCase> {};

TEST_P(QualifiedNames, PrefixFoundFromTheDeclarations)
{
    const QualifiedCase& c = GetParam();
    Document document;
    Element* root = CreateElement("r", &document);
    if (c.declaredPrefix)
        root->AddNamespace(c.declaredPrefix, "u");
    Element* element = CreateElement("e", c.elementURI, root);
    Attribute* attribute = CreateAttribute("a", c.attributeURI, "v", element);
    EXPECT_EQ(c.elementName, element->GetQualifiedName());
    EXPECT_EQ(c.attributeName, attribute->GetQualifiedName());
}

INSTANTIATE_TEST_SUITE_P(Trees, QualifiedNames, testing::ValuesIn(kQualifiedCases),
                         [](const testing::TestParamInfo<QualifiedCase>& info) { return info.param.name; });

TEST(Namespaces, UndeclaredURIIsNamespaceNotDefined)
{
    Document document;
    document.AddNamespace("d", "v");
    Element* root = CreateElement("r", &document);
    Element* element = CreateElement("e", "U", root);
    DOM_Exception e = Raised([&] { element->GetQualifiedName(); });
    EXPECT_EQ(11, e.code);
    EXPECT_EQ(&document, e.node);
    EXPECT_EQ(Message("sprig\\NodeContainer:170\nNamespace Not Defined(U)"), e.message);
    // The document searches its own declarations for a prefix.
    EXPECT_EQ("d:e", CreateElement("e", "v", root)->GetQualifiedName());
}

TEST(Namespaces, LookupsWalkUpToTheDocument)
{
    Document document;
    document.AddNamespace("d", "v");
    Element* root = CreateElement("r", &document);
    root->AddNamespace("z", "u");
    root->AddNamespace("b", "u");
    root->AddNamespace("", "w");
    Element* inner = CreateElement("i", root);
    EXPECT_FALSE(inner->AddNamespace("x", "y") && inner->AddNamespace("x", "other"));
    EXPECT_EQ("y", inner->LookupNamespaceURI("x"));
    EXPECT_EQ("u", inner->LookupNamespaceURI("b"));
    EXPECT_EQ("w", inner->LookupNamespaceURI(""));
    EXPECT_EQ("", inner->LookupNamespaceURI("undeclared"));
    EXPECT_EQ("", inner->LookupNamespaceURI("d"));
    EXPECT_EQ("b", inner->LookupPrefix("u"));
    EXPECT_TRUE(inner->IsNamespaceDefined("u"));
    EXPECT_FALSE(inner->IsNamespaceDefined("v"));
    EXPECT_FALSE(document.IsNamespaceDefined("v"));
}

TEST(Namespaces, ElementWithoutParentCannotLookUp)
{
    Element element("e");
    EXPECT_EQ(7, Raised([&] { element.LookupNamespaceURI("p"); }).code);
    Attribute detached("a", "", "v");
    EXPECT_EQ(7, Raised([&] { detached.GetQualifiedName(); }).code);
}

TEST(Creation, PositionsInsertAndAttributesAppend)
{
    Element element("e");
    CreateText("t", &element);
    CreateElement("first", &element, 0);
    CreateComment("c", &element, 1);
    CreateElement("x", "u", &element, 2);
    CreateAttribute("a", "1", &element);
    EXPECT_EQ("60 11 60 10 30", Shape(element));
    EXPECT_EQ("u", dynamic_cast<Element*>(element.Children()[2])->GetNamespaceURI());
}

TEST(Creation, NullParentGivesADetachedNode)
{
    std::unique_ptr<Text> text(CreateText("t", nullptr));
    EXPECT_EQ(7, Raised([&] { text->GetParent(); }).code);
}

TEST(Clone, ElementCopiesItsSubtreeButNotItsDeclarations)
{
    Document document;
    Element* root = CreateElement("r", &document);
    Element* item = CreateElement("item", "u", root);
    item->AddNamespace("p", "u");
    CreateAttribute("a", "1", item);
    CreateText("t", CreateElement("sub", item));
    CreateComment("c", item);
    Element* target = CreateElement("target", root);
    CreateText("last", target);

    Node* copy = item->Clone(*target, 0);
    ASSERT_EQ(copy, target->Children()[0]);
    auto* element = dynamic_cast<Element*>(copy);
    EXPECT_EQ("item", element->GetName());
    EXPECT_EQ("u", element->GetNamespaceURI());
    EXPECT_TRUE(element->Namespaces().empty());
    EXPECT_EQ("30 60 11", Shape(*element));
    EXPECT_EQ("t", dynamic_cast<Element*>(element->Children()[1])->GetText());
    EXPECT_EQ("1", element->GetAttribute("a")->GetValue());
}

TEST(Clone, LeavesIgnorePositionOnlyForAttributes)
{
    Element source("s");
    Attribute* attribute = CreateAttribute("a", "1", &source);
    Text* text = CreateText("t", &source);
    Comment* comment = CreateComment("c", &source);
    Element target("target");
    CreateElement("x", &target);
    text->Clone(target, 0);
    comment->Clone(target, 1);
    attribute->Clone(target, 0);
    EXPECT_EQ("10 11 60 30", Shape(target));
}

TEST(Clone, DocumentMakesANewDocument)
{
    std::unique_ptr<Document> document(CreateDocument("r"));
    CreateAttribute("version", "1.0", document.get());
    CreateText("x", document->GetRootElement());
    Element unused("unused");
    std::unique_ptr<Node> copy(document->Clone(unused, 0));
    EXPECT_TRUE(unused.Children().empty());
    EXPECT_EQ(document->ToString(true, "\t", 0), copy->ToString(true, "\t", 0));
    EXPECT_EQ(DocumentNode, copy->GetType());
}

TEST(Clone, IntoItsOwnSubtreeEnds)
{
    Element root("r");
    Element* a = CreateElement("a", &root);
    CreateText("t", a);
    a->Clone(*a, End);
    EXPECT_EQ("<a>\nt\n<a>\nt\n</a>\n</a>\n", a->ToString(true, "", 0));
}

TEST(Writer, DocumentLayout)
{
    std::unique_ptr<Document> document(CreateDocument("List"));
    CreateAttribute("version", "1.0", document.get());
    CreateAttribute("encoding", "Shift_JIS", document.get());
    CreateText("a.rec", CreateElement("Item", document->GetRootElement()));
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<List>\n\t<Item>\n\t\ta.rec\n\t</Item>\n</List>\n",
              document->ToString(true, "\t", 0));
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><List><Item>a.rec</Item></List>",
              document->ToString(false, "\t", 0));
}

struct WriteCase {
    const char* name;
    std::function<Node*(Document&)> build;  // returns the node to write
    int depth;
    std::string expected;
};

const WriteCase kWriteCases[] = {
    {"DeclarationWithoutAttributes", [](Document& d) { return &d; }, 0, "<?xml?>\n"},
    {"EmptyElement", [](Document& d) { return CreateElement("e", &d); }, 0, "<e/>\n"},
    {"EmptyTextStillMakesContent",
     [](Document& d) {
         Element* e = CreateElement("e", &d);
         CreateText("", e);
         return e;
     },
     0, "<e>\n\t\n</e>\n"},
    {"TextAndValueEscaped",
     [](Document& d) {
         Element* e = CreateElement("e", &d);
         CreateAttribute("v", "a\"<&>'", e);
         CreateText("x < y & z > \"w\" 'v'", e);
         return e;
     },
     0, "<e v=\"a&quot;&lt;&amp;>'\">\n\tx &lt; y &amp; z &gt; \"w\" 'v'\n</e>\n"},
    {"DeclarationUriEscaped",
     [](Document& d) {
         Element* e = CreateElement("e", "u?a=1&b=\"2\"", &d);
         e->AddNamespace("", "u?a=1&b=\"2\"");
         return e;
     },
     0, "<e xmlns=\"u?a=1&amp;b=&quot;2&quot;\"/>\n"},
    {"CommentAtTheChildrensDepth",
     [](Document& d) {
         Element* e = CreateElement("e", &d);
         CreateComment("note", e);
         return e;
     },
     1, "\t<e>\n\t\t<!--note-->\n\t</e>\n"},
    {"DeclarationsInPrefixOrderBeforeAttributes",
     [](Document& d) {
         Element* e = CreateElement("e", "u", &d);
         CreateAttribute("z", "1", e);
         e->AddNamespace("q", "w");
         e->AddNamespace("", "u");
         e->AddNamespace("p", "w");
         CreateAttribute("a", "w", "2", e);
         return e;
     },
     0, "<e xmlns=\"u\" xmlns:p=\"w\" xmlns:q=\"w\" z=\"1\" p:a=\"2\"/>\n"},
    {"DocumentChildrenAtTheSameDepth",
     [](Document& d) {
         CreateComment("c", &d);
         CreateText("t", CreateElement("r", &d));
         return &d;
     },
     1, "\t<?xml?>\n\t<!--c-->\n\t<r>\n\t\tt\n\t</r>\n"},
    {"AttributeAlone",
     [](Document& d) { return CreateAttribute("a", "1", CreateElement("e", &d)); }, 3, "a=\"1\""},
    {"TextAlone", [](Document& d) { return CreateText("t", &d); }, 2, "\t\tt\n"},
};

class Writing : public testing::TestWithParam<WriteCase> {};

TEST_P(Writing, Formatted)
{
    Document document;
    Node* node = GetParam().build(document);
    EXPECT_EQ(GetParam().expected, node->ToString(true, "\t", GetParam().depth));
}

INSTANTIATE_TEST_SUITE_P(Trees, Writing, testing::ValuesIn(kWriteCases),
                         [](const testing::TestParamInfo<WriteCase>& info) { return info.param.name; });

struct EscapeCase {
    const char* name;
    std::string value;
    std::string asText;       // written as an element's text
    std::string asAttribute;  // written as an attribute value
};

// A text holds what it means (references decoded); an attribute value holds its source form
// (references kept), so only an ampersand that begins no reference is escaped there.
const EscapeCase kEscapeCases[] = {
    {"Plain", "Alice 03", "Alice 03", "Alice 03"},
    {"ShiftJisBytesUntouched", "\x83\x5c\x95\x5c>", "\x83\x5c\x95\x5c&gt;", "\x83\x5c\x95\x5c>"},
    {"PredefinedReferences", "&amp;&lt;&gt;&quot;&apos;", "&amp;amp;&amp;lt;&amp;gt;&amp;quot;&amp;apos;",
     "&amp;&lt;&gt;&quot;&apos;"},
    {"CharacterReferences", "&#38;&#x3C;&#x3042;&#X41;&#9;",
     "&amp;#38;&amp;#x3C;&amp;#x3042;&amp;#X41;&amp;#9;", "&#38;&#x3C;&#x3042;&amp;#X41;&#9;"},
    {"AmpersandsThatBeginNoReference", "A&B &foo; &#; &#x; &amp &#0; &#xD800; &#xFFFE; &#x110000; &#99999999999;",
     "A&amp;B &amp;foo; &amp;#; &amp;#x; &amp;amp &amp;#0; &amp;#xD800; &amp;#xFFFE; &amp;#x110000; &amp;#99999999999;",
     "A&amp;B &amp;foo; &amp;#; &amp;#x; &amp;amp &amp;#0; &amp;#xD800; &amp;#xFFFE; &amp;#x110000; &amp;#99999999999;"},
    {"ReferenceAtTheEnd", "x&lt;", "x&amp;lt;", "x&lt;"},
    {"LoneAmpersandAtTheEnd", "x&", "x&amp;", "x&amp;"},
    {"CarriageReturnSurvivesAReader", "a\r\nb\tc", "a&#13;\nb\tc", "a\r\nb\tc"},
    {"ControlCharactersXmlCannotCarry", std::string("a\0b\x01\x1f\x7f", 6), "a?b??\x7f", "a?b??\x7f"},
};

class Escaping : public testing::TestWithParam<EscapeCase> {};

TEST_P(Escaping, TextAndAttributeValue)
{
    std::unique_ptr<Document> document(CreateDocument("e"));
    Element* root = document->GetRootElement();
    CreateText(GetParam().value, root);
    Attribute* attribute = CreateAttribute("v", GetParam().value, root);
    EXPECT_EQ("<e v=\"" + GetParam().asAttribute + "\">" + GetParam().asText + "</e>", root->ToString(false, "", 0));
    EXPECT_EQ("v=\"" + GetParam().asAttribute + "\"", attribute->ToString(true, "\t", 2));
}

INSTANTIATE_TEST_SUITE_P(Values, Escaping, testing::ValuesIn(kEscapeCases),
                         [](const testing::TestParamInfo<EscapeCase>& info) { return info.param.name; });

struct ReferenceCase {
    const char* name;
    std::string value;
    std::string written;  // as an attribute value
};

// Where a reference in an attribute value ends: at its ';', which the writer looks for no further
// than a reference can reach.
const ReferenceCase kReferenceCases[] = {
    {"HexAtTheLastCharacter", "&#x10FFFF;", "&#x10FFFF;"},
    {"HexPastTheLastCharacter", "&#x110000;", "&amp;#x110000;"},
    {"DecimalAtTheLastCharacter", "&#1114111;", "&#1114111;"},
    {"DecimalPastTheLastCharacter", "&#1114112;", "&amp;#1114112;"},
    {"LeadingZeros", "&#x0000000041;&#0000000000065;", "&#x0000000041;&#0000000000065;"},
    {"LeadingZerosThenTooLarge", "&#00000000001114112;", "&amp;#00000000001114112;"},
    {"HexDigitsOfBothCases", "&#xaBcD;&#x0f;", "&#xaBcD;&amp;#x0f;"},
    {"AroundTheSurrogates", "&#xD7FF;&#xD800;&#xDFFF;&#xE000;", "&#xD7FF;&amp;#xD800;&amp;#xDFFF;&#xE000;"},
    {"AroundTheNonCharacters", "&#xFFFD;&#xFFFF;&#x10000;", "&#xFFFD;&amp;#xFFFF;&#x10000;"},
    {"ControlCharacters", "&#9;&#10;&#13;&#31;&#x1F;&#32;", "&#9;&#10;&#13;&amp;#31;&amp;#x1F;&#32;"},
    {"DigitsOfTheOtherBase", "&#a;&#xg;&#12a;", "&amp;#a;&amp;#xg;&amp;#12a;"},
    {"EmptyNames", "&;&#;&#x;", "&amp;;&amp;#;&amp;#x;"},
    {"NamesThatAreNearlyPredefined", "&am;&ampx;&AMP;&quo;&aposs;", "&amp;am;&amp;ampx;&amp;AMP;&amp;quo;&amp;aposs;"},
    {"NoSemicolonBeforeTheEnd", "&#x41", "&amp;#x41"},
    {"NameAtTheEnd", "&quot", "&amp;quot"},
    {"SemicolonOnlyAfterTheNextReference", "&amp&lt;&#65&#66;", "&amp;amp&lt;&amp;#65&#66;"},
    {"SemicolonFarBehind", "&#6" + std::string(100, '5') + ";", "&amp;#6" + std::string(100, '5') + ";"},
    {"AmpersandsOnly", std::string(1000, '&'), [] {
         std::string written;
         for (int i = 0; i < 1000; ++i)
             written += "&amp;";
         return written;
     }()},
};

class ReferenceEnd : public testing::TestWithParam<ReferenceCase> {};

TEST_P(ReferenceEnd, KeepsOnlyWhatAReaderAccepts)
{
    std::string out = "pre";
    Writer::AppendAttributeValue(out, GetParam().value);
    EXPECT_EQ("pre" + GetParam().written, out);
}

INSTANTIATE_TEST_SUITE_P(Values, ReferenceEnd, testing::ValuesIn(kReferenceCases),
                         [](const testing::TestParamInfo<ReferenceCase>& info) { return info.param.name; });

TEST(Writer, TheDeclarationEscapesItsValues)
{
    std::unique_ptr<Document> document(CreateDocument("r"));
    CreateAttribute("version", "1.0", document.get());
    CreateAttribute("note", "a\"b&c", document.get());
    EXPECT_EQ("<?xml version=\"1.0\" note=\"a&quot;b&amp;c\"?><r/>", document->ToString(false, "", 0));
}

struct AttributeTextCase {
    const char* name;
    std::string plain;
    std::string sourceForm;
};

class PlainAttributeText : public testing::TestWithParam<AttributeTextCase> {};

// A plain text such as a file name becomes an attribute value that the writer keeps as it is.
TEST_P(PlainAttributeText, BecomesItsSourceForm)
{
    EXPECT_EQ(GetParam().sourceForm, AttributeText(GetParam().plain));
    Element element("e");
    std::string written = CreateAttribute("v", AttributeText(GetParam().plain), &element)->ToString(false, "", 0);
    EXPECT_EQ("v=\"" + GetParam().sourceForm + "\"", written);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PlainAttributeText,
    testing::Values(AttributeTextCase{"Plain", "castle-duel.rec", "castle-duel.rec"},
                    AttributeTextCase{"Ampersand", "Tom & Jerry's.rec", "Tom &amp; Jerry's.rec"},
                    AttributeTextCase{"LooksLikeAReference", "a&amp;b&#38;.rec", "a&amp;amp;b&amp;#38;.rec"},
                    AttributeTextCase{"QuoteAndBrackets", "\"<x>\"", "&quot;&lt;x>&quot;"},
                    AttributeTextCase{"Japanese", "\x95\x5c&\x83\x5c", "\x95\x5c&amp;\x83\x5c"}),
    [](const testing::TestParamInfo<AttributeTextCase>& info) { return info.param.name; });

TEST(Writer, UndeclaredNamespaceRaisesCode11)
{
    std::unique_ptr<Document> document(CreateDocument("r"));
    CreateElement("e", "nowhere", document->GetRootElement());
    EXPECT_EQ(11, Raised([&] { document->ToString(true, "\t", 0); }).code);
}

}
