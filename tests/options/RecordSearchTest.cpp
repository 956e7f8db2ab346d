// What the record search matches: the file name and the settings as the tree shows them, and
// what a record keeps for the next search.
#include "RecordFixtures.h"
#include "ShippedOptionFixture.h"
#include "TestFiles.h"
#include "framework/StringUtil.h"
#include "options/CExportDocument.h"
#include "options/COption.h"
#include "options/RecordSearch.h"
#include "record/CRecord.h"
#include "sprig/DOM_Parser.h"
#include "sprig/DOM_Exception.h"
#include "sprig/ParsingException.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

// Which of the three samples a query finds.
struct SampleCase {
    const char* name;
    const char* query;
    bool castleDuel;
    bool fourKingdoms;
    bool nihonTeams;
};

const SampleCase kSampleCases[] = {
    {"PlayerName", "武蔵", false, false, true},
    {"MapName", "桜の谷", false, false, true},
    {"TranslatedMapName", "高地の浅瀬", true, false, false},
    {"CivilizationDisplayText", "サンナイ", false, false, true},
    {"HalfWidthKana", "ｻﾝﾅｲ", false, false, true},
    {"GameTypeOrVictoryConditionDisplayText", "征服", false, true, true},
    {"AsciiWithoutCase", "ALICE", true, false, false},
    {"FullWidthDigitsOfTheLobbyName", "3対3", false, false, true},
    {"ElementDisplayName", "文明", true, true, true},
    {"RawElementNameIsNotShown", "Civilization", false, false, false},
    {"StartTimeAsADate", "2005/01/02", false, false, true},
    {"RawStartTimeIsNotShown", "1104661845", false, false, false},
    {"AttributeValue", "5550123", false, false, true},
    {"AttributeNameIsNotAValue", "Seed", false, false, false},
    {"RootElementAsTheTreeShowsIt", "GameSettings", true, true, true},
    {"RootElementIsNotTranslated", "ゲーム設定", false, false, false},
    {"FileName", "NIHON-teams", false, false, true},
    {"Extension", ".rcx", false, true, false},
    {"SeveralWords", "alice 王殺し", true, false, false},
    {"WordsOfTwoRecords", "alice 武蔵", false, false, false},
    {"NotAcrossTwoTexts", "名前alice", false, false, false},
};

class RecordSearch : public ShippedOptionFixture {};

class SampleSearch : public RecordSearch, public testing::WithParamInterface<SampleCase> {};

TEST_P(SampleSearch, FindsWhatTheTreeShows)
{
    const SampleCase& c = GetParam();
    CSearchQuery query(c.query);
    const char* samples[] = {"castle-duel.rec", "four-kingdoms.rcx", "nihon-teams.rec"};
    const bool expected[] = {c.castleDuel, c.fourKingdoms, c.nihonTeams};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(samples[i]);
        CRecord record = Record(testfiles::SourcePath(std::string("samples/") + samples[i]));
        EXPECT_EQ(expected[i], RecordMatches(record, option, query));
        // The second search reads what the first one kept.
        ASSERT_FALSE(record.searchText.empty());
        EXPECT_EQ(expected[i], RecordMatches(record, option, query));
    }
}

INSTANTIATE_TEST_SUITE_P(Queries, SampleSearch, testing::ValuesIn(kSampleCases),
                         [](const testing::TestParamInfo<SampleCase>& info) { return info.param.name; });

COption SmallTables()
{
    COption tables;
    std::istringstream stream("<Option Version=\"1.1\"><Nodes Type=\"1\">"
                              "<Node Name=\"GameType\" Value=\"ゲームの種類\"><Texts><Text Name=\"0\" Value=\"征服\"/></Texts></Node>"
                              "<Node Name=\"Player\" Value=\"プレイヤー\"/>"
                              "</Nodes></Option>");
    EXPECT_TRUE(tables.Read(stream)) << tables.GetMessageText();
    return tables;
}

std::unique_ptr<Sprig::Document> Tree(const std::string& settings)
{
    Sprig::DOM_Parser parser;
    parser.ignoreWhitespace = true;
    return std::unique_ptr<Sprig::Document>(parser.Parse(settings.c_str()));
}

// Every element's translated name and text, the root's own name, and the attributes' values, each
// folded and ended by a zero byte; an element's empty text adds nothing. An element's attributes
// come first, then what lies below it, then its name and text. Made from the text and from the
// tree alike.
TEST_F(RecordSearch, TheSearchTextOfASettingsText)
{
    COption tables = SmallTables();
    std::string settings =
        "<GameSettings Seed=\"7\">\n\t<GameType>0</GameType>\n\t<Player ID=\"ﾀﾛｳ\">ＡＢ<Empty/></Player></GameSettings>";
    std::string expected = std::string("7") + '\0' + "ゲームの種類" + '\0' + "征服" + '\0' + "タロウ" + '\0' + "empty" +
                           '\0' + "プレイヤー" + '\0' + "ab" + '\0' + "gamesettings" + '\0';
    EXPECT_EQ(expected, MakeSearchText(settings, tables, "1"));
    EXPECT_EQ(expected, MakeSearchText(*Tree(settings), tables, "1"));
    // The other format version has no table: raw names and texts.
    EXPECT_EQ(0u, MakeSearchText(settings, tables, "2").find(std::string("7") + '\0' + "gametype" + '\0' + "0" + '\0'));
}

