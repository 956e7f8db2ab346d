#include "sprig/PlainReader.h"
#include "sprig/SAX_Parser.h"

#include "EventLog.h"
#include "PlainEventLog.h"
#include "XmlGenerator.h"

#include <gtest/gtest.h>
#include <string>

using namespace std::string_literals;

namespace {

// The parser's events with ignoreWhitespace, stopping at the first error.
std::string ParserLog(const std::string& text, bool& errors)
{
    EventLog log;
    Sprig::SAX_Parser parser;
    parser.ignoreWhitespace = true;
    parser.SetHandler(&log);
    parser.Parse(text);
    errors = !log.errors.empty();
    return log.log;
}

struct PlainCase {
    const char* name;
    std::string text;
    bool plain;
};

const PlainCase kCases[] = {
    {"Elements", R"(<a x="1">t<b/></a>)", true},
    {"BothQuotes", R"(<a v='say "hi"' w="it's"/>)", true},
    {"BlanksAroundEquals", "<a  v = \"1\"\tw\n=\r'2' />", true},
    {"NoBlankBetweenAttributes", R"(<a v="1"w="2"/>)", true},
    {"EmptyValue", R"(<a v=""/>)", true},
    {"ValueUninterpreted", R"(<a v="a&amp;b <x>"/>)", true},
    {"TrimmedText", "<a>  x  </a>", true},
    {"MixedContent", "<a> x <b/>\r\n y\t</a>", true},
    {"WhitespaceBetweenTags", "\r\n <a>\n\t<b/>\r\n</a>", true},
    {"GreaterInText", "<a>1 > 0 ]]></a>", true},
    {"Deep", "<a><b><c>x</c><c/></b></a>", true},
    {"BlankAfterLess", "< a ></a >", true},
    {"ShiftJis", "<\x93\xfa v=\"\x95\x5c\">\x83\x5c\x96\x7b</\x93\xfa>", true},
    {"PrefixedNames", R"(<p:a xmlns:p="u" p:x="1"><p:b/></p:a>)", true},
    {"TrailingJunkNeverRead", "<r/> <<<& junk </x>", true},
    {"Declaration", R"(<?xml version="1.0"?><a/>)", false},
    {"Comment", "<a><!--c--></a>", false},
    {"CData", "<a><![CDATA[x]]></a>", false},
    {"Doctype", "<!DOCTYPE r><r/>", false},
    {"Reference", "<a>a &lt; b</a>", false},
    {"TextBeforeRoot", "hello <r/>", false},
    {"Empty", "", false},
    {"OnlyWhitespace", " \r\n", false},
    {"CutOffInsideElements", "<a><b>text", false},
    {"CutOffInTag", "<a><b", false},
    {"NulInsideRoot", "<a>x\0</a>"s, false},
    {"EndTagMismatch", "<a></b>", false},
    {"EndTagFirst", "</a>", false},
    {"BlankAfterSlash", "<a></ a>", false},
    {"UnquotedValue", "<a v=1/>", false},
    {"ValueNotClosed", "<a v=\"1/>", false},
    {"AttributeWithoutValue", "<a v/>", false},
    {"DashInName", "<a-b/>", false},
    {"SlashNotEnding", "<a / b/>", false},
};

class PlainDocuments : public testing::TestWithParam<PlainCase> {};

// A plain document gives the parser's events; any other is refused.
TEST_P(PlainDocuments, ReadAsTheParserReadsThemOrRefused)
{
    const PlainCase& c = GetParam();
    PlainEventLog log;
    bool read = Sprig::PlainReader().Read(c.text.c_str(), log);
    ASSERT_EQ(c.plain, read);
    if (read) {
        bool errors = false;
        EXPECT_EQ(ParserLog(c.text, errors), log.Log());
        EXPECT_FALSE(errors);
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, PlainDocuments, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<PlainCase>& info) { return info.param.name; });

// Generated documents without their declaration: those read give the parser's events, and only
// comments and references (values may hold them) make one refused.
TEST(PlainReader, GeneratedDocumentsGiveTheParsersEvents)
{
    XmlGenerator generator(20261211);
    Sprig::PlainReader reader;
    int plain = 0;
    for (int i = 0; i < 500; ++i) {
        std::string document = generator.Document();
        document.erase(0, document.find("?>") + 2);
        PlainEventLog log;
        bool read = reader.Read(document.c_str(), log);
        if (!read) {
            ASSERT_TRUE(document.find("<!--") != std::string::npos || document.find('&') != std::string::npos)
                << document;
            continue;
        }
        ++plain;
        bool errors = false;
        ASSERT_EQ(ParserLog(document, errors), log.Log()) << document;
    }
    EXPECT_GT(plain, 50);
}

}
