// The texts of a record's own columns in the file list: what the tree shows of its start time,
// map, players, civilizations, game type, lobby and version, and what a record keeps of them.
#include "RecordFixtures.h"
#include "ShippedOptionFixture.h"
#include "TestFiles.h"
#include "options/COption.h"
#include "options/RecordColumns.h"
#include "record/CRecord.h"
#include "sprig/DOM_Exception.h"
#include "sprig/DOM_Parser.h"
#include "sprig/ParsingException.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// The cells in the order of the columns, and the start time to sort by.
struct Cells {
    std::string startTime;
    std::string map;
    std::string players;
    std::string civilizations;
    std::string gameType;
    std::string lobby;
    std::string version;
    int32_t seconds;
};

Cells CellsOf(const CColumnTexts& columns)
{
    return {columns.Cell(CColumnTexts::StartTime), columns.Cell(CColumnTexts::MapName),
            columns.Cell(CColumnTexts::Players),   columns.Cell(CColumnTexts::Civilizations),
            columns.Cell(CColumnTexts::GameType),  columns.Cell(CColumnTexts::LobbyName),
            columns.Cell(CColumnTexts::GameVersion), columns.startSeconds};
}

void ExpectCells(const Cells& expected, const CColumnTexts& columns)
{
    Cells actual = CellsOf(columns);
    EXPECT_EQ(expected.startTime, actual.startTime);
    EXPECT_EQ(expected.map, actual.map);
    EXPECT_EQ(expected.players, actual.players);
    EXPECT_EQ(expected.civilizations, actual.civilizations);
    EXPECT_EQ(expected.gameType, actual.gameType);
    EXPECT_EQ(expected.lobby, actual.lobby);
    EXPECT_EQ(expected.version, actual.version);
    EXPECT_EQ(expected.seconds, actual.seconds);
}

std::unique_ptr<Sprig::Document> Tree(const std::string& settings)
{
    Sprig::DOM_Parser parser;
    parser.ignoreWhitespace = true;
    return std::unique_ptr<Sprig::Document>(parser.Parse(settings.c_str()));
}

// One player slot of the settings.
std::string Slot(const std::string& type, const std::string& name, const std::string& civilization,
                 const std::string& team)
{
    return "\t\t<Player ID=\"1\" Type=\"" + type + "\">\n\t\t\t<PlayerName>" + name + "</PlayerName>\n\t\t\t<Civilization>" +
           civilization + "</Civilization>\n\t\t\t<Team>" + team + "</Team>\n\t\t\t<Color>1</Color>\n\t\t</Player>\n";
}

// Settings with the given start time, map name and slots, a conquest of version 1.10.
std::string Settings(const std::string& startTime, const std::string& map, const std::string& slots)
{
    return "<GameSettings>\n\t<GameVersion>1.10</GameVersion>\n\t<GameType>0</GameType>\n\t<GameStartTime>" + startTime +
           "</GameStartTime>\n\t<LobbyName>lobby</LobbyName>\n\t<Map Size=\"1\" Seed=\"7\">\n\t\t<MapName>" + map +
           "</MapName>\n\t</Map>\n\t<Players>\n" + slots + "\t</Players>\n</GameSettings>";
}

const char kTime[] = "1067805607";
const char kShownTime[] = "2003/11/03 05:40:07";

struct SettingsCase {
    const char* name;
    std::string settings;
    const char* version;
    Cells expected;
};

