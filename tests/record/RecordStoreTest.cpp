#include "options/CSaveData.h"
#include "RecordFixtures.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {
TEST(CSaveData, AddRecordGivesConsecutiveIdsAndNeverReusesOne)
{
    std::string good = testfiles::Write("store_good.rec", fixtures::FileBytes(fixtures::GoodBody()));
    CSaveData data;
    EXPECT_EQ(0, data.AddRecord(""));
    EXPECT_EQ(0, data.lastId);
    EXPECT_EQ(1, data.AddRecord(good));
    EXPECT_EQ(0, data.AddRecord(testfiles::Path("store_missing.rec")));
    EXPECT_EQ(2, data.AddRecord(good));
    EXPECT_EQ(2u, data.records.size());
    EXPECT_EQ("store_good.rec", data.records[2].fileName);

    data.records.clear();
    EXPECT_EQ(3, data.AddRecord(good));
}
}
