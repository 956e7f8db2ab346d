#pragma once
// Records and the names that the shipped Rename.xsl gives them: the names that xsltproc gives
// for the documents the batch rename writes (checked in the native build), which the batch
// rename must give under the system's stylesheet engine too (checked in the Windows build).
#include "RecordFixtures.h"
#include "TestFiles.h"

#include <string>

namespace renamecases {

struct Case {
    const char* label;
    // A sample record ("samples/..."), a record built from a sample source ("src:..."), or a
    // record built from the settings themselves (UTF-8) when they start with "<".
    const char* record;
    const char* type;
    // The name, UTF-8; empty when the stylesheet finds nothing to name the file by.
    const char* name;
};

const Case kCases[] = {
    {"CastleDuel", "src:castle-duel.settings.xml", "1", u8"2003-11-03_0540_高地の浅瀬_Alice_vs_Bob"},
    {"FourKingdoms", "src:four-kingdoms.settings.xml", "2",
     u8"2004-07-14_2105_裂け目の谷_Gareth+Osric_vs_Mirelle+Computer"},
    {"NihonTeams", "src:nihon-teams.settings.xml", "1",
     u8"2005-01-02_1930_桜の谷_武蔵+ソウマ+コンピュータ_vs_小次郎+表示名テスト+さくら_もみじ"},
    {"CastleDuelRecord", "samples/castle-duel.rec", "1", u8"2003-11-03_0540_高地の浅瀬_Alice_vs_Bob"},
    {"FourKingdomsRecord", "samples/four-kingdoms.rcx", "2", u8"2004-07-14_2105_裂け目の谷_Gareth+Osric_vs_Mirelle+Computer"},
    {"NihonTeamsRecord", "samples/nihon-teams.rec", "1",
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
    {"MarkupCharactersInNames",
     "<GameSettings><GameStartTime>1067805607</GameStartTime><Map><MapName>x&amp;y</MapName></Map><Players>"
     "<Player ID=\"1\" Type=\"0\"><PlayerName>A&amp;B &lt;C&gt;</PlayerName><Team>1</Team></Player>"
     "<Player ID=\"2\" Type=\"0\"><PlayerName>\"D\" 'E'</PlayerName><Team>1</Team></Player>"
     "<Player ID=\"3\" Type=\"0\"><PlayerName>F&amp;amp;G</PlayerName><Team>2</Team></Player></Players></GameSettings>",
     "1", "2003-11-03_0540_x&y_A&B _C_+_D_ 'E'_vs_F&amp;G"},
    {"NothingKnown", "<GameSettings><GameType>1</GameType></GameSettings>", "1", ""},
};

// A record file of the case in the scratch folder, named after its label: a copy of the sample,
// or a record built from the settings.
inline std::string WriteRecord(const Case& c)
{
    std::string record = c.record;
    std::string name = std::string(c.label) + (std::string(c.type) == "2" ? ".rcx" : ".rec");
    if (record.rfind("samples/", 0) == 0)
        return testfiles::Write(name, testfiles::Read(testfiles::SourcePath(record)));
    if (record.rfind("src:", 0) == 0)
        record = testfiles::Read(testfiles::SourcePath("samples/src/" + record.substr(4)));
    return fixtures::WriteRecord(name, record, c.type);
}

}
