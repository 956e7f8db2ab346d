// The sample records of samples/, decoded by the record object and translated through the
// shipped option.xml into the document that the batch rename writes, in both builds.
#include "TestFiles.h"
#include "options/COption.h"
#include "record/CRecord.h"
#include "sprig/DOM_Parser.h"
#include "sprig/Document.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using testfiles::BinPath;

struct Case {
    const char* label;
    const char* file;
    const char* version;
    // Pieces of the written document, in code page 932.
    std::vector<const char*> pieces;
};

const Case kCases[] = {
    {"CastleDuel", "castle-duel.rec", "1",
     {"<開始日時>\n\t\t2003/11/03 05:40:07\n\t</開始日時>\n", "<ゲームの種類>\n\t\t王殺し\n",
      "<マップ マップサイズ=\"極小\" シード=\"40721835\">\n", "<マップ名>\n\t\t\t高地の浅瀬\n",
      "<プレイヤー 番号=\"2\" 種別=\"人間\">\n", "<名前>\n\t\t\t\tBob\n", "<文明>\n\t\t\t\tデュレモス\n",
      "<チーム固定>\n\t\t\tはい\n", "<プレイヤー 番号=\"8\" 種別=\"空き\">\n"}},
    {"FourKingdoms", "four-kingdoms.rcx", "2",
     {"<ゲームの種類>\n\t\t休戦協定\n", "<マップ名>\n\t\t\t裂け目の谷\n", "<地形>\n\t\t\t裂け目\n",
      "<休戦時間>\n\t\t\t15\n", "<裂け目の門>\n\t\t\tはい\n", "<文明>\n\t\t\t\t裂け目の守人\n",
      "<英雄>\n\t\t\t\t裂け目を歩む者\n", "<プレイヤー 番号=\"8\" 種別=\"観戦者\">\n", "<チーム>\n\t\t\t\tチーム2\n"}},
    {"NihonTeams", "nihon-teams.rec", "1",
     {"<ロビー名>\n\t\t正月３対３　初心者歓迎\n", "<マップ名>\n\t\t\t桜の谷\n", "<名前>\n\t\t\t\tソウマ\n",
      "<名前>\n\t\t\t\t表示名テスト\n", "<名前>\n\t\t\t\tさくら/もみじ\n", "<ハンディキャップ>\n\t\t\t\t重い\n",
      "<文明>\n\t\t\t\tランダム\n", "<レーティング>\n\t\t\t\tなし\n"}},
};

std::string Label(const testing::TestParamInfo<Case>& info)
{
    return info.param.label;
}

class SampleRecord : public testing::TestWithParam<Case> {};

TEST_P(SampleRecord, TranslatesThroughTheShippedVocabulary)
{
    const Case& c = GetParam();
    COption option;
    ASSERT_TRUE(option.Load(BinPath("option.xml"))) << option.GetMessageText();
    CRecord record;
    ASSERT_TRUE(record.Load(testfiles::SourcePath(std::string("samples/") + c.file)));
    std::string settings = record.GetGameSettings();
    ASSERT_FALSE(settings.empty()) << record.GetMessageText();
    EXPECT_EQ(c.version, record.formatVersion);

    Sprig::DOM_Parser parser;
    parser.ignoreWhitespace = true;
    std::unique_ptr<Sprig::Document> source(parser.Parse(settings.c_str()));
    std::unique_ptr<Sprig::Document> document(Sprig::CreateDocument("GameSettings"));
    EXPECT_TRUE(option.TranslateTree(*document->GetRootElement(), source->GetRootElement()->Children(),
                                     record.formatVersion));
    EXPECT_EQ("", option.GetMessageText());
    std::string written = document->ToString(true, "\t", 0);
    for (const char* piece : c.pieces)
        EXPECT_NE(std::string::npos, written.find(piece)) << piece;
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleRecord, testing::ValuesIn(kCases), Label);

}
