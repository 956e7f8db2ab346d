#include "options/COption.h"
#include "framework/StringUtil.h"
#include "sprig/DOM_Parser.h"
#include "sprig/Document.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

namespace {

const char kTables[] =
    "<Option Version=\"1.1\">"
    "<Nodes Type=\"1\">"
    "<Node Name=\"GameType\" Value=\"ゲームの種類\"><Texts><Text Name=\"0\" Value=\"征服\"/>"
    "<Text Name=\"1\" Value=\"王殺し\"/><Text Name=\"12\" Value=\"十二\"/></Texts></Node>"
    "<Node Name=\"Team\" Value=\"チーム\"><Texts><Text Name=\"0\" Value=\"なし\"/></Texts></Node>"
    "<Node Name=\"GameStartTime\" Value=\"開始日時\"><Texts><Text Name=\"\" Value=\"不明\"/></Texts></Node>"
    "<Node Name=\"Player\" Value=\"プレイヤー\"/>"
    "<Node Name=\"ID\" Value=\"番号\"/>"
    "<Node Name=\"Type\" Value=\"種別\"><Texts><Text Name=\"0\" Value=\"人間\"/></Texts></Node>"
    "<Node Name=\"PlayerName\" Value=\"名前\"/>"
    "</Nodes>"
    "<Nodes Type=\"2\">"
    "<Node Name=\"GameType\" Value=\"種類\"><Texts><Text Name=\"6\" Value=\"休戦協定\"/></Texts></Node>"
    "<Node Name=\"Hero\" Value=\"英雄\"><Texts><Text Name=\"1\" Value=\"将軍\"/></Texts></Node>"
    "</Nodes>"
    "</Option>";

COption Tables()
{
    COption option;
    std::istringstream stream(kTables);
    EXPECT_TRUE(option.Read(stream)) << option.GetMessageText();
    return option;
}

struct Case {
    const char* label;
    const char* name;
    const char* value;
    const char* type;
    bool result;
    const char* translatedName;
    const char* translatedValue;
};

const Case kCases[] = {
    {"NameAndValue", "GameType", "1", "1", true, "ゲームの種類", "王殺し"},
    {"ValueWithoutText", "GameType", "6", "1", true, "ゲームの種類", "6"},
    {"TableOfTheOtherType", "GameType", "6", "2", true, "種類", "休戦協定"},
    {"SameRawValueOtherNode", "Team", "0", "1", true, "チーム", "なし"},
    {"NameOnlyInTheOtherType", "Hero", "1", "1", false, "Hero", "1"},
    {"NameOfType2", "Hero", "1", "2", true, "英雄", "将軍"},
    {"UnknownType", "GameType", "1", "3", false, "GameType", "1"},
    {"EmptyType", "GameType", "1", "", false, "GameType", "1"},
    {"UnknownName", "Seed", "40721835", "1", false, "Seed", "40721835"},
    {"NamesAreCaseSensitive", "gametype", "1", "1", false, "gametype", "1"},
    {"ValuesAreCaseSensitive", "Type", "0 ", "1", true, "種別", "0 "},
    {"StartTime", "GameStartTime", "1067805607", "1", true, "開始日時", "2003/11/03 05:40:07"},
    {"StartTimeWithoutEntry", "GameStartTime", "1067805607", "2", true, "GameStartTime", "2003/11/03 05:40:07"},
    {"StartTimeLikeStrtol", "GameStartTime", " \t+1067805607xyz", "2", true, "GameStartTime", "2003/11/03 05:40:07"},
    {"StartTimeZeroStays", "GameStartTime", "0", "2", true, "GameStartTime", "0"},
    {"StartTimeEmptyStays", "GameStartTime", "", "2", true, "GameStartTime", ""},
    {"StartTimeEmptyLookedUp", "GameStartTime", "", "1", true, "開始日時", "不明"},
    {"StartTimeNegativeIsEmpty", "GameStartTime", "-5", "2", true, "GameStartTime", ""},
    {"StartTimeNegativeLookedUp", "GameStartTime", "-5", "1", true, "開始日時", "不明"},
    {"StartTimeClampsHigh", "GameStartTime", "99999999999", "2", true, "GameStartTime", "2038/01/19 12:14:07"},
    {"StartTimeClampsLow", "GameStartTime", "-99999999999", "2", true, "GameStartTime", ""},
    {"StartTimeNameIsExact", "GameStartTime ", "1067805607", "2", false, "GameStartTime ", "1067805607"},
};

std::string Label(const testing::TestParamInfo<Case>& info)
{
    return info.param.label;
}

class TranslateCase : public testing::TestWithParam<Case> {};

TEST_P(TranslateCase, NameValueAndResult)
{
    const Case& c = GetParam();
    COption option = Tables();
    std::string name = c.name;
    std::string value = c.value;
    EXPECT_EQ(c.result, option.Translate(name, value, c.type));
    EXPECT_EQ(c.translatedName, name);
    EXPECT_EQ(c.translatedValue, value);
}

INSTANTIATE_TEST_SUITE_P(Tables, TranslateCase, testing::ValuesIn(kCases), Label);

// A start time that is not "0" but reads as zero stands for the present moment.
class PresentTimeCase : public testing::TestWithParam<const char*> {};

TEST_P(PresentTimeCase, ShowsThePresentTime)
{
    COption option = Tables();
    std::string name = "GameStartTime";
    std::string value = GetParam();
    std::string before = FormatTime(0, "%Y/%m/%d %H:%M:%S");
    EXPECT_TRUE(option.Translate(name, value, "2"));
    std::string after = FormatTime(0, "%Y/%m/%d %H:%M:%S");
    EXPECT_TRUE(value == before || value == after) << value;
}

INSTANTIATE_TEST_SUITE_P(Texts, PresentTimeCase, testing::Values("00", "abc", "-0", " "),
                         [](const testing::TestParamInfo<const char*>& info) { return std::to_string(info.index); });

// TranslateTree: the source document's top-level nodes translated into the root of a new
// document, written back with the writer.
struct TreeCase {
    const char* label;
    const char* source;
    const char* type;
    const char* written;
};

const TreeCase kTreeCases[] = {
    {"ElementsAttributesAndTexts",
     "<GameSettings><GameType>1</GameType><Player ID=\"1\" Type=\"0\" Other=\"x\"><PlayerName>Alice</PlayerName>"
     "<Team>0</Team></Player></GameSettings>",
     "1",
     "<Out>\n"
     "\t<GameSettings>\n\t\t\n"
     "\t\t<ゲームの種類>\n\t\t\t王殺し\n\t\t</ゲームの種類>\n"
     "\t\t<プレイヤー 番号=\"1\" 種別=\"人間\" Other=\"x\">\n\t\t\t\n"
     "\t\t\t<名前>\n\t\t\t\tAlice\n\t\t\t</名前>\n"
     "\t\t\t<チーム>\n\t\t\t\tなし\n\t\t\t</チーム>\n"
     "\t\t</プレイヤー>\n"
     "\t</GameSettings>\n"
     "</Out>\n"},
    {"JoinedTextTranslatedOnceAboveTheChildren",
     "<GameType>1<!--c--><Team>0</Team>x</GameType>", "1",
     "<Out>\n\t<ゲームの種類>\n\t\t1x\n\t\t<チーム>\n\t\t\tなし\n\t\t</チーム>\n\t</ゲームの種類>\n</Out>\n"},
    {"JoinedTextThatHasAnEntry", "<GameType>1<Team>0</Team>2</GameType>", "1",
     "<Out>\n\t<ゲームの種類>\n\t\t十二\n\t\t<チーム>\n\t\t\tなし\n\t\t</チーム>\n\t</ゲームの種類>\n</Out>\n"},
    {"CommentsAndTopLevelTextDropped", "<!--top--><a><!--in--><b/></a><!--end-->", "1",
     "<Out>\n\t<a>\n\t\t\n\t\t<b>\n\t\t\t\n\t\t</b>\n\t</a>\n</Out>\n"},
    {"StartTimeOfType2", "<GameStartTime>1067805607</GameStartTime>", "2",
     "<Out>\n\t<GameStartTime>\n\t\t2003/11/03 05:40:07\n\t</GameStartTime>\n</Out>\n"},
};

std::string TreeLabel(const testing::TestParamInfo<TreeCase>& info)
{
    return info.param.label;
}

class TranslateTreeCase : public testing::TestWithParam<TreeCase> {};

TEST_P(TranslateTreeCase, WritesTheTranslatedCopy)
{
    const TreeCase& c = GetParam();
    COption option = Tables();
    Sprig::DOM_Parser parser;
    parser.ignoreWhitespace = true;
    std::unique_ptr<Sprig::Document> source(parser.Parse(c.source));
    std::unique_ptr<Sprig::Document> target(Sprig::CreateDocument("Out"));
    EXPECT_TRUE(option.TranslateTree(*target->GetRootElement(), source->Children(), c.type));
    EXPECT_EQ(c.written, target->GetRootElement()->ToString(true, "\t", 0));
    EXPECT_EQ("", option.GetMessageText());
}

INSTANTIATE_TEST_SUITE_P(Trees, TranslateTreeCase, testing::ValuesIn(kTreeCases), TreeLabel);

// An element in a namespace that nobody declares cannot give its qualified name: the level of
// the walk that meets it stops, the levels around it go on.
class FailingLevel : public testing::Test {
protected:
    FailingLevel() : source(Sprig::CreateDocument("GameSettings")), target(Sprig::CreateDocument("Out")) {}

