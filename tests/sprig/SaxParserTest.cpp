#include "sprig/SAX_Parser.h"

#include "EventLog.h"
#include "PieceStream.h"

#include <gtest/gtest.h>
#include <functional>
#include <sstream>
#include <string>

using Sprig::ParsingException;
using Sprig::SAX_Parser;
using namespace std::string_literals;

namespace {

std::string ParseText(const std::string& input, bool ignoreWhitespace, bool* result = nullptr, bool stop = true)
{
    EventLog log(stop);
    SAX_Parser parser;
    parser.SetHandler(&log);
    parser.ignoreWhitespace = ignoreWhitespace;
    bool ok = parser.Parse(input);
    if (result)
        *result = ok;
    return log.log;
}

std::string ParseStream(const std::string& input, std::size_t pieceSize, bool ignoreWhitespace, bool* result = nullptr)
{
    EventLog log;
    SAX_Parser parser;
    parser.SetHandler(&log);
    parser.ignoreWhitespace = ignoreWhitespace;
    PieceStream stream(input, pieceSize);
    bool ok = parser.Parse(stream);
    if (result)
        *result = ok;
    return log.log;
}

struct EventCase {
    const char* name;
    std::string input;
    bool ignoreWhitespace;
    std::string events;
};

const EventCase kEventCases[] = {
    {"DeclarationElementsTextComment", R"(<?xml version="1.0"?><a x="1">t<b/><!--c--></a>)", true,
     "decl version=1.0\nstart a x=1\ntext[t]\nstart b\nend b\ncomment[c]\nend a\n"},
    {"NamedEntity", "<a>a &lt; b</a>", true, "start a\ntext[a < b]\nend a\n"},
    {"AllNamedEntities", "<a>&lt;&gt;&amp;&quot;&apos;</a>", true, "start a\ntext[<>&\"']\nend a\n"},
    {"CharacterReferences", "<a>&#65;&#x41;&#x6a;&#x4A;</a>", true, "start a\ntext[AAjJ]\nend a\n"},
    {"ReferenceModulo256", "<a>&#321;</a>", true, "start a\ntext[A]\nend a\n"},
    {"EmptyReferenceIsNul", "<a>&#;</a>", true, "start a\ntext[\0]\nend a\n"s},
    {"UnknownEntityStays", "<a>&foo;</a>", true, "start a\ntext[&foo;]\nend a\n"},
    {"BadDigitStays", "<a>&#1a;</a>", true, "start a\ntext[&#1a;]\nend a\n"},
    {"UpperXIsNotHex", "<a>&#X41;</a>", true, "start a\ntext[&#X41;]\nend a\n"},
    {"BlankAfterAmpersand", "<a>& lt;</a>", true, "start a\ntext[<]\nend a\n"},
    {"LoneAmpersand", "<a>x & <b/></a>", false, "start a\ntext[x &]\nstart b\nend b\nend a\n"},
    {"AttributeValueUninterpreted", "<a v=\"a&amp;b <x>\"/>", true, "start a v=a&amp;b <x>\nend a\n"},
    {"QuotesInsideOtherQuotes", "<a v='say \"hi\"' w=\"it's\"/>", true, "start a v=say \"hi\" w=it's\nend a\n"},
    {"BlanksAroundEquals", "<a  v = \"1\"\tw\n=\r'2' />", true, "start a v=1 w=2\nend a\n"},
    {"DuplicateAttributesKept", "<a v=\"1\" v=\"2\"/>", true, "start a v=1 v=2\nend a\n"},
    {"TrimmedText", "<a>  x  </a>", true, "start a\ntext[x]\nend a\n"},
    {"UntrimmedText", "<a>  x  </a>", false, "start a\ntext[  x  ]\nend a\n"},
    {"WhitespaceBetweenTagsDropped", "<a>\n\t<b/>\r\n</a>", true, "start a\nstart b\nend b\nend a\n"},
    {"WhitespaceBetweenTagsKept", "<a> <b/> </a>", false, "start a\ntext[ ]\nstart b\nend b\ntext[ ]\nend a\n"},
    {"CDataUnchanged", "<a><![CDATA[ <x> &amp; ]]></a>", true, "start a\ntext[ <x> &amp; ]\nend a\n"},
    {"EmptyCData", "<a><![CDATA[]]></a>", true, "start a\ntext[]\nend a\n"},
    {"CDataWithBrackets", "<a><![CDATA[x]y]]z]]]></a>", true, "start a\ntext[x]y]]z]]\nend a\n"},
    {"NotCDataIsSkipped", "<a><![CDATX[y]></a>", true, "start a\nend a\n"},
    {"DoctypeSkipped", "<!DOCTYPE r [ x ]><r/>", true, "start r\nend r\n"},
    {"BangGreaterSkipped", "<!><r/>", true, "start r\nend r\n"},
    {"ProcessingInstructionAfterDeclaration", "<?xml version=\"1.0\"?><?pi a?b>c?><r/>", true,
     "decl version=1.0\nstart r\nend r\n"},
    {"DeclarationWithoutAttributes", "<?xml?><r/>", true, "decl\nstart r\nend r\n"},
    {"CommentWithDashes", "<a><!-- a - b -- c --></a>", true, "start a\ncomment[ a - b -- c ]\nend a\n"},
    {"CommentNotTrimmed", "<a><!--\n x \n--></a>", true, "start a\ncomment[\n x \n]\nend a\n"},
    {"TrailingJunkNeverRead", "<r/> <<<& junk </x>", true, "start r\nend r\n"},
    {"CutOffInsideElements", "<a><b>text", true, "start a\nstart b\ntext[text]\n"},
    {"UnterminatedCommentDropped", "<a><!-- abc", true, "start a\n"},
    {"UnterminatedCDataDropped", "<a><![CDATA[abc", true, "start a\n"},
    {"TextBeforeRoot", "hello <r/>", true, "text[hello]\nstart r\nend r\n"},
    {"EmptyInput", "", true, ""},
    {"BlankAfterLess", "< a ></a>", true, "start a\nend a\n"},
    {"ShiftJisPassesThrough", "<\x93\xfa v=\"\x95\x5c\">\x96\x7b</\x93\xfa>", true,
     "start \x93\xfa v=\x95\x5c\ntext[\x96\x7b]\nend \x93\xfa\n"},
    {"PrefixedNames", "<p:a xmlns:p=\"u\" p:x=\"1\"><p:b/></p:a>", true,
     "start p:a xmlns:p=u p:x=1\nstart p:b\nend p:b\nend p:a\n"},
    {"NamesWithDotsAndDigits", "<a.b_c1 d.e=\"1\"/>", true, "start a.b_c1 d.e=1\nend a.b_c1\n"},
};

class SaxEvents : public testing::TestWithParam<EventCase> {};

TEST_P(SaxEvents, TextMode)
{
    bool result = false;
    EXPECT_EQ(GetParam().events, ParseText(GetParam().input, GetParam().ignoreWhitespace, &result));
    EXPECT_TRUE(result);
}

TEST_P(SaxEvents, StreamModeInPiecesOfEverySize)
{
    for (std::size_t piece : {1, 2, 3, 4, 5, 4096}) {
        bool result = false;
        EXPECT_EQ(GetParam().events, ParseStream(GetParam().input, piece, GetParam().ignoreWhitespace, &result))
            << "pieces of " << piece;
        EXPECT_TRUE(result);
    }
}

INSTANTIATE_TEST_SUITE_P(Inputs, SaxEvents, testing::ValuesIn(kEventCases),
                         [](const testing::TestParamInfo<EventCase>& info) { return info.param.name; });

struct ErrorCase {
    const char* name;
    std::string input;
    int code;
    int position;
    std::string message;
};

std::string Message(const std::string& lines)
{
    return "ParsingException\n" + lines + "\n" + std::string(1, '\0');
}

const ErrorCase kErrorCases[] = {
    {"EntityWithoutSemicolon", "<a>&lt x</a>", 0, 6,
     Message("sprig\\SAX_Parser:485\nUnexpected token in 6\n(expected ';')")},
    {"NeitherNameNorMark", "<=a/>", 0, 1, Message("sprig\\SAX_Parser:124\nUnexpected token in 1\n(expected !,?,/ or text)")},
    {"BlankBeforeEndTagName", "<a></ a>", 0, 5, Message("sprig\\SAX_Parser:137\nUnexpected token in 5\n(expected text)")},
    {"EndTagNotClosed", "<a></a x>", 0, 7, Message("sprig\\SAX_Parser:153\nUnexpected token in 7\n(expected '>')")},
    {"HyphenInName", "<my-tag/>", 0, 3, Message("sprig\\SAX_Parser:203\nUnexpected token in 3\n(Expected '>')")},
    {"AttributeWithoutEquals", "<a b/>", 0, 4, Message("sprig\\SAX_Parser:257\nUnexpected token in 4\n(Expected '=')")},
    {"AttributeWithoutQuote", "<a b=c/>", 0, 5,
     Message("sprig\\SAX_Parser:273\nUnexpected token in 5\n(Expected ' or \" )")},
    {"InstructionBeforeDeclaration", "<?foo?><r/>", 5, 2,
     Message("sprig\\SAX_Parser:353\nUnexpected token in 2\n(Expected \"xml\")")},
    {"DeclarationWithoutQuestionMark", "<?xml version=\"1.0\"><r/>", 0, 19,
     Message("sprig\\SAX_Parser:369\nUnexpected token in 19\n(Expected '?' )")},
    {"DeclarationNotClosed", "<?xml version=\"1.0\"?x<r/>", 0, 20,
     Message("sprig\\SAX_Parser:382\nUnexpected token in 20\n(Expected '>' [100] )")},
    {"DoctypeCutOff", "<!DOCTYPE r", 3, 11, Message("sprig\\SAX_Parser:320\nUnexpected end of document")},
    {"AttributeValueCutOff", "<a v=\"abc", 3, 9, Message("sprig\\SAX_Parser:320\nUnexpected end of document")},
    {"InstructionCutOff", "<?xml?><r><?pi abc", 3, 18, Message("sprig\\SAX_Parser:320\nUnexpected end of document")},
    {"EndTagMismatch", "<a></b>", 6, 6, Message("End tag mismatch with start tag(a) in 6")},
    {"EndTagOfNothing", "</a>", 6, 3, Message("End tag mismatch with start tag() in 3")},
};

class SaxErrors : public testing::TestWithParam<ErrorCase> {};

TEST_P(SaxErrors, ReportedToTheHandlerWhichStops)
{
    EventLog log;
    SAX_Parser parser;
    parser.SetHandler(&log);
    parser.ignoreWhitespace = true;
    EXPECT_FALSE(parser.Parse(GetParam().input));
    ASSERT_EQ(1u, log.errors.size()) << log.log;
    const ParsingException& e = log.errors[0];
    EXPECT_EQ(GetParam().code, e.code);
    EXPECT_EQ(GetParam().position, e.position);
    EXPECT_EQ(GetParam().message, e.message);
    EXPECT_STREQ(GetParam().message.c_str(), e.what());
}

INSTANTIATE_TEST_SUITE_P(Inputs, SaxErrors, testing::ValuesIn(kErrorCases),
                         [](const testing::TestParamInfo<ErrorCase>& info) { return info.param.name; });

struct GoOnCase {
    const char* name;
    std::string input;
    std::string events;
};

// With a handler that lets the parse go on, each rule's recovery; every parse ends.
const GoOnCase kGoOnCases[] = {
    {"EntityUsesReplacementAndDropsToken", "<a>&lt x</a>", "start a\nerror 0@6\ntext[<x]\nend a\n"},
    {"MismatchPopsAndReportsEndTagName", "<a></b>", "start a\nerror 6@6\nend b\n"},
    {"TextInsteadOfEqualsNamesNextAttribute", "<a b c=\"1\"/>", "error 0@5\nstart a c=1\nend a\n"},
    {"MarkInsteadOfEqualsEndsList", "<a b>x</a>", "error 0@4\nstart a\ntext[x]\nend a\n"},
    {"AttributeValueCutOffEnds", "<r><a v=\"abc", "start r\nerror 3@12\n"},
    {"InstructionCutOffEnds", "<?xml?><r><?pi abc", "decl\nstart r\nerror 3@18\n"},
    {"DoctypeCutOffEnds", "<r><!DOCTYPE x", "start r\nerror 3@14\n"},
    {"CutOffStartTag", "<a", "error 0@2\nstart a\n"},
    {"CutOffEndTag", "<a></", "start a\nerror 0@5\nerror 0@5\nerror 6@5\nend \0\n"s},
    {"InstructionBeforeDeclarationReadAsDeclaration", "<?foo a='1'?><r/>", "error 5@2\ndecl a=1\nstart r\nend r\n"},
};

class SaxGoOn : public testing::TestWithParam<GoOnCase> {};

TEST_P(SaxGoOn, RecoversAndEnds)
{
    bool result = false;
    EXPECT_EQ(GetParam().events, ParseText(GetParam().input, true, &result, false));
    EXPECT_TRUE(result);
}

INSTANTIATE_TEST_SUITE_P(Inputs, SaxGoOn, testing::ValuesIn(kGoOnCases),
                         [](const testing::TestParamInfo<GoOnCase>& info) { return info.param.name; });

TEST(SaxParser, WithoutHandlerRaisesCode4)
{
    SAX_Parser parser;
    std::istringstream stream("<r/>");
    struct Case {
        std::function<bool()> parse;
        const char* place;
    };
    for (const auto& c : {Case{[&] { return parser.Parse(std::string("<r/>")); }, "40"},
                          Case{[&] { return parser.Parse(stream); }, "54"}}) {
        try {
            c.parse();
            ADD_FAILURE() << "no exception";
        } catch (const ParsingException& e) {
            EXPECT_EQ(4, e.code);
            EXPECT_EQ(-1, e.position);
            EXPECT_EQ(Message(std::string("sprig\\SAX_Parser:") + c.place + "\nSet handler before parse."), e.message);
        }
    }
}

TEST(SaxParser, ReusedParserStartsWithEmptyStacks)
{
    EventLog log;
    SAX_Parser parser;
    parser.SetHandler(&log);
    EXPECT_FALSE(parser.Parse(std::string("<?xml?><a><b><c x=\"1\" y>")));
    EXPECT_TRUE(parser.Parse(std::string("<a><b>")));
    log.log.clear();
    // Stale open elements would make the junk after the root element a second element, and a
    // stale declaration flag would skip the declaration.
    EXPECT_TRUE(parser.Parse(std::string("<?xml v=\"2\"?><r/><junk>")));
    EXPECT_EQ("decl v=2\nstart r\nend r\n", log.log);
}

TEST(SaxParser, StreamPositionsCountFromThePieceAfterTheLastGreater)
{
    const std::string input = "<a>\n  <b x=y/></a>";
    EventLog text;
    SAX_Parser parser;
    parser.SetHandler(&text);
    parser.Parse(input);
    ASSERT_EQ(1u, text.errors.size());
    EXPECT_EQ(11, text.errors[0].position);

    EventLog stream;
    parser.SetHandler(&stream);
    PieceStream in(input, 2);
    parser.Parse(in);
    ASSERT_EQ(1u, stream.errors.size());
    EXPECT_EQ(8, stream.errors[0].position);
    EXPECT_NE(std::string::npos, stream.errors[0].message.find("Unexpected token in 8\n"));
}

TEST(SaxParser, StreamIsReadOnlyUpToTheGreaterAfterTheRoot)
{
    EventLog log;
    SAX_Parser parser;
    parser.SetHandler(&log);
    PieceStream in("<r/>\n rest>more>", 3);
    EXPECT_TRUE(parser.Parse(in));
    EXPECT_EQ("more>", in.Rest());
}

TEST(SaxParser, StreamReadToItsEndGetsEof)
{
    EventLog log;
    SAX_Parser parser;
    parser.SetHandler(&log);
    std::istringstream in("<a><b/>");
    EXPECT_TRUE(parser.Parse(in));
    EXPECT_TRUE(in.eof());
    EXPECT_EQ("start a\nstart b\nend b\n", log.log);
}

TEST(SaxParser, NulEndsTextButOnlyItsPieceOfAStream)
{
    const std::string input("<a>x\0junk><b/></a>", 18);
    EXPECT_EQ("start a\ntext[x]\n", ParseText(input, true));
    EXPECT_EQ("start a\ntext[x]\nstart b\nend b\nend a\n", ParseStream(input, 4, true));
}

}