const SettingsCase kSettingsCases[] = {
    // Teams 1 to 4 in that order, each in slot order.
    {"FourTeams",
     Settings(kTime, "twin_rivers",
              Slot("0", "A", "1", "4") + Slot("0", "B", "2", "3") + Slot("0", "C", "3", "2") + Slot("0", "D", "4", "1") +
                  Slot("0", "E", "5", "1") + Slot("0", "F", "6", "2") + Slot("0", "G", "7", "3") + Slot("0", "H", "8", "4")),
     "1",
     {kShownTime, "双子の川", "D, E vs C, F vs B, G vs A, H",
      "ケッサリン, ハルヴァニ vs トルーン, デュレモス vs ヴァレシュ, サンナイ vs アルドマーク, クォーヴェル", "征服", "lobby",
      "1.10", 1067805607}},
    // Each player without a team on a side of its own, after the teams.
    {"NoTeamPlayers",
     Settings(kTime, "twin_rivers", Slot("0", "A", "1", "0") + Slot("0", "B", "2", "1") + Slot("0", "C", "3", "0") +
                                        Slot("0", "D", "4", "1")),
     "1",
     {kShownTime, "双子の川", "B, D vs A vs C", "ヴァレシュ, ケッサリン vs アルドマーク vs トルーン", "征服", "lobby", "1.10",
      1067805607}},
    // The expansion's observer (3) and free slots (2) are left out; a computer is marked.
    {"ComputerObserverAndFreeSlots",
     Settings(kTime, "rift_valley", Slot("0", "Gareth", "10", "0") + Slot("2", "", "0", "0") + Slot("3", "Spectator", "0", "0") +
                                        Slot("1", "Computer", "12", "0") + Slot("2", "", "0", "0")),
     "2",
     {kShownTime, "裂け目の谷", "Gareth vs Computer（CPU）", "裂け目の守人 vs スールの遊牧民", "征服", "lobby", "1.10",
      1067805607}},
    {"EmptyNamesStayBetweenTheirCommas",
     Settings(kTime, "twin_rivers", Slot("0", "A", "1", "2") + Slot("0", "", "2", "2") + Slot("1", "", "3", "2")),
     "1",
     {kShownTime, "双子の川", "A, , （CPU）", "アルドマーク, ヴァレシュ, トルーン", "征服", "lobby", "1.10", 1067805607}},
    // Only the two types of a taken slot count, as written; a slot without a type is not taken.
    {"OnlyTypesZeroAndOneAreTaken",
     Settings(kTime, "twin_rivers", Slot("0", "A", "1", "0") + Slot(" 0", "B", "2", "0") + Slot("01", "C", "3", "0") +
                                        "\t\t<Player><PlayerName>D</PlayerName></Player>\n"),
     "1",
     {kShownTime, "双子の川", "A", "アルドマーク", "征服", "lobby", "1.10", 1067805607}},
    // A team other than 1 to 4, or none, plays alone; a team's text loses its blanks as the tree
    // shows it, a type's value does not (above).
    {"OtherTeamsPlayAlone",
     Settings(kTime, "twin_rivers", Slot("0", "A", "1", "5") + Slot("0", "B", "2", "1") + Slot("0", "C", "3", " 1") +
                                        "\t\t<Player Type=\"0\"><PlayerName>D</PlayerName></Player>\n"),
     "1",
     {kShownTime, "双子の川", "B, C vs A vs D", "ヴァレシュ, トルーン vs アルドマーク vs ", "征服", "lobby", "1.10",
      1067805607}},
    {"CustomMapName",
     Settings(kTime, "桜の谷 (改)", Slot("0", "武蔵", "7", "0")), "1",
     {kShownTime, "桜の谷 (改)", "武蔵", "サンナイ", "征服", "lobby", "1.10", 1067805607}},
    // The game writes 0 for a start time it does not know.
    {"StartTimeZero", Settings("0", "twin_rivers", ""), "1", {"", "双子の川", "", "", "征服", "lobby", "1.10", 0}},
    {"StartTimeEmpty", Settings("", "twin_rivers", ""), "1", {"", "双子の川", "", "", "征服", "lobby", "1.10", 0}},
    // A time before 1970 has no date; it sorts with the unknown ones.
    {"StartTimeNegative", Settings("-5", "twin_rivers", ""), "1", {"", "双子の川", "", "", "征服", "lobby", "1.10", 0}},
    // The seconds as the tree reads them: up to the first character that is not a digit.
    {"StartTimeAsTheTreeReadsIt", Settings("1000000000x", "twin_rivers", ""), "1",
     {"2001/09/09 10:46:40", "双子の川", "", "", "征服", "lobby", "1.10", 1000000000}},
    // Values without a vocabulary entry show as written, as the tree shows them.
    {"MissingVocabularyEntries",
     "<GameSettings><GameType>42</GameType><Map><MapName>rift_valley</MapName></Map><Players>" +
         Slot("0", "A", "10", "0") + "</Players></GameSettings>",
     "1", {"", "rift_valley", "A", "10", "42", "", "", 0}},
    {"NoTablesForTheFormatVersion", Settings(kTime, "twin_rivers", Slot("0", "A", "1", "0")), "3",
     {kShownTime, "twin_rivers", "A", "1", "0", "lobby", "1.10", 1067805607}},
    {"NothingButTheRoot", "<GameSettings/>", "1", {"", "", "", "", "", "", "", 0}},
    // The first of an item written twice counts; items out of their place count not.
    {"FirstOfTwoAndOutOfPlace",
     "<GameSettings><GameType>1</GameType><GameType>2</GameType><MapName>salt_marsh</MapName>"
     "<Map><Map><MapName>frost_pass</MapName></Map><MapName>crown_isles</MapName><MapName>old_kingdoms</MapName></Map>"
     "<Player Type=\"0\"><PlayerName>Outside</PlayerName></Player>"
     "<Players><Player Type=\"0\"><PlayerName>A</PlayerName><PlayerName>B</PlayerName><Extra><Team>1</Team></Extra></Player>"
     "</Players><Players><Player Type=\"1\"><PlayerName>C</PlayerName></Player></Players></GameSettings>",
     "1", {"", "王冠諸島", "A vs C（CPU）", " vs ", "王殺し", "", "", 0}},
    // An element's text is its own pieces joined, without those of its children.
    {"TextInPieces", "<GameSettings><LobbyName>a <b>x</b> c</LobbyName></GameSettings>", "1", {"", "", "", "", "", "ac", "", 0}},
    // Settings the parser reads for the plain reader: references, CDATA, a declaration.
    {"References",
     "<?xml version=\"1.0\"?><GameSettings><LobbyName>a &amp; b</LobbyName><GameVersion><![CDATA[<1>]]></GameVersion>"
     "<Players><Player Type=\"1\"><PlayerName>&lt;p&gt;</PlayerName></Player></Players></GameSettings>",
     "1", {"", "", "<p>（CPU）", "", "", "a & b", "<1>", 0}},
    // The parser forgives end tags missing at the end.
    {"EndTagsMissing", "<GameSettings><GameType>1</GameType><LobbyName>open", "1", {"", "", "", "", "王殺し", "open", "", 0}},
    // Names as the tree shows them: a declared prefix stays, an undeclared one is dropped.
    {"Namespaces",
     "<GameSettings xmlns:k=\"urn:k\"><k:GameType>1</k:GameType><u:LobbyName>x</u:LobbyName></GameSettings>", "1",
     {"", "", "", "", "", "x", "", 0}},
    {"AnyRootName", "<Settings><GameType>1</GameType></Settings>", "1", {"", "", "", "", "王殺し", "", "", 0}},
};

