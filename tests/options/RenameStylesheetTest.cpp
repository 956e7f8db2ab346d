// The shipped Rename.xsl, run by xsltproc on the documents that the batch rename writes: a
// record's settings (the UTF-8 sample sources turned into code page 932, as the decoder hands
// them over) translated through the shipped option.xml into a new GameSettings document.
#include "TestFiles.h"
#include "options/COption.h"
#include "record/CRecord.h"
#include "sprig/DOM_Parser.h"
#include "sprig/Document.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iconv.h>
#include <memory>
#include <string>

namespace {

std::string BinPath(const std::string& name)
{
    const char* root = std::getenv("TV_BINARY_DIR");
    return (std::filesystem::path(root ? root : ".") / "bin" / name).string();
}

std::string Utf8ToCp932(const std::string& text)
{
    iconv_t cd = iconv_open("CP932", "UTF-8");
    std::string out(text.size() * 2 + 1, '\0');
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char* target = out.data();
    size_t targetLeft = out.size();
    size_t result = iconv(cd, &in, &inLeft, &target, &targetLeft);
    iconv_close(cd);
    EXPECT_NE(static_cast<size_t>(-1), result) << "not convertible: " << text;
    out.resize(out.size() - targetLeft);
    return out;
}

// The batch rename's document: declaration, root "GameSettings", and below it the translated
// children of the record's own root element.
std::string TranslatedDocument(COption& option, const std::string& settings, const std::string& type)
{
    Sprig::DOM_Parser parser;
    parser.ignoreWhitespace = true;
    std::unique_ptr<Sprig::Document> source(parser.Parse(settings.c_str()));
    std::unique_ptr<Sprig::Document> document(Sprig::CreateDocument("GameSettings"));
    Sprig::CreateAttribute("version", "1.0", document.get());
    Sprig::CreateAttribute("encoding", "Shift_JIS", document.get());
    EXPECT_TRUE(option.TranslateTree(*document->GetRootElement(), source->GetRootElement()->Children(), type));
    EXPECT_EQ("", option.GetMessageText());
    return document->ToString(true, "\t", 0);
}

std::string RunXsltproc(const std::string& documentPath)
{
    std::string command = "xsltproc '" + BinPath("Rename.xsl") + "' '" + documentPath + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    char buffer[4096];
    size_t count;
    while ((count = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, count);
    EXPECT_EQ(0, pclose(pipe)) << output;
    return output;
}

struct Case {
    const char* label;
    // A sample source in samples/src (UTF-8), a sample record in samples (decoded as the program
    // does), or the settings themselves when they start with "<".
    const char* settings;
    const char* type;
    // xsltproc's output, UTF-8.
    const char* name;
};

const Case kCases[] = {
    {"CastleDuel", "castle-duel.settings.xml", "1", u8"2003-11-03_0540_高地の浅瀬_Alice_vs_Bob"},
    {"FourKingdoms", "four-kingdoms.settings.xml", "2",
     u8"2004-07-14_2105_裂け目の谷_Gareth+Osric_vs_Mirelle+Computer"},
    {"NihonTeams", "nihon-teams.settings.xml", "1",
     u8"2005-01-02_1930_桜の谷_武蔵+ソウマ+コンピュータ_vs_小次郎+表示名テスト+さくら_もみじ"},
    {"CastleDuelRecord", "castle-duel.rec", "1", u8"2003-11-03_0540_高地の浅瀬_Alice_vs_Bob"},
    {"FourKingdomsRecord", "four-kingdoms.rcx", "2", u8"2004-07-14_2105_裂け目の谷_Gareth+Osric_vs_Mirelle+Computer"},
    {"NihonTeamsRecord", "nihon-teams.rec", "1",
     u8"2005-01-02_1930_桜の谷_武蔵+ソウマ+コンピュータ_vs_小次郎+表示名テスト+さくら_もみじ"},
    {"UnknownTimeAndCustomMap",
     "<GameSettings><GameStartTime>0</GameStartTime><Map Size=\"1\"><MapName>My: map?</MapName></Map>"
     "<Players><Player ID=\"1\" Type=\"0\"><PlayerName>A*B</PlayerName><Team>0</Team></Player>"
     "<Player ID=\"2\" Type=\"1\"><PlayerName>C|D</PlayerName><Team>0</Team></Player></Players></GameSettings>",
     "1", u8"My_ map__A_B_vs_C_D"},
    {"FreeForAllWithOneTeam",
     "<GameSettings><GameStartTime>1067805607</GameStartTime><Players>"
     "<Player ID=\"1\" Type=\"0\"><PlayerName>A</PlayerName><Team>2</Team></Player>"
     "<Player ID=\"2\" Type=\"0\"><PlayerName>B</PlayerName><Team>0</Team></Player>"
     "<Player ID=\"3\" Type=\"2\"><PlayerName></PlayerName><Team>2</Team></Player>"
     "<Player ID=\"4\" Type=\"0\"><PlayerName>C</PlayerName><Team>2</Team></Player>"
     "<Player ID=\"5\" Type=\"0\"><PlayerName>D</PlayerName><Team>0</Team></Player></Players></GameSettings>",
     "1", u8"2003-11-03_0540_A+C_vs_B_vs_D"},
    {"ObserverLeftOut",
     "<GameSettings><Map><MapName>rift_valley</MapName></Map><Players>"
     "<Player ID=\"1\" Type=\"3\"><PlayerName>Watcher</PlayerName><Team>0</Team></Player>"
     "<Player ID=\"2\" Type=\"0\"><PlayerName>Solo</PlayerName><Team>1</Team></Player></Players></GameSettings>",
     "2", u8"裂け目の谷_Solo"},
    {"NothingKnown", "<GameSettings><GameType>1</GameType></GameSettings>", "1", ""},
};

std::string Label(const testing::TestParamInfo<Case>& info)
{
    return info.param.label;
}

class RenameStylesheet : public testing::TestWithParam<Case> {};

TEST_P(RenameStylesheet, NamesTheFile)
{
    const Case& c = GetParam();
    COption option;
    ASSERT_TRUE(option.Load(BinPath("option.xml"))) << option.GetMessageText();
    std::string settings = c.settings;
    std::string extension = std::filesystem::path(settings).extension().string();
    if (extension == ".rec" || extension == ".rcx") {
        CRecord record;
        ASSERT_TRUE(record.Load(testfiles::SourcePath("samples/" + settings)));
        settings = record.GetGameSettings();
        ASSERT_EQ(c.type, record.formatVersion);
    } else {
        if (settings[0] != '<')
            settings = testfiles::Read(testfiles::SourcePath("samples/src/" + settings));
        settings = Utf8ToCp932(settings);
    }
    ASSERT_FALSE(settings.empty());
    std::string document = TranslatedDocument(option, settings, c.type);
    std::string path = testfiles::Write(std::string(c.label) + ".xml", document);
    EXPECT_EQ(c.name, RunXsltproc(path));
}

INSTANTIATE_TEST_SUITE_P(Samples, RenameStylesheet, testing::ValuesIn(kCases), Label);

// Every coded value of the samples reaches the document as its display text.
TEST(SampleTranslation, LeavesNoRawCode)
{
    COption option;
    ASSERT_TRUE(option.Load(BinPath("option.xml")));
    std::string settings = Utf8ToCp932(testfiles::Read(testfiles::SourcePath("samples/src/four-kingdoms.settings.xml")));
    std::string document = TranslatedDocument(option, settings, "2");
    for (const char* raw : {"<GameType>", "<Civilization>", "<Hero>", "rift_valley", "Type=", "Size=", "<PlayerName>"})
        EXPECT_EQ(std::string::npos, document.find(raw)) << raw;
    EXPECT_NE(std::string::npos, document.find(Utf8ToCp932(u8"\t\t\t\t裂け目の守人\n"))) << document;
    EXPECT_NE(std::string::npos, document.find(Utf8ToCp932(u8"種別=\"観戦者\""))) << document;
}

}