// Names with namespaces are the tree's: a prefix is shown as the namespace's declared one, and an
// undeclared prefix is not shown.
TEST_F(RecordSearch, NamesWithNamespacesAsTheTreeShowsThem)
{
    COption tables = SmallTables();
    std::string settings = "<GameSettings xmlns:k=\"urn:k\"><k:Player>x</k:Player><u:Team>1</u:Team></GameSettings>";
    std::string text = MakeSearchText(settings, tables, "1");
    EXPECT_EQ(text, MakeSearchText(*Tree(settings), tables, "1"));
    EXPECT_NE(std::string::npos, text.find(std::string("k:player") + '\0' + "x" + '\0'));
    EXPECT_NE(std::string::npos, text.find(std::string("team") + '\0' + "1" + '\0'));
    EXPECT_EQ(std::string::npos, text.find("urn:k"));
}

// The samples and texts that the parser forgives or reads in pieces make the same search texts
// from their texts and from their trees.
TEST_F(RecordSearch, TextAndTreeAgree)
{
    for (const char* sample : {"castle-duel.rec", "four-kingdoms.rcx", "nihon-teams.rec"}) {
        SCOPED_TRACE(sample);
        CRecord record = Record(testfiles::SourcePath(std::string("samples/") + sample));
        const std::string& settings = record.GetSettingsAlone();
        EXPECT_EQ(MakeSearchText(*Tree(settings), option, record.formatVersion),
                  MakeSearchText(settings, option, record.formatVersion));
    }
    for (const char* settings : {"<GameSettings><Map><MapName>x", "<GameSettings>a<GameType>0</GameType>b</GameSettings>",
                                 "<GameSettings><LobbyName>a &amp; <![CDATA[<b>]]><!-- c -->d</LobbyName></GameSettings>",
                                 "<GameSettings><A><B>1</B></A><C/></GameSettings> <D>after</D>"}) {
        SCOPED_TRACE(settings);
        std::string text = MakeSearchText(settings, option, "1");
        EXPECT_EQ(MakeSearchText(*Tree(settings), option, "1"), text);
        EXPECT_FALSE(text.empty());
    }
}

// A start time that reads as zero is the present moment, read from the clock that formatting
// takes it from: with the clock fixed, the text and the tree give the same present time however
// long making them takes.
TEST_F(RecordSearch, AStartTimeReadAsZeroIsThePresentOfTheClock)
{
    struct FixedClock {
        FixedClock() { SetPresentClock([] { return int64_t{1067805607}; }); }
        ~FixedClock() { SetPresentClock(nullptr); }
    } fixed;
    std::string settings = "<GameSettings><GameStartTime>abc</GameStartTime><GameStartTime>0</GameStartTime>"
                           "<GameStartTime>1067805608</GameStartTime></GameSettings>";
    std::string text = MakeSearchText(settings, option, "1");
    EXPECT_EQ(MakeSearchText(*Tree(settings), option, "1"), text);
    EXPECT_NE(std::string::npos, text.find(std::string(1, '\0') + "2003/11/03 05:40:07" + '\0')) << text;
    EXPECT_NE(std::string::npos, text.find(std::string(1, '\0') + "0" + '\0')) << text;
    EXPECT_NE(std::string::npos, text.find(std::string(1, '\0') + "2003/11/03 05:40:08" + '\0')) << text;
}

// A memo shared by the records of one search gives each the texts it would make alone; what it
// holds for one format version is not given to another.
TEST_F(RecordSearch, AMemoGivesWhatTranslatingGives)
{
    TranslationMemo memo;
    for (int pass = 0; pass < 2; ++pass) {
        for (const char* sample : {"castle-duel.rec", "four-kingdoms.rcx", "nihon-teams.rec"}) {
            SCOPED_TRACE(std::string(sample) + (pass == 0 ? " first" : " again"));
            CRecord record = Record(testfiles::SourcePath(std::string("samples/") + sample));
            const std::string& settings = record.GetSettingsAlone();
            EXPECT_EQ(MakeSearchText(settings, option, record.formatVersion),
                      MakeSearchText(settings, option, record.formatVersion, &memo));
        }
    }
    EXPECT_FALSE(memo.texts.empty());
    EXPECT_LE(memo.texts.size(), TranslationMemo::kMostEntries);
    // The game type 6 has a text in the expansion's table only.
    std::string settings = "<GameSettings><GameType>6</GameType></GameSettings>";
    EXPECT_EQ(std::string::npos, MakeSearchText(settings, option, "1", &memo).find("休戦協定"));
    EXPECT_NE(std::string::npos, MakeSearchText(settings, option, "2", &memo).find("休戦協定"));
}