class RecordColumns : public ShippedOptionFixture {};

class SettingsColumns : public RecordColumns, public testing::WithParamInterface<SettingsCase> {};

}

// The same cells from the text as it is read and from its tree.
TEST_P(SettingsColumns, ShowWhatTheTreeShows)
{
    const SettingsCase& c = GetParam();
    CColumnTexts fromText;
    MakeColumnTexts(c.settings, option, c.version, fromText);
    ExpectCells(c.expected, fromText);
    CColumnTexts fromTree;
    MakeColumnTexts(*Tree(c.settings), option, c.version, fromTree);
    ExpectCells(c.expected, fromTree);
}

INSTANTIATE_TEST_SUITE_P(Settings, SettingsColumns, testing::ValuesIn(kSettingsCases),
                         [](const testing::TestParamInfo<SettingsCase>& info) { return info.param.name; });

struct SampleCase {
    const char* file;
    Cells expected;
};

const SampleCase kSampleCases[] = {
    {"castle-duel.rec",
     {"2003/11/03 05:40:07", "高地の浅瀬", "Alice vs Bob", "トルーン vs デュレモス", "王殺し", "1v1 castle duel", "1.10",
      1067805607}},
    {"four-kingdoms.rcx",
     {"2004/07/14 21:05:09", "裂け目の谷", "Gareth, Osric vs Mirelle, Computer（CPU）",
      "裂け目の守人, 灰の宮廷 vs ヴァレシュ, スールの遊牧民", "休戦協定", "2v2 treaty, rift gates on", "R1.02", 1089806709}},
    {"nihon-teams.rec",
     {"2005/01/02 19:30:45", "桜の谷", "武蔵, ソウマ, コンピュータ（CPU） vs 小次郎, 表示名テスト, さくら/もみじ",
      "サンナイ, サンナイ, ランダム vs アルドマーク, ケッサリン, ハルヴァニ", "征服", "正月３対３　初心者歓迎", "1.10",
      1104661845}},
};

class SampleColumns : public RecordColumns, public testing::WithParamInterface<SampleCase> {};

