#include "OptionDump.h"
#include "TestFiles.h"
#include "options/COption.h"
#include "sprig/DOM_Parser.h"
#include "sprig/ParsingException.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

namespace {

const std::string kPrefix = "スクリプトにエラーがあるか、未対応の形式です。\n\n";

// None: no message text. Exact: message is the whole text. Dom: the prefix, then the DOM
// exception's text, which holds message.
enum class Message { None, Exact, Dom };

struct Case {
    const char* name;
    std::string xml;
    bool result;
    Message kind;
    std::string message;
    // The model afterwards (DumpOption).
    std::string model;
};

std::string Root(const std::string& body)
{
    return "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<Option Version=\"1.1\">\n" + body + "</Option>\n";
}

const Case kCases[] = {
    {"NodesTextsAndTemplates",
     Root("<Nodes Type=\"1\">\n"
          "\t<Node Name=\"GameType\" Value=\"ゲームの種類\">\n"
          "\t\t<Texts><Text Name=\"0\" Value=\"征服\"/><Text Name=\"1\" Value=\"王殺し\"/></Texts>\n"
          "\t</Node>\n"
          "\t<Node Name=\"Map\" Value=\"マップ\"/>\n"
          "</Nodes>\n"
          "<Templates><Template Name=\"Rename\" Value=\"Rename.xsl\"/></Templates>\n"),
     true, Message::None, "", "1:GameType=ゲームの種類{0=征服,1=王殺し}; 1:Map=マップ; @Rename=Rename.xsl; "},
    {"AnyRootName",
     "<Whatever Version=\"1.1\"><Nodes Type=\"2\"><Node Name=\"a\" Value=\"A\"/></Nodes></Whatever>", true, Message::None, "",
     "2:a=A; "},
    {"LaterEntryWinsAndTypesStaySeparate",
     Root("<Nodes Type=\"1\"><Node Name=\"a\" Value=\"first\"><Texts><Text Name=\"x\" Value=\"X1\"/>"
          "<Text Name=\"x\" Value=\"X2\"/></Texts></Node></Nodes>"
          "<Nodes Type=\"2\"><Node Name=\"a\" Value=\"other type\"/></Nodes>"
          "<Nodes Type=\"1\"><Node Name=\"a\" Value=\"second\"/></Nodes>"
          "<Templates><Template Name=\"t\" Value=\"1\"/></Templates><Templates><Template Name=\"t\" Value=\"2\"/>"
          "<Template Name=\"u\" Value=\"3\"/></Templates>"),
     true, Message::None, "", "1:a=second; 2:a=other type; @t=2; @u=3; "},
    {"TextsOfSeveralTablesMerge",
     Root("<Nodes Type=\"1\"><Node Name=\"a\" Value=\"A\"><Texts><Text Name=\"0\" Value=\"zero\"/></Texts>"
          "<Texts><Text Name=\"1\" Value=\"one\"/></Texts></Node></Nodes>"),
     true, Message::None, "", "1:a=A{0=zero,1=one}; "},
    {"OtherNamesCommentsAndTextAreSkipped",
     Root("<!-- a comment -->loose text<Other Type=\"1\"><Node Name=\"n\" Value=\"no\"/></Other>"
          "<Nodes Type=\"1\" Extra=\"x\">text<!--c--><Entry Name=\"e\" Value=\"no\"/>"
          "<Node Name=\"a\" Value=\"A\" Extra=\"x\"><Other><Text Name=\"9\" Value=\"no\"/></Other>"
          "<Texts>one<!--c--><Text Name=\"0\" Value=\"zero\"/><Other Name=\"1\" Value=\"no\"/>two"
          "<Text Name=\"2\" Value=\"two\"/></Texts></Node></Nodes>"
          "<Templates><Item Name=\"x\" Value=\"no\"/><Template Name=\"Rename\" Value=\"r.xsl\"/></Templates>"),
     true, Message::None, "", "1:a=A{0=zero,2=two}; @Rename=r.xsl; "},
    {"PrefixedNamesDoNotMatch",
     Root("<Nodes Type=\"1\" xmlns:p=\"urn:p\"><p:Node Name=\"a\" Value=\"A\"/><Node Name=\"b\" Value=\"B\"/>"
          "</Nodes><p:Templates xmlns:p=\"urn:p\"><Template Name=\"t\" Value=\"x\"/></p:Templates>"),
     true, Message::None, "", "1:b=B; "},
    {"CrLfLineEndsAndTrailBytes",
     "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<Option Version=\"1.1\">\r\n\t<Nodes Type=\"1\">\r\n"
     "\t\t<Node Name=\"a\" Value=\"表示ソース[ー]\"/>\r\n\t</Nodes>\r\n</Option>\r\n",
     true, Message::None, "", "1:a=表示ソース[ー]; "},
    {"NodeWithoutTexts", Root("<Nodes Type=\"1\"><Node Name=\"a\" Value=\"A\"></Node></Nodes>"), true, Message::None, "",
     "1:a=A; "},
    {"EmptyTables", Root("<Nodes Type=\"1\"/><Templates/>"), true, Message::None, "", ""},
    {"Version110", "<Option Version=\"1.10\"><Nodes Type=\"1\"><Node Name=\"a\" Value=\"A\"/></Nodes></Option>",
     false, Message::Exact, "対応していないバージョンです：1.10", ""},
    {"Version12", "<Option Version=\"1.2\"/>", false, Message::Exact, "対応していないバージョンです：1.2", ""},
    {"VersionWithBlank", "<Option Version=\" 1.1\"/>", false, Message::Exact, "対応していないバージョンです： 1.1", ""},
    {"VersionMissing", "<Option><Nodes Type=\"1\"><Node Name=\"a\" Value=\"A\"/></Nodes></Option>", false, Message::Dom,
     "Attribute not found(Version)", ""},
    {"NoRootElement", "<?xml version=\"1.0\"?><!-- only a comment -->", false, Message::Dom, "RootNode not found", ""},
    {"TemplateWithoutValueKeepsEarlierEntries",
     Root("<Nodes Type=\"1\"><Node Name=\"a\" Value=\"A\"/></Nodes>"
          "<Templates><Template Name=\"t\" Value=\"x\"/><Template Name=\"u\"/><Template Name=\"v\" Value=\"y\"/>"
          "</Templates><Nodes Type=\"1\"><Node Name=\"b\" Value=\"B\"/></Nodes>"),
     false, Message::Dom, "Attribute not found(Value)", "1:a=A; @t=x; "},
    {"NodesWithoutType",
     Root("<Nodes Type=\"1\"><Node Name=\"a\" Value=\"A\"/></Nodes><Nodes><Node Name=\"b\" Value=\"B\"/></Nodes>"),
     false, Message::Dom, "Attribute not found(Type)", "1:a=A; "},
    {"NodeWithoutName", Root("<Nodes Type=\"1\"><Node Name=\"a\" Value=\"A\"/><Node Value=\"B\"/></Nodes>"), false, Message::Dom,
     "Attribute not found(Name)", "1:a=A; "},
    {"TextWithoutValue",
     Root("<Nodes Type=\"1\"><Node Name=\"a\" Value=\"A\"/><Node Name=\"b\" Value=\"B\"><Texts>"
          "<Text Name=\"0\"/></Texts></Node></Nodes>"),
     false, Message::Dom, "Attribute not found(Value)", "1:a=A; "},
};

std::string Name(const testing::TestParamInfo<Case>& info)
{
    return info.param.name;
}

class LoadCase : public testing::TestWithParam<Case> {};

TEST_P(LoadCase, ResultMessageAndModel)
{
    const Case& c = GetParam();
    COption option;
    std::string path = testfiles::Write(std::string(c.name) + ".xml", c.xml);
    EXPECT_EQ(c.result, option.Load(path));
    std::string text = option.GetMessageText();
    switch (c.kind) {
    case Message::None:
        EXPECT_EQ("", text);
        break;
    case Message::Exact:
        EXPECT_EQ(c.message, text);
        break;
    case Message::Dom:
        EXPECT_EQ(0u, text.rfind(kPrefix + "DOM_Exception\n", 0)) << text;
        EXPECT_NE(std::string::npos, text.find("\n" + c.message + "\n")) << text;
        break;
    }
    EXPECT_EQ(c.model, DumpOption(option));
}

INSTANTIATE_TEST_SUITE_P(Files, LoadCase, testing::ValuesIn(kCases), Name);

// The message of a syntax error: the position and the message of the parser's own exception.
struct SyntaxCase {
    const char* name;
    std::string xml;
};

const SyntaxCase kSyntaxCases[] = {
    {"UnclosedValue", "<Option Version=\"1.1><Nodes/></Option>"},
    {"MismatchedEndTag", "<Option Version=\"1.1\"><Nodes Type=\"1\"></Templates></Option>"},
    {"BadEntity", "<Option Version=\"1.1\">a &amp b</Option>"},
    {"AfterEntriesWereRead",
     "<Option Version=\"1.1\"><Nodes Type=\"1\"><Node Name=\"a\" Value=\"A\"/></Nodes><Nodes Type=\"2\"><</Option>"},
};

std::string SyntaxName(const testing::TestParamInfo<SyntaxCase>& info)
{
    return info.param.name;
}

class SyntaxErrorCase : public testing::TestWithParam<SyntaxCase> {};

TEST_P(SyntaxErrorCase, ReportsThePositionAndTheParserMessage)
{
    const SyntaxCase& c = GetParam();
    std::string expected;
    try {
        std::istringstream stream(c.xml);
        Sprig::DOM_Parser parser;
        parser.ignoreWhitespace = true;
        delete parser.Parse(stream);
        FAIL() << "the parser accepts the input";
    } catch (const Sprig::ParsingException& e) {
        expected = kPrefix + "エラー場所：" + std::to_string(e.position) + "\n" + e.what();
    }
    COption option;
    EXPECT_FALSE(option.Load(testfiles::Write(std::string(c.name) + ".xml", c.xml)));
    EXPECT_EQ(expected, option.GetMessageText());
}

INSTANTIATE_TEST_SUITE_P(Files, SyntaxErrorCase, testing::ValuesIn(kSyntaxCases), SyntaxName);

TEST(OptionLoad, MissingFileIsCreatedEmptyAndFails)
{
    std::string path = testfiles::Path("missing-option.xml");
    COption option;
    EXPECT_FALSE(option.Load(path));
    EXPECT_EQ("", option.GetMessageText());
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(0u, std::filesystem::file_size(path));
    EXPECT_FALSE(option.Load(path)) << "an empty file fails the same way";
    EXPECT_EQ("", DumpOption(option));
}

TEST(OptionLoad, EmptyPathAndUnopenablePathsFailWithoutMessage)
{
    COption option;
    EXPECT_FALSE(option.Load(""));
    EXPECT_FALSE(option.Load(testfiles::Path("no-such-folder/option.xml")));
    std::filesystem::create_directory(testfiles::Path("a-folder"));
    EXPECT_FALSE(option.Load(testfiles::Path("a-folder")));
    EXPECT_EQ("", option.GetMessageText());
}

// Every entry class reports failures through the message text of its base.
TEST(OptionMessageText, EmptyAtFirstThenPrefixTwoLineFeedsAndDetail)
{
    COption option;
    COptionNode node;
    COptionText text;
    COptionTemplate entry;
    EXPECT_EQ("", option.GetMessageText() + node.GetMessageText() + text.GetMessageText() + entry.GetMessageText());
    option.SetMessageText("detail");
    // The prefix in code page 932, byte for byte.
    EXPECT_EQ("\x83\x58\x83\x4E\x83\x8A\x83\x76\x83\x67\x82\xC9\x83\x47\x83\x89\x81\x5B\x82\xAA\x82\xA0\x82\xE9"
              "\x82\xA9\x81\x41\x96\xA2\x91\xCE\x89\x9E\x82\xCC\x8C\x60\x8E\xAE\x82\xC5\x82\xB7\x81\x42\n\ndetail",
              option.GetMessageText());
}

}