struct RaisedCase {
    const char* name;
    const char* settings;
    bool parsing;
};

class SearchTextRaises : public RecordSearch, public testing::WithParamInterface<RaisedCase> {};

// What the tree's parse raises: a parser error, or no element at all.
TEST_P(SearchTextRaises, AsTheTreeDoes)
{
    if (GetParam().parsing)
        EXPECT_THROW(MakeSearchText(GetParam().settings, option, "1"), Sprig::ParsingException);
    else
        EXPECT_THROW(MakeSearchText(GetParam().settings, option, "1"), Sprig::DOM_Exception);
}

INSTANTIATE_TEST_SUITE_P(Texts, SearchTextRaises,
                         testing::Values(RaisedCase{"NotWellFormed", "<GameSettings><a>x &amp y</a></GameSettings>", true},
                                         RaisedCase{"EndTagOfAnotherName", "<GameSettings><a></b></GameSettings>", true},
                                         RaisedCase{"Empty", "", false},
                                         RaisedCase{"OnlyAComment", "<!-- none -->", false}),
                         [](const testing::TestParamInfo<RaisedCase>& info) { return info.param.name; });

// A record searched for keeps its settings and its search text, never its map script, and the
// next search neither decodes nor parses: the file changed meanwhile is not read again.
TEST_F(RecordSearch, ARecordKeepsItsSearchTextButNotItsMapScript)
{
    std::string path = testfiles::Write("search_keep.rec", testfiles::Read(testfiles::SourcePath("samples/nihon-teams.rec")));
    CRecord record = Record(path);
    EXPECT_TRUE(RecordMatches(record, option, CSearchQuery("武蔵")));
    EXPECT_FALSE(record.unpacked);
    EXPECT_TRUE(record.SettingsDecoded());
    EXPECT_EQ("", record.mapScript);
    EXPECT_FALSE(record.settings.empty());
    EXPECT_LE(record.searchText.size(), record.settings.size());
    testfiles::Write("search_keep.rec", "not a recorded game");
    EXPECT_TRUE(RecordMatches(record, option, CSearchQuery("桜の谷")));
    EXPECT_FALSE(RecordMatches(record, option, CSearchQuery("alice")));
}

// Display texts longer than what they stand for make a search text longer than the settings:
// the record does not keep it, and every search makes it again.
TEST_F(RecordSearch, ASearchTextLongerThanTheSettingsIsNotKept)
{
    COption wordy;
    std::istringstream stream("<Option Version=\"1.1\"><Nodes Type=\"1\"><Node Name=\"MapName\" Value=\"m\"><Texts>"
                              "<Text Name=\"Highland\" Value=\"" + std::string(500, 'w') + "\"/></Texts></Node>"
                              "</Nodes></Option>");
    ASSERT_TRUE(wordy.Read(stream)) << wordy.GetMessageText();
    std::string path = testfiles::Write("search_wordy.rec", fixtures::FileBytes(fixtures::GoodBody()));
    CRecord record = Record(path);
    EXPECT_TRUE(RecordMatches(record, wordy, CSearchQuery("wwww")));
    EXPECT_EQ("", record.searchText);
    EXPECT_TRUE(RecordMatches(record, wordy, CSearchQuery("wwww")));
    EXPECT_FALSE(RecordMatches(record, wordy, CSearchQuery("Highland")));
}

// A record that cannot be decoded and one whose settings are not well-formed raise what the
// export raises, and keep nothing.
TEST_F(RecordSearch, SettingsThatCannotBeReadRaise)
{
    CRecord junk = Record(testfiles::Write("search_junk.rec", "not a recorded game"));
    EXPECT_THROW(RecordMatches(junk, option, CSearchQuery("junk")), std::runtime_error);
    EXPECT_EQ("", junk.searchText);
    CRecord bad = Record(fixtures::WriteRecord("search_bad.rec", "<GameSettings><a>x &amp y</a></GameSettings>"));
    EXPECT_THROW(RecordMatches(bad, option, CSearchQuery("bad")), Sprig::ParsingException);
    EXPECT_EQ("", bad.searchText);
}

// A record decoded by a search exports what a record that the export decodes itself exports.
TEST_F(RecordSearch, ARecordFoundExportsAsAnyOther)
{
    std::string path = testfiles::SourcePath("samples/four-kingdoms.rcx");
    CRecord searched = Record(path);
    ASSERT_TRUE(RecordMatches(searched, option, CSearchQuery("征服")));
    CRecord fresh = Record(path);
    CExportDocument afterSearch, alone;
    afterSearch.Add(searched, option);
    alone.Add(fresh, option);
    EXPECT_EQ(alone.ToString(), afterSearch.ToString());
}

}