// A record decoded for its columns alone keeps them, its format version and nothing else.
TEST_P(SampleColumns, AreMadeWithoutKeepingTheSettings)
{
    CRecord record = Record(testfiles::SourcePath(std::string("samples/") + GetParam().file));
    MakeRecordColumns(record, option);
    ASSERT_TRUE(record.columns.Made());
    ExpectCells(GetParam().expected, record.columns);
    EXPECT_FALSE(record.SettingsDecoded());
    EXPECT_EQ("", record.settings);
    EXPECT_EQ("", record.mapScript);
    EXPECT_FALSE(record.formatVersion.empty());
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleColumns, testing::ValuesIn(kSampleCases),
                         [](const testing::TestParamInfo<SampleCase>& info) {
                             std::string name = info.param.file;
                             return name.substr(0, name.find('-')) + "_" + name.substr(name.find('.') + 1);
                         });

// Settings that a search has kept are not decoded again, and columns once made are not made
// again, until the record is loaded again.
TEST_F(RecordColumns, KeptSettingsAndKeptColumnsAreUsed)
{
    std::string path = fixtures::WriteRecord("columns_kept.rec", Settings(kTime, "twin_rivers", Slot("0", "A", "1", "0")));
    CRecord record = Record(path);
    ASSERT_FALSE(record.GetSettingsAlone().empty());
    testfiles::Write("columns_kept.rec", "l33t");
    MakeRecordColumns(record, option);
    EXPECT_EQ("A", std::string(record.columns.Cell(CColumnTexts::Players)));

    fixtures::WriteRecord("columns_kept.rec", Settings(kTime, "twin_rivers", Slot("0", "B", "1", "0")));
    MakeRecordColumns(record, option);
    EXPECT_EQ("A", std::string(record.columns.Cell(CColumnTexts::Players)));
    ASSERT_TRUE(record.Load(path));
    MakeRecordColumns(record, option);
    EXPECT_EQ("B", std::string(record.columns.Cell(CColumnTexts::Players)));
}

struct UnreadableCase {
    const char* name;
    std::string (*file)();
};

const UnreadableCase kUnreadableCases[] = {
    {"NotARecord", [] { return std::string("not a recorded game"); }},
    {"SettingsNotWellFormed", [] {
         return fixtures::FileBytes(fixtures::Body("1", recbuilder::MakeBlock(fixtures::SettingsPayload("<GameSettings><a>x &amp y</a></GameSettings>"), 0),
                                                   recbuilder::MakeBlock(fixtures::Text(fixtures::kMap), 0)));
     }},
};

class UnreadableColumns : public RecordColumns, public testing::WithParamInterface<UnreadableCase> {};

// A record that cannot be read shows so under its start time and nothing else; it is not decoded
// again for its columns, even once the file can be read, until it is loaded again.
TEST_P(UnreadableColumns, AreMarkedOnce)
{
    std::string name = std::string("columns_unreadable_") + GetParam().name + ".rec";
    std::string path = testfiles::Write(name, GetParam().file());
    CRecord record = Record(path);
    MakeRecordColumns(record, option);
    ASSERT_TRUE(record.columns.Made());
    ExpectCells({"（読み込めません）", "", "", "", "", "", "", 0}, record.columns);

    fixtures::WriteRecord(name, Settings(kTime, "twin_rivers", ""));
    MakeRecordColumns(record, option);
    EXPECT_EQ("（読み込めません）", std::string(record.columns.Cell(CColumnTexts::StartTime)));
    record.Moved(path);
    MakeRecordColumns(record, option);
    EXPECT_EQ(kShownTime, std::string(record.columns.Cell(CColumnTexts::StartTime)));
}

INSTANTIATE_TEST_SUITE_P(Files, UnreadableColumns, testing::ValuesIn(kUnreadableCases),
                         [](const testing::TestParamInfo<UnreadableCase>& info) { return info.param.name; });

// Settings that are no tree raise what the tree raises.
TEST_F(RecordColumns, SettingsThatAreNoTreeRaise)
{
    CColumnTexts columns;
    EXPECT_THROW(MakeColumnTexts("<GameSettings><a>x &amp y</a></GameSettings>", option, "1", columns),
                 Sprig::ParsingException);
    EXPECT_THROW(MakeColumnTexts("no element", option, "1", columns), Sprig::DOM_Exception);
    EXPECT_FALSE(columns.Made());
}
