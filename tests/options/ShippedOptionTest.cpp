// The option.xml and Rename.xsl that the build puts beside the program, checked against the
// settings schema of recorded games (samples/SCHEMA.md) and against what the program's writer
// and the XML processors downstream accept.
#include "TestFiles.h"
#include "options/COption.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using testfiles::BinPath;

// One row of the schema's table: | `Name` | element or attribute | where | meaning |
struct SchemaName {
    std::string name;
    bool element;
    bool expansionOnly;
};

std::vector<SchemaName> ReadSchema()
{
    std::vector<SchemaName> names;
    std::istringstream lines(testfiles::Read(testfiles::SourcePath("samples/SCHEMA.md")));
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("| `", 0) != 0)
            continue;
        std::vector<std::string> cells;
        std::istringstream row(line.substr(1));
        std::string cell;
        while (std::getline(row, cell, '|'))
            cells.push_back(cell);
        if (cells.size() < 3)
            continue;
        std::string name = cells[0].substr(cells[0].find('`') + 1);
        name.erase(name.find('`'));
        names.push_back({name, cells[1].find("element") != std::string::npos,
                         cells[2].find("(2)") != std::string::npos});
    }
    return names;
}

class ShippedOption : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        shipped = new COption;
        loaded = shipped->Load(BinPath("option.xml"));
        source = new COption;
        sourceLoaded = source->Load(testfiles::SourcePath("options/data/option.xml.in"));
        schema = ReadSchema();
    }
    static void TearDownTestSuite()
    {
        delete shipped;
        delete source;
    }

    static COption* shipped;
    static COption* source;
    static bool loaded;
    static bool sourceLoaded;
    static std::vector<SchemaName> schema;
};

COption* ShippedOption::shipped;
COption* ShippedOption::source;
bool ShippedOption::loaded;
bool ShippedOption::sourceLoaded;
std::vector<SchemaName> ShippedOption::schema;

TEST_F(ShippedOption, LoadsAsShiftJis)
{
    EXPECT_TRUE(loaded) << shipped->GetMessageText();
    EXPECT_EQ("", shipped->GetMessageText());
    std::string text = testfiles::Read(BinPath("option.xml"));
    EXPECT_EQ(0u, text.rfind("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>", 0));
    // "ゲームの種類" in code page 932.
    EXPECT_NE(std::string::npos, text.find("\x83\x51\x81\x5B\x83\x80\x82\xCC\x8E\xED\x97\xDE"));
}

TEST_F(ShippedOption, HoldsEveryEntryOfItsSource)
{
    ASSERT_TRUE(sourceLoaded) << source->GetMessageText();
    ASSERT_EQ(source->nodes.size(), shipped->nodes.size());
    for (const auto& [key, node] : source->nodes) {
        auto found = shipped->nodes.find(key);
        ASSERT_NE(shipped->nodes.end(), found) << key;
        EXPECT_EQ(node.texts.size(), found->second.texts.size()) << key;
    }
}

TEST_F(ShippedOption, NamesTheRenameStylesheetBesideTheProgram)
{
    EXPECT_EQ("Rename.xsl", shipped->templates["Rename"].value);
    EXPECT_TRUE(std::filesystem::is_regular_file(BinPath("Rename.xsl")));
    EXPECT_EQ(testfiles::Read(testfiles::SourcePath("options/data/Rename.xsl")), testfiles::Read(BinPath("Rename.xsl")));
}

TEST_F(ShippedOption, CoversEveryNameOfTheSchemaAndNoOther)
{
    ASSERT_GT(schema.size(), 40u);
    std::set<std::string> expected;
    for (const SchemaName& entry : schema) {
        expected.insert("2:" + entry.name);
        if (!entry.expansionOnly)
            expected.insert("1:" + entry.name);
    }
    std::set<std::string> actual;
    for (const auto& [key, node] : shipped->nodes)
        actual.insert(key);
    EXPECT_EQ(expected, actual);
}

