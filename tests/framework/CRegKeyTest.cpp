#include "framework/CRegKey.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class RegKeyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = "Software\\TallyvaneTest\\" + std::to_string(GetCurrentProcessId());
        ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, path));
    }
    void TearDown() override
    {
        key.Close();
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\TallyvaneTest");
    }
    void Set(const char* name, DWORD type, const std::string& bytes)
    {
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key.key, name, 0, type,
                                                reinterpret_cast<const BYTE*>(bytes.data()),
                                                static_cast<DWORD>(bytes.size())));
    }

    std::string path;
    CRegKey key;
};

}

TEST_F(RegKeyTest, CreateRefusesANullParentOrAnEmptySubkey)
{
    HKEY held = key.key;
    EXPECT_FALSE(key.Create(nullptr, "Software"));
    EXPECT_FALSE(key.Create(HKEY_CURRENT_USER, ""));
    EXPECT_EQ(held, key.key);
}

TEST_F(RegKeyTest, GetStringReadsTextUpToItsZeroOrItsSize)
{
    Set("Path", REG_SZ, std::string("C:\\ゲーム\\Kar\0", 13));
    Set("Cut", REG_SZ, std::string("ab\0cd\0", 6));
    Set("Unended", REG_BINARY, "xyz");
    std::string out;
    EXPECT_TRUE(key.GetString("Path", out));
    EXPECT_EQ("C:\\ゲーム\\Kar", out);
    EXPECT_TRUE(key.GetString("Cut", out));
    EXPECT_EQ("ab", out);
    EXPECT_TRUE(key.GetString("Unended", out));
    EXPECT_EQ("xyz", out);
    EXPECT_EQ(3u, key.GetValueSize("Unended"));
}

TEST_F(RegKeyTest, AMissingValueLeavesTheTextAlone)
{
    std::string out = "before";
    EXPECT_FALSE(key.GetString("Missing", out));
    EXPECT_EQ("before", out);
    EXPECT_EQ(0u, key.GetValueSize("Missing"));
}

TEST_F(RegKeyTest, AClosedKeyAnswersNothing)
{
    Set("Value", REG_SZ, std::string("v\0", 2));
    key.Close();
    std::string out = "before";
    DWORD size = 10;
    EXPECT_FALSE(key.QueryValue("Value", nullptr, &size, nullptr));
    EXPECT_FALSE(key.GetString("Value", out));
    EXPECT_EQ("before", out);
}

TEST_F(RegKeyTest, ReopeningReplacesTheHeldKey)
{
    Set("Here", REG_SZ, std::string("1\0", 2));
    ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, path + "\\Child"));
    std::string out;
    EXPECT_FALSE(key.GetString("Here", out));
    ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, path));
    EXPECT_TRUE(key.GetString("Here", out));
    EXPECT_EQ("1", out);
}

TEST_F(RegKeyTest, OpenReadsAnExistingKeyAndNeverCreatesOne)
{
    Set("Here", REG_SZ, std::string("1\0", 2));
    CRegKey reader;
    EXPECT_FALSE(reader.Open(nullptr, path, KEY_QUERY_VALUE));
    EXPECT_FALSE(reader.Open(HKEY_CURRENT_USER, "", KEY_QUERY_VALUE));
    EXPECT_FALSE(reader.Open(HKEY_CURRENT_USER, path + "\\Missing", KEY_QUERY_VALUE));
    HKEY missing = nullptr;
    EXPECT_NE(ERROR_SUCCESS,
              RegOpenKeyExA(HKEY_CURRENT_USER, (path + "\\Missing").c_str(), 0, KEY_READ, &missing));
    ASSERT_TRUE(reader.Open(HKEY_CURRENT_USER, path, KEY_QUERY_VALUE));
    std::string out;
    EXPECT_TRUE(reader.GetString("Here", out));
    EXPECT_EQ("1", out);
    HKEY held = reader.key;
    EXPECT_FALSE(reader.Open(HKEY_CURRENT_USER, path + "\\Missing", KEY_QUERY_VALUE));
    EXPECT_EQ(held, reader.key);
}
