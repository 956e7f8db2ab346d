#include "record/CKarRecord.h"

#include "framework/Shell.h"

#include "InstallationRegistry.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

namespace {

using installation::kExpansionKey;
using installation::kGameKey;

struct QueryCase {
    const char* name;
    std::string (CKarRecord::*query)();
    const char* key;
    const char* value;
    const char* keyMessage;
    const char* valueMessage;
};

class InstallationQuery : public ::testing::TestWithParam<QueryCase> {
protected:
    void SetUp() override { installation::RemoveAll(); }
    void TearDown() override { installation::RemoveAll(); }
    // The query on a fresh object: its result and the message it left.
    std::pair<std::string, std::string> Ask()
    {
        CKarRecord record;
        std::string result = (record.*GetParam().query)();
        return {result, record.errorText};
    }
};

}

TEST_P(InstallationQuery, ReadsTheValueFromThe32BitView)
{
    const QueryCase& c = GetParam();
    ASSERT_TRUE(installation::Put(KEY_WOW64_32KEY, c.key, {{c.value, "C:\\ゲーム\\値"}}));
    EXPECT_EQ(std::make_pair(std::string("C:\\ゲーム\\値"), std::string()), Ask());
}

TEST_P(InstallationQuery, AMissingKeyGivesTheEmptyTextAndCreatesNothing)
{
    const QueryCase& c = GetParam();
    EXPECT_EQ(std::make_pair(std::string(), std::string(c.keyMessage)), Ask());
    EXPECT_FALSE(installation::Exists(KEY_WOW64_32KEY, c.key));
    EXPECT_FALSE(installation::Exists(KEY_WOW64_64KEY, c.key));
}

TEST_P(InstallationQuery, TheKeyIn64BitViewAloneIsNotTheGame)
{
    const QueryCase& c = GetParam();
    ASSERT_TRUE(installation::Put(KEY_WOW64_64KEY, c.key, {{c.value, "C:\\Games"}}));
    EXPECT_EQ(std::make_pair(std::string(), std::string(c.keyMessage)), Ask());
}

TEST_P(InstallationQuery, AMissingValueHasItsOwnMessage)
{
    const QueryCase& c = GetParam();
    ASSERT_TRUE(installation::Put(KEY_WOW64_32KEY, c.key, {{"Other", "x"}}));
    EXPECT_EQ(std::make_pair(std::string(), std::string(c.valueMessage)), Ask());
}

TEST_P(InstallationQuery, ASuccessLeavesAnEarlierMessage)
{
    const QueryCase& c = GetParam();
    CKarRecord record;
    record.errorText = "earlier";
    ASSERT_TRUE(installation::Put(KEY_WOW64_32KEY, c.key, {{c.value, "v"}}));
    EXPECT_EQ("v", (record.*c.query)());
    EXPECT_EQ("earlier", record.errorText);
}

INSTANTIATE_TEST_SUITE_P(
    Queries, InstallationQuery,
    ::testing::Values(
        QueryCase{"AppPath", &CKarRecord::GetAppPath, kGameKey, "AppPath",
                  "Can't open Kar Registry", "Can't open Kar AppPath"},
        QueryCase{"CDPath", &CKarRecord::GetCDPath, kGameKey, "CDPath", "Can't open Kar Registry",
                  "Can't open Kar CDPath"},
        QueryCase{"Version", &CKarRecord::GetVersion, kGameKey, "Version",
                  "Can't open Kar Registry", "Can't open Kar Version"},
        QueryCase{"PID", &CKarRecord::GetPID, kGameKey, "PID", "Can't open Kar Registry",
                  "Can't open Kar PID"},
        QueryCase{"RiftAppPath", &CKarRecord::GetRiftAppPath, kExpansionKey, "AppPath",
                  "Can't open KarX Registry", "Can't open KarX AppPath"},
        QueryCase{"RiftCDPath", &CKarRecord::GetRiftCDPath, kExpansionKey, "CDPath",
                  "Can't open KarX Registry", "Can't open KarX CDPath"},
        QueryCase{"RiftVersion", &CKarRecord::GetRiftVersion, kExpansionKey, "Version",
                  "Can't open KarX Registry", "Can't open KarX Version"},
        QueryCase{"RiftPID", &CKarRecord::GetRiftPID, kExpansionKey, "PID",
                  "Can't open KarX Registry", "Can't open KarX PID"}),
    [](const ::testing::TestParamInfo<QueryCase>& info) { return info.param.name; });

