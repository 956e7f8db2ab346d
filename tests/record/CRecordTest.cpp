#include "record/CRecord.h"
#include "RecordFixtures.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>

namespace {
using namespace fixtures;

const std::string kPrefix = "スクリプトにエラーがあるか、未対応の形式です。\n\n";

TEST(CRecord, LoadOfAMissingFileFails)
{
    std::string path = testfiles::Path("record_missing.rec");
    CRecord record;
    EXPECT_FALSE(record.Load(path));
    EXPECT_EQ(kPrefix + "File Open Error : " + path, record.GetMessageText());
}

TEST(CRecord, LoadTakesNameAndTimeButDecodesNothing)
{
    std::string path = testfiles::Write("record_load.rec", FileBytes(GoodBody("2")));
    CRecord record;
    record.formatVersion = "earlier";
    ASSERT_TRUE(record.Load(path));
    EXPECT_EQ(kPrefix, record.GetMessageText());
    EXPECT_EQ(path, record.path);
    EXPECT_EQ("record_load.rec", record.fileName);
    EXPECT_EQ(19u, record.timeText.size());
    EXPECT_FALSE(record.unpacked);
    EXPECT_EQ("", record.settings);
    EXPECT_EQ("earlier", record.formatVersion);

    EXPECT_EQ(kSettings, record.GetGameSettings());
    EXPECT_TRUE(record.unpacked);
    EXPECT_EQ("2", record.formatVersion);
    EXPECT_EQ(kMap, record.mapScript);
}

TEST(CRecord, FailedDecodingIsRetriedOnTheNextRequest)
{
    std::string path = testfiles::Write("record_retry.rec", "l33t");
    CRecord record;
    ASSERT_TRUE(record.Load(path));
    EXPECT_EQ("", record.GetGameSettings());
    EXPECT_FALSE(record.unpacked);
    EXPECT_EQ(kPrefix + "Unpack Error : header size read error", record.GetMessageText());

    testfiles::Write("record_retry.rec", FileBytes(GoodBody()));
    EXPECT_EQ(kSettings, record.GetGameSettings());
    EXPECT_TRUE(record.unpacked);
    EXPECT_EQ(kPrefix, record.GetMessageText());
}

TEST(CRecord, DecodedTextsAreKept)
{
    std::string path = testfiles::Write("record_keep.rec", FileBytes(GoodBody()));
    CRecord record;
    ASSERT_TRUE(record.Load(path));
    EXPECT_EQ(kMap, record.GetMapScript());
    // A changed file is not decoded again once decoding succeeded.
    testfiles::Write("record_keep.rec", "l33t");
    EXPECT_EQ(kSettings, record.GetGameSettings());

    CRecord copy = record;
    EXPECT_TRUE(copy.unpacked);
    EXPECT_EQ(kSettings, copy.GetGameSettings());
    EXPECT_EQ(kMap, copy.mapScript);

    // Loading again returns the record to loaded and not unpacked.
    ASSERT_TRUE(record.Load(path));
    EXPECT_FALSE(record.unpacked);
    EXPECT_EQ("", record.mapScript);
}

// The settings decoded alone leave the map script in the file: the record is not unpacked, and
// the map script is decoded when it is asked for; the settings are not decoded again.
TEST(CRecord, SettingsDecodedAloneLeaveTheMapScript)
{
    std::string path = testfiles::Write("record_alone.rec", FileBytes(GoodBody("2")));
    CRecord record;
    ASSERT_TRUE(record.Load(path));
    EXPECT_EQ(kSettings, record.GetSettingsAlone());
    EXPECT_TRUE(record.SettingsDecoded());
    EXPECT_FALSE(record.unpacked);
    EXPECT_EQ("", record.mapScript);
    EXPECT_EQ("2", record.formatVersion);
    EXPECT_EQ(kPrefix, record.GetMessageText());

    testfiles::Write("record_alone.rec", FileBytes(Body("2", recbuilder::MakeBlock(SettingsPayload("<GameSettings><Later/></GameSettings>"), 0),
                                                       recbuilder::MakeBlock(Text("later map"), 0))));
    EXPECT_EQ(kSettings, record.GetGameSettings());
    EXPECT_EQ(kSettings, record.GetSettingsAlone());
    EXPECT_EQ("later map", record.GetMapScript());
    EXPECT_TRUE(record.unpacked);
}

// An unpacked record has its settings: nothing is decoded again for them alone.
TEST(CRecord, SettingsAloneOfAnUnpackedRecord)
{
    std::string path = testfiles::Write("record_alone_unpacked.rec", FileBytes(GoodBody()));
    CRecord record;
    ASSERT_TRUE(record.Load(path));
    ASSERT_EQ(kMap, record.GetMapScript());
    testfiles::Write("record_alone_unpacked.rec", "l33t");
    EXPECT_EQ(kSettings, record.GetSettingsAlone());
    EXPECT_EQ(kMap, record.mapScript);
}

TEST(CRecord, FailedDecodingOfTheSettingsAloneIsRetried)
{
    std::string path = testfiles::Write("record_alone_retry.rec", "l33t");
    CRecord record;
    ASSERT_TRUE(record.Load(path));
    EXPECT_EQ("", record.GetSettingsAlone());
    EXPECT_FALSE(record.SettingsDecoded());
    EXPECT_EQ(kPrefix + "Unpack Error : header size read error", record.GetMessageText());
    testfiles::Write("record_alone_retry.rec", FileBytes(GoodBody()));
    EXPECT_EQ(kSettings, record.GetSettingsAlone());
    EXPECT_TRUE(record.SettingsDecoded());
}

// What a search kept goes with the file's old contents: loading, moving and following drop it,
// also when the moved file cannot be opened.
TEST(CRecord, LoadingOrMovingDropsWhatSearchesKept)
{
    std::string path = testfiles::Write("record_search_kept.rec", FileBytes(GoodBody()));
    CRecord record;
    ASSERT_TRUE(record.Load(path));
    for (int way = 0; way < 4; ++way) {
        SCOPED_TRACE(way);
        ASSERT_EQ(kSettings, record.GetSettingsAlone());
        record.searchText = "kept";
        if (way == 0)
            ASSERT_TRUE(record.Load(path));
        else if (way == 1)
            record.Moved(path);
        else if (way == 2)
            record.Moved(testfiles::Path("record_search_kept_nowhere.rec"));
        else
            record.Followed(path, record.timeText);
        EXPECT_EQ("", record.searchText);
        EXPECT_FALSE(record.SettingsDecoded());
        record.Moved(path);
    }
}

// A moved record is loaded again from its new path: what the file holds there now, and its
// time there, are what the record shows.
TEST(CRecord, AMovedRecordIsLoadedAgainFromItsNewPath)
{
    std::string path = testfiles::Write("record_moved.rec", FileBytes(GoodBody("1")));
    CRecord record;
    ASSERT_TRUE(record.Load(path));
    ASSERT_EQ(kSettings, record.GetGameSettings());
    ASSERT_EQ("1", record.formatVersion);
    std::string time = record.timeText;
    std::string newPath = testfiles::Path("record_moved_to.rec");
    ASSERT_EQ(0, std::rename(path.c_str(), newPath.c_str()));
    testfiles::Write("record_moved_to.rec", FileBytes(Body("2", recbuilder::MakeBlock(SettingsPayload("<GameSettings><Moved/></GameSettings>"), 0),
                                                           recbuilder::MakeBlock(Text("moved map"), 0))));
    std::filesystem::last_write_time(newPath, std::filesystem::last_write_time(newPath) - std::chrono::hours(24 * 400));
    record.Moved(newPath);
    EXPECT_EQ(newPath, record.path);
    EXPECT_EQ("record_moved_to.rec", record.fileName);
    EXPECT_FALSE(record.unpacked);
    EXPECT_EQ("", record.settings);
    CRecord loaded;
    ASSERT_TRUE(loaded.Load(newPath));
    EXPECT_EQ(loaded.timeText, record.timeText);
    EXPECT_NE(time, record.timeText);
    EXPECT_EQ(kPrefix, record.GetMessageText());
    EXPECT_EQ("<GameSettings><Moved/></GameSettings>", record.GetGameSettings());
    EXPECT_EQ("moved map", record.mapScript);
    EXPECT_EQ("2", record.formatVersion);
}

// A record that follows its file takes the time that the file gave, and decodes the file from
// its new path when next asked.
TEST(CRecord, AFollowedRecordTakesTheTimeGivenAndDecodesAgain)
{
    std::string path = testfiles::Write("record_followed.rec", FileBytes(GoodBody()));
    CRecord record;
    ASSERT_TRUE(record.Load(path));
    ASSERT_EQ(kSettings, record.GetGameSettings());
    std::string newPath = testfiles::Path("record_followed_to.rec");
    ASSERT_EQ(0, std::rename(path.c_str(), newPath.c_str()));
    testfiles::Write("record_followed_to.rec", FileBytes(Body("2", recbuilder::MakeBlock(SettingsPayload("<GameSettings><Followed/></GameSettings>"), 0),
                                                             recbuilder::MakeBlock(Text("followed map"), 0))));
    record.Followed(newPath, "2001/02/03 04:05:06");
    EXPECT_EQ(newPath, record.path);
    EXPECT_EQ("record_followed_to.rec", record.fileName);
    EXPECT_EQ("2001/02/03 04:05:06", record.timeText);
    EXPECT_FALSE(record.SettingsDecoded());
    EXPECT_EQ("", record.settings);
    EXPECT_EQ("", record.mapScript);
    EXPECT_EQ(kPrefix, record.GetMessageText());
    EXPECT_EQ("<GameSettings><Followed/></GameSettings>", record.GetGameSettings());
    EXPECT_EQ("followed map", record.mapScript);
    EXPECT_EQ("2", record.formatVersion);
}

// A file that cannot be opened under its new path just now is followed all the same: the record
// never points at a name the file has left.
TEST(CRecord, AMovedRecordThatCannotBeOpenedStillFollowsTheFile)
{
    std::string path = testfiles::Write("record_moved_away.rec", FileBytes(GoodBody()));
    CRecord record;
    ASSERT_TRUE(record.Load(path));
    ASSERT_EQ(kSettings, record.GetGameSettings());
    std::string time = record.timeText;
    std::string newPath = testfiles::Path("record_moved_away_to.rec");
    record.Moved(newPath);
    EXPECT_EQ(newPath, record.path);
    EXPECT_EQ("record_moved_away_to.rec", record.fileName);
    EXPECT_EQ(time, record.timeText);
    EXPECT_FALSE(record.unpacked);
    EXPECT_EQ("", record.settings);
    EXPECT_EQ("", record.mapScript);
    EXPECT_EQ(kPrefix + "File Open Error : " + newPath, record.GetMessageText());
    ASSERT_EQ(0, std::rename(path.c_str(), newPath.c_str()));
    EXPECT_EQ(kSettings, record.GetGameSettings());
}

// Settings borrowed from a record that has not decoded them are decoded into the scratch text:
// the record keeps its format version and neither the settings nor the map script, and a later
// request decodes the file itself. A record that has decoded its settings lends its own.
TEST(CRecord, BorrowedSettingsAreNotKept)
{
    std::string path = testfiles::Write("record_borrow.rec", FileBytes(GoodBody("2")));
    CRecord record;
    ASSERT_TRUE(record.Load(path));
    std::string scratch = "before";
    const std::string* settings = record.BorrowSettings(scratch);
    ASSERT_EQ(&scratch, settings);
    EXPECT_EQ(kSettings, scratch);
    EXPECT_EQ("2", record.formatVersion);
    EXPECT_FALSE(record.SettingsDecoded());
    EXPECT_EQ("", record.settings);
    EXPECT_EQ("", record.mapScript);
    EXPECT_EQ(kPrefix, record.GetMessageText());

    ASSERT_EQ(kSettings, record.GetSettingsAlone());
    testfiles::Write("record_borrow.rec", "l33t");
    std::string unused;
    ASSERT_EQ(&record.settings, record.BorrowSettings(unused));
    EXPECT_EQ("", unused);
}

TEST(CRecord, BorrowingTheSettingsOfAFileThatCannotBeDecodedFails)
{
    std::string path = testfiles::Write("record_borrow_bad.rec", "l33t");
    CRecord record;
    ASSERT_TRUE(record.Load(path));
    std::string scratch;
    EXPECT_EQ(nullptr, record.BorrowSettings(scratch));
    EXPECT_EQ(kPrefix + "Unpack Error : header size read error", record.GetMessageText());
    EXPECT_FALSE(record.SettingsDecoded());
}

// The list's column texts go with the file's old contents, as the search's do.
TEST(CRecord, LoadingOrMovingDropsTheColumnTexts)
{
    std::string path = testfiles::Write("record_columns_kept.rec", FileBytes(GoodBody()));
    CRecord record;
    ASSERT_TRUE(record.Load(path));
    std::string texts[CColumnTexts::kCount] = {"kept"};
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        record.columns.Set(texts, 1);
        if (way == 0)
            ASSERT_TRUE(record.Load(path));
        else if (way == 1)
            record.Moved(path);
        else
            record.Moved(testfiles::Path("record_columns_kept_nowhere.rec"));
        EXPECT_FALSE(record.columns.Made());
        EXPECT_EQ(0, record.columns.startSeconds);
        record.Moved(path);
    }
}

