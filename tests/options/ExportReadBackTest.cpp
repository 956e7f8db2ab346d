// The export file read back by libxml2: every value that a record or a file name brings, markup
// characters included, is found again as it was.
#include "RecordFixtures.h"
#include "TestFiles.h"
#include "options/CExportDocument.h"
#include "options/COption.h"
#include "record/CRecord.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/xpath.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

using testfiles::BinPath;

const char kSettings[] =
    "<GameSettings><GameStartTime>1067805607</GameStartTime><LobbyName>  a &amp;&amp;  b  </LobbyName>"
    "<Map Size=\"1\" Seed=\"a&amp;b &lt;&quot;'\"><MapName>x&amp;y</MapName></Map><Players>"
    "<Player ID=\"1\" Type=\"0\"><PlayerName>A&amp;B &lt;C&gt;</PlayerName></Player>"
    "<Player ID=\"2\" Type=\"0\"><PlayerName>\"D\" 'E'</PlayerName></Player>"
    "<Player ID=\"3\" Type=\"0\"><PlayerName>F&amp;amp;G ]]&gt;</PlayerName></Player></Players></GameSettings>";

class ExportReadBack : public testing::Test {
protected:
    void SetUp() override
    {
        COption option;
        ASSERT_TRUE(option.Load(BinPath("option.xml"))) << option.GetMessageText();
        CExportDocument document;
        for (const char* name : {"Tom & Jerry's.rec", "a&amp;b &lt;c>.rec"}) {
            CRecord record;
            ASSERT_TRUE(record.Load(fixtures::WriteRecord(name, kSettings)));
            times.push_back(record.timeText);
            document.Add(record, option);
        }
        text = document.ToString();
        read.reset(xmlReadMemory(text.data(), static_cast<int>(text.size()), "export.xml", nullptr,
                                 XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
        ASSERT_NE(nullptr, read) << text;
    }

    // The string value of an XPath expression (UTF-8).
    std::string Value(const std::string& expression)
    {
        std::unique_ptr<xmlXPathContext, void (*)(xmlXPathContextPtr)> context(xmlXPathNewContext(read.get()),
                                                                                 xmlXPathFreeContext);
        std::unique_ptr<xmlXPathObject, void (*)(xmlXPathObjectPtr)> result(
            xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(("string(" + expression + ")").c_str()),
                                   context.get()),
            xmlXPathFreeObject);
        EXPECT_NE(nullptr, result) << expression;
        return result && result->stringval ? reinterpret_cast<const char*>(result->stringval) : "";
    }

    std::string text;
    std::vector<std::string> times;
    std::unique_ptr<xmlDoc, void (*)(xmlDoc*)> read{nullptr, xmlFreeDoc};
};

struct ValueCase {
    const char* name;
    const char* expression;  // UTF-8
    const char* value;       // UTF-8
};

class ExportValue : public ExportReadBack, public testing::WithParamInterface<ValueCase> {};

TEST_P(ExportValue, ReadsBackAsItWas)
{
    EXPECT_EQ(GetParam().value, Value(GetParam().expression)) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Values, ExportValue,
    testing::Values(
        ValueCase{"FileNameWithAmpersandAndApostrophe", "/Kar/RecordedFiles/RecordedFile[1]/@Name", "Tom & Jerry's.rec"},
        ValueCase{"FileNameThatLooksLikeReferences", "/Kar/RecordedFiles/RecordedFile[2]/@Name", "a&amp;b &lt;c>.rec"},
        // The writer puts an element's text on a line of its own, indented.
        ValueCase{"StartTimeAsADate", u8"normalize-space(//RecordedFile[1]/ゲーム設定/開始日時)", u8"2003/11/03 05:40:07"},
        ValueCase{"TextWithReferences", u8"normalize-space(//RecordedFile[1]//マップ名)", "x&y"},
        ValueCase{"BlanksInside", u8"//RecordedFile[2]//ロビー名", "\n\t\t\t\t\ta &&  b\n\t\t\t\t"},
        ValueCase{"AttributeWithReferences", u8"//RecordedFile[1]//マップ/@シード", "a&b <\"'"},
        ValueCase{"NameWithBrackets", u8"normalize-space(//RecordedFile[1]//プレイヤー[1]/名前)", "A&B <C>"},
        ValueCase{"NameWithQuotes", u8"normalize-space(//RecordedFile[2]//プレイヤー[2]/名前)", "\"D\" 'E'"},
        ValueCase{"NameWithAReferenceAsText", u8"normalize-space(//RecordedFile[2]//プレイヤー[3]/名前)", "F&amp;G ]]>"}),
    [](const testing::TestParamInfo<ValueCase>& info) { return info.param.name; });

TEST_F(ExportReadBack, TimesAndCountReadBack)
{
    EXPECT_EQ("2", Value("count(/Kar/RecordedFiles/RecordedFile)"));
    EXPECT_EQ(times[0], Value("/Kar/RecordedFiles/RecordedFile[1]/@LastWriteTime"));
    EXPECT_EQ(times[1], Value("/Kar/RecordedFiles/RecordedFile[2]/@LastWriteTime"));
    EXPECT_EQ("1.0", Value("/Kar/@Version"));
}

}