namespace {

struct FolderCase {
    const char* name;
    std::string (CKarRecord::*folder)();
    bool installed;
    std::string expected;
};

class InstallationFolder : public ::testing::TestWithParam<FolderCase> {
protected:
    void SetUp() override
    {
        installation::RemoveAll();
        if (GetParam().installed) {
            // Ends with ソ, whose second byte is a backslash's: no separator to drop.
            installation::Put(KEY_WOW64_32KEY, kGameKey, {{"AppPath", "C:\\Games\\裂け目ソ"}});
            // Written with a final backslash.
            installation::Put(KEY_WOW64_32KEY, kExpansionKey, {{"AppPath", "D:\\Rift\\"}});
        }
    }
    void TearDown() override { installation::RemoveAll(); }
};

}

TEST_P(InstallationFolder, AppendsItsSuffixToWhatTheQueryGave)
{
    CKarRecord record;
    EXPECT_EQ(GetParam().expected, (record.*GetParam().folder)());
}

INSTANTIATE_TEST_SUITE_P(
    Folders, InstallationFolder,
    ::testing::Values(
        FolderCase{"SaveGame", &CKarRecord::GetSaveGameFolder, true, "C:\\Games\\裂け目ソ\\savegame"},
        FolderCase{"Taunts", &CKarRecord::GetTauntsFolder, true, "C:\\Games\\裂け目ソ\\sound\\taunts"},
        // A final backslash of the installation's folder is not doubled.
        FolderCase{"RiftTaunts", &CKarRecord::GetRiftTauntsFolder, true,
                   "D:\\Rift\\sound\\xpack\\xtaunts"},
        FolderCase{"SaveGameNotInstalled", &CKarRecord::GetSaveGameFolder, false, "\\savegame"},
        FolderCase{"TauntsNotInstalled", &CKarRecord::GetTauntsFolder, false, "\\sound\\taunts"},
        FolderCase{"RiftTauntsNotInstalled", &CKarRecord::GetRiftTauntsFolder, false,
                   "\\sound\\xpack\\xtaunts"}),
    [](const ::testing::TestParamInfo<FolderCase>& info) { return info.param.name; });

TEST(Installation, TheDialogsStartInTheDocumentsSaveGameFolderInstalledOrNot)
{
    installation::RemoveAll();
    std::string documents = GetSpecialFolderPath(CSIDL_PERSONAL);
    ASSERT_FALSE(documents.empty());
    // Wine gives this folder with a final backslash where it is the Unix home.
    if (documents.back() == '\\')
        documents.pop_back();
    CKarRecord record;
    EXPECT_EQ(documents + "\\My Games\\Karthen\\Savegame", record.GetMyGamesSaveFolder());
    EXPECT_EQ(documents + "\\My Games\\Karthen\\Savegame", record.GetInitialFolder());
}

TEST(Installation, TheFileTypesAndTheOpenFilter)
{
    EXPECT_EQ("rec|rcx", CKarRecord::GetRecordFileTypes());
    EXPECT_EQ("Custom(*.rec,*.rcx)|*.rec;*.rcx|Kar Recorded Game Files (*.rec)|*.rec|"
              "Kar Rift Recorded Game Files (*.rcx)|*.rcx|All Files (*.*)|*.*",
              CKarRecord::GetOpenFilter());
}