struct FailureCase {
    const char* name;
    std::string (*file)();
    const char* detail;
};

const FailureCase kFailureCases[] = {
    {"NotRecognised", [] { return FileBytes(Bytes(0x600, 1)); }, "GetGameData Error"},
    {"NoElement", [] {
         return FileBytes(Body("1", recbuilder::MakeBlock(SettingsPayload("<x/>"), 0), recbuilder::MakeBlock(Text(kMap), 0)));
     }, "invalid string position"},
    {"EmptyMap", [] {
         return FileBytes(Body("1", recbuilder::MakeBlock(SettingsPayload(), 0), recbuilder::MakeBlock(Bytes(), 0)));
     }, "invalid vector<T> subscript"},
    {"BadHeader", [] { return std::string("xxxxxxxxxxxx"); }, "Unpack Error : Invalid file header"},
};

class RecordFailures : public testing::TestWithParam<FailureCase> {};

TEST_P(RecordFailures, EndAsEmptyTextsAndAMessage)
{
    const FailureCase& c = GetParam();
    std::string path = testfiles::Write(std::string("record_fail_") + c.name + ".rec", c.file());
    CRecord record;
    ASSERT_TRUE(record.Load(path));
    EXPECT_FALSE(record.UnpackGameData(path));
    EXPECT_EQ(kPrefix + c.detail, record.GetMessageText());
    EXPECT_EQ("", record.GetGameSettings());
    EXPECT_EQ("", record.GetMapScript());
    EXPECT_FALSE(record.unpacked);
}

INSTANTIATE_TEST_SUITE_P(Files, RecordFailures, testing::ValuesIn(kFailureCases),
                         [](const testing::TestParamInfo<FailureCase>& info) { return info.param.name; });
}