// Display names become element and attribute names of the translated documents that the export
// writes and the rename stylesheet reads: letters, digits, "_" and "." of XML 1.0 (the older
// character tables, which every XML processor accepts), no leading digit or dot, and none of the
// bytes that the program's own parser ends a name at ("-", ":").
bool IsNameStart(char32_t c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || (c >= 0x3041 && c <= 0x3094) ||
           (c >= 0x30A1 && c <= 0x30FA) || (c >= 0x4E00 && c <= 0x9FA5) || c == 0x3007 ||
           (c >= 0x3021 && c <= 0x3029);
}

bool IsNameChar(char32_t c)
{
    return IsNameStart(c) || (c >= '0' && c <= '9') || c == '.' || c == 0x3005 || (c >= 0x3031 && c <= 0x3035) ||
           (c >= 0x309D && c <= 0x309E) || (c >= 0x30FC && c <= 0x30FE) || (c >= 0x3099 && c <= 0x309A);
}

std::u32string DecodeUtf8(const std::string& text)
{
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        unsigned char lead = static_cast<unsigned char>(text[i]);
        int length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (int k = 1; k < length && i + k < text.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        out.push_back(c);
        i += length;
    }
    return out;
}

bool IsXmlName(const std::string& utf8)
{
    std::u32string name = DecodeUtf8(utf8);
    if (name.empty() || !IsNameStart(name[0]))
        return false;
    for (char32_t c : name)
        if (!IsNameChar(c))
            return false;
    return true;
}

TEST(DisplayNameRule, AcceptsAndRejects)
{
    EXPECT_TRUE(IsXmlName(u8"ゲームの種類"));
    EXPECT_TRUE(IsXmlName(u8"プレイヤー一覧"));
    EXPECT_TRUE(IsXmlName("Map_2.x"));
    EXPECT_FALSE(IsXmlName(u8"ゲーム 種類"));
    EXPECT_FALSE(IsXmlName(u8"種類（2）"));
    EXPECT_FALSE(IsXmlName(u8"マップ・名"));
    EXPECT_FALSE(IsXmlName(u8"ー長音"));
    EXPECT_FALSE(IsXmlName("2nd"));
    EXPECT_FALSE(IsXmlName("a-b"));
    EXPECT_FALSE(IsXmlName("p:a"));
    EXPECT_FALSE(IsXmlName(""));
}

TEST_F(ShippedOption, DisplayNamesAreXmlNamesAndUniquePerTable)
{
    ASSERT_TRUE(sourceLoaded);
    std::map<std::string, std::string> seen;
    for (const auto& [key, node] : source->nodes) {
        EXPECT_TRUE(IsXmlName(node.value)) << key << " -> " << node.value;
        std::string perTable = key.substr(0, key.find(':') + 1) + node.value;
        auto [previous, fresh] = seen.emplace(perTable, key);
        EXPECT_TRUE(fresh) << key << " and " << previous->second << " share " << node.value;
    }
}

// The program writes names, values and texts unescaped, so none may hold markup.
TEST_F(ShippedOption, TextsHoldNoMarkup)
{
    for (const auto& [key, node] : shipped->nodes) {
        EXPECT_EQ(std::string::npos, node.value.find_first_of("<>&\"'")) << key;
        for (const auto& [raw, text] : node.texts) {
            EXPECT_EQ(std::string::npos, text.value.find_first_of("<>&\"'")) << key << " " << raw;
            EXPECT_FALSE(text.value.empty()) << key << " " << raw;
        }
    }
}

// Every code of the schema has a display text, in the table of each version that knows it.
struct CodeCase {
    const char* label;
    const char* type;
    const char* name;
    std::vector<const char*> codes;
};

const std::vector<const char*> kYesNo = {"0", "1"};

