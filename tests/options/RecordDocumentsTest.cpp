// The documents that the export and the batch rename make of records, in both builds.
#include "RecordFixtures.h"
#include "ShippedOptionFixture.h"
#include "TestFiles.h"
#include "options/CExportDocument.h"
#include "options/COption.h"
#include "options/FailureText.h"
#include "options/RecordDocuments.h"
#include "record/CRecord.h"
#include "sprig/DOM_Exception.h"
#include "sprig/ParsingException.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace {

class RecordDocuments : public ShippedOptionFixture {};

enum class Raised { Runtime, Parsing };

struct FailureCase {
    const char* name;
    std::string fileBytes;
    Raised raised;
    const char* textPiece;
};

const FailureCase kFailureCases[] = {
    {"NotARecord", "not a recorded game", Raised::Runtime, "Unpack Error"},
    {"SettingsNotWellFormed",
     fixtures::FileBytes(fixtures::Body("1",
                                        recbuilder::MakeBlock(fixtures::SettingsPayload("<GameSettings><a>x &amp y</a></GameSettings>"), 0),
                                        recbuilder::MakeBlock(fixtures::Text(fixtures::kMap), 0))),
     Raised::Parsing, "エラー場所："},
};

class SettingsThatCannotBeRead : public RecordDocuments, public testing::WithParamInterface<FailureCase> {};

// Both documents raise, and the failure reads as the program tells it: the record's own message
// for a file that cannot be decoded, the parser's place and message otherwise.
TEST_P(SettingsThatCannotBeRead, RaiseWithTheirReason)
{
    CRecord record = Record(testfiles::Write(std::string(GetParam().name) + ".rec", GetParam().fileBytes));
    for (int document = 0; document < 2; ++document) {
        SCOPED_TRACE(document == 0 ? "rename document" : "export document");
        CExportDocument export_;
        std::string text;
        try {
            if (document == 0)
                MakeRenameDocument(record, option);
            else
                export_.Add(record, option);
            ADD_FAILURE() << "nothing raised";
        } catch (const Sprig::ParsingException& error) {
            EXPECT_EQ(Raised::Parsing, GetParam().raised);
            text = FailureText(error);
        } catch (const std::runtime_error& error) {
            EXPECT_EQ(Raised::Runtime, GetParam().raised);
            EXPECT_EQ(record.GetMessageText(), error.what());
            text = FailureText(error);
        }
        EXPECT_NE(std::string::npos, text.find(GetParam().textPiece)) << text;
        EXPECT_EQ(0u, export_.list->Children().size());
    }
}

INSTANTIATE_TEST_SUITE_P(Files, SettingsThatCannotBeRead, testing::ValuesIn(kFailureCases),
                         [](const testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

TEST_F(RecordDocuments, TheRenameDocumentIsTranslatedUtf8)
{
    CRecord record = Record(testfiles::SourcePath("samples/castle-duel.rec"));
    std::string document = MakeRenameDocument(record, option);
    EXPECT_EQ(0u, document.find(u8"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<GameSettings>\n"
                                u8"\t<ゲームバージョン>\n\t\t1.10\n\t</ゲームバージョン>\n"
                                u8"\t<ゲームの種類>\n\t\t王殺し\n\t</ゲームの種類>\n"
                                u8"\t<開始日時>\n\t\t2003/11/03 05:40:07\n\t</開始日時>\n"))
        << document;
    EXPECT_NE(std::string::npos, document.find(u8"\t\t<マップ名>\n\t\t\t高地の浅瀬\n\t\t</マップ名>\n"));
    std::string tail = u8"\t</プレイヤー一覧>\n</GameSettings>\n";
    EXPECT_EQ(document.size() - tail.size(), document.rfind(tail)) << document;
}

TEST_F(RecordDocuments, TheExportHoldsOneEntryPerRecordInTheOrderAdded)
{
    CRecord duel = Record(testfiles::SourcePath("samples/castle-duel.rec"));
    CRecord kingdoms = Record(testfiles::SourcePath("samples/four-kingdoms.rcx"));
    CRecord broken = Record(testfiles::Write("broken.rec", "not a recorded game"));
    CExportDocument document;
    document.Add(kingdoms, option);
    EXPECT_THROW(document.Add(broken, option), std::runtime_error);
    document.Add(duel, option);
    std::string text = document.ToString();
    std::string head = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<Kar Version=\"1.0\">\n\t<RecordedFiles>\n"
                       "\t\t<RecordedFile Name=\"four-kingdoms.rcx\" LastWriteTime=\"" + kingdoms.timeText + "\">\n"
                       "\t\t\t<ゲーム設定>\n\t\t\t\t\n\t\t\t\t<ゲームバージョン>\n";
    EXPECT_EQ(0u, text.find(head)) << text;
    std::string second = "\t\t</RecordedFile>\n\t\t<RecordedFile Name=\"castle-duel.rec\" LastWriteTime=\"" +
                         duel.timeText + "\">\n\t\t\t<ゲーム設定>\n";
    EXPECT_NE(std::string::npos, text.find(second)) << text;
    EXPECT_NE(std::string::npos, text.find("\t\t\t\t<開始日時>\n\t\t\t\t\t2003/11/03 05:40:07\n"));
    EXPECT_EQ(std::string::npos, text.find("broken.rec"));
    std::string tail = "\t\t</RecordedFile>\n\t</RecordedFiles>\n</Kar>\n";
    EXPECT_EQ(text.size() - tail.size(), text.rfind(tail));
    EXPECT_FALSE(duel.timeText.empty());
}

}