    Sprig::Element* Add(const std::string& name, Sprig::NodeContainer* parent, const std::string& uri = "")
    {
        Sprig::Element* element = Sprig::CreateElement(name, uri, parent);
        Sprig::CreateText("1", element);
        return element;
    }

    std::unique_ptr<Sprig::Document> source;
    std::unique_ptr<Sprig::Document> target;
    COption option = Tables();
};

TEST_F(FailingLevel, OnlyTheFailingLevelLosesNodes)
{
    Sprig::Element* root = source->GetRootElement();
    Add("GameType", root);
    Sprig::Element* player = Add("Player", root);
    Add("Team", player);
    Add("Broken", player, "urn:undeclared");
    Add("PlayerName", player);
    Add("Hero", root);
    EXPECT_TRUE(option.TranslateTree(*target->GetRootElement(), root->Children(), "1"));
    EXPECT_EQ("<Out>\n"
              "\t<ゲームの種類>\n\t\t王殺し\n\t</ゲームの種類>\n"
              "\t<プレイヤー>\n\t\t1\n\t\t<チーム>\n\t\t\t1\n\t\t</チーム>\n\t</プレイヤー>\n"
              "\t<Hero>\n\t\t1\n\t</Hero>\n"
              "</Out>\n",
              target->GetRootElement()->ToString(true, "\t", 0));
    std::string message = option.GetMessageText();
    EXPECT_EQ(0u, message.rfind("スクリプトにエラーがあるか、未対応の形式です。\n\nDOM_Exception\n", 0)) << message;
    EXPECT_NE(std::string::npos, message.find("Namespace Not Defined(urn:undeclared)")) << message;
}

TEST_F(FailingLevel, AFailureOfTheGivenNodesGivesFalse)
{
    Sprig::Element* root = source->GetRootElement();
    Add("GameType", root);
    Add("Broken", root, "urn:undeclared");
    Add("Team", root);
    EXPECT_FALSE(option.TranslateTree(*target->GetRootElement(), root->Children(), "1"));
    EXPECT_EQ("<Out>\n\t<ゲームの種類>\n\t\t王殺し\n\t</ゲームの種類>\n</Out>\n",
              target->GetRootElement()->ToString(true, "\t", 0));
}

TEST(TranslateTree, DeepNestingDoesNotExhaustTheStack)
{
    const int kDepth = 200000;
    std::unique_ptr<Sprig::Document> source(Sprig::CreateDocument("GameSettings"));
    Sprig::Element* element = source->GetRootElement();
    for (int i = 0; i < kDepth; ++i)
        element = Sprig::CreateElement("Team", element);
    Sprig::CreateText("0", element);
    std::unique_ptr<Sprig::Document> target(Sprig::CreateDocument("Out"));
    COption option = Tables();
    EXPECT_TRUE(option.TranslateTree(*target->GetRootElement(), source->GetRootElement()->Children(), "1"));
    const Sprig::NodeContainer* level = target->GetRootElement();
    int depth = 0;
    for (;;) {
        const Sprig::Element* next = nullptr;
        for (const Sprig::Node* child : level->Children())
            if ((next = dynamic_cast<const Sprig::Element*>(child)))
                break;
        if (!next || next->GetQualifiedName() != "チーム")
            break;
        level = next;
        ++depth;
    }
    EXPECT_EQ(kDepth, depth);
    EXPECT_EQ("なし", level->GetText());
}

}