const CodeCase kCodeCases[] = {
    {"GameType1", "1", "GameType", {"0", "1", "2", "3", "4", "5"}},
    {"GameType2", "2", "GameType", {"0", "1", "2", "3", "4", "5", "6", "7"}},
    {"GameSpeed1", "1", "GameSpeed", {"0", "1", "2"}},
    {"GameSpeed2", "2", "GameSpeed", {"0", "1", "2"}},
    {"Difficulty1", "1", "Difficulty", {"0", "1", "2", "3", "4"}},
    {"Difficulty2", "2", "Difficulty", {"0", "1", "2", "3", "4"}},
    {"Size1", "1", "Size", {"0", "1", "2", "3", "4"}},
    {"Size2", "2", "Size", {"0", "1", "2", "3", "4"}},
    {"MapName1", "1", "MapName",
     {"highland_fords", "twin_rivers", "salt_marsh", "crown_isles", "frost_pass", "ember_wastes", "old_kingdoms"}},
    {"MapName2", "2", "MapName",
     {"highland_fords", "twin_rivers", "salt_marsh", "crown_isles", "frost_pass", "ember_wastes", "old_kingdoms",
      "rift_valley", "shattered_coast", "sunken_city"}},
    {"MapVisibility1", "1", "MapVisibility", {"0", "1", "2"}},
    {"MapVisibility2", "2", "MapVisibility", {"0", "1", "2"}},
    {"Terrain1", "1", "Terrain", {"0", "1", "2", "3"}},
    {"Terrain2", "2", "Terrain", {"0", "1", "2", "3", "4"}},
    {"Resources1", "1", "Resources", {"0", "1", "2", "3"}},
    {"Resources2", "2", "Resources", {"0", "1", "2", "3"}},
    {"StartingAge1", "1", "StartingAge", {"0", "1", "2", "3"}},
    {"EndingAge2", "2", "EndingAge", {"0", "1", "2", "3"}},
    {"VictoryCondition1", "1", "VictoryCondition", {"0", "1", "2", "3", "4"}},
    {"VictoryCondition2", "2", "VictoryCondition", {"0", "1", "2", "3", "4"}},
    {"LockTeams1", "1", "LockTeams", kYesNo},
    {"LockSpeed2", "2", "LockSpeed", kYesNo},
    {"TeamsTogether1", "1", "TeamsTogether", kYesNo},
    {"AllowCheats2", "2", "AllowCheats", kYesNo},
    {"AllTechs1", "1", "AllTechs", kYesNo},
    {"RiftGates2", "2", "RiftGates", kYesNo},
    {"Heroes2", "2", "Heroes", kYesNo},
    {"Type1", "1", "Type", {"0", "1", "2"}},
    {"Type2", "2", "Type", {"0", "1", "2", "3"}},
    {"Civilization1", "1", "Civilization", {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
    {"Civilization2", "2", "Civilization", {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}},
    {"Team1", "1", "Team", {"0", "1", "2", "3", "4"}},
    {"Team2", "2", "Team", {"0", "1", "2", "3", "4"}},
    {"Color1", "1", "Color", {"1", "2", "3", "4", "5", "6", "7", "8"}},
    {"Color2", "2", "Color", {"1", "2", "3", "4", "5", "6", "7", "8"}},
    {"Handicap1", "1", "Handicap", {"0", "1", "2"}},
    {"Handicap2", "2", "Handicap", {"0", "1", "2"}},
    {"Hero2", "2", "Hero", {"0", "1", "2", "3", "4", "5"}},
};

std::string CodeLabel(const testing::TestParamInfo<CodeCase>& info)
{
    return info.param.label;
}

class ShippedCodes : public ShippedOption, public testing::WithParamInterface<CodeCase> {};

TEST_P(ShippedCodes, EveryCodeHasADisplayText)
{
    const CodeCase& c = GetParam();
    auto node = shipped->nodes.find(std::string(c.type) + ":" + c.name);
    ASSERT_NE(shipped->nodes.end(), node);
    std::set<std::string> expected(c.codes.begin(), c.codes.end());
    std::set<std::string> actual;
    for (const auto& [raw, text] : node->second.texts)
        actual.insert(raw);
    EXPECT_EQ(expected, actual);
}

INSTANTIATE_TEST_SUITE_P(Schema, ShippedCodes, testing::ValuesIn(kCodeCases), CodeLabel);

}
