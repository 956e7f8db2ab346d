#include "framework/TempFile.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string TempFolder()
{
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return folder;
}

// Points TMP somewhere else for a while.
class TemporaryFolderVariable {
public:
    explicit TemporaryFolderVariable(const std::string& value)
    {
        char old[4096] = {};
        had = GetEnvironmentVariableA("TMP", old, sizeof(old)) != 0;
        saved = old;
        SetEnvironmentVariableA("TMP", value.c_str());
    }
    ~TemporaryFolderVariable() { SetEnvironmentVariableA("TMP", had ? saved.c_str() : nullptr); }

private:
    bool had;
    std::string saved;
};

}

TEST(MakeTempFileName, ReservesANewEmptyFileInTheTemporaryFolder)
{
    std::string first = MakeTempFileName("tv");
    std::string second = MakeTempFileName("");
    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(second.empty());
    EXPECT_NE(first, second);
    std::string folder = TempFolder();
    EXPECT_EQ(folder, first.substr(0, folder.size()));
    EXPECT_EQ("tv", first.substr(folder.size(), 2));
    for (const std::string& path : {first, second}) {
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) << path;
        EXPECT_EQ(0u, data.nFileSizeLow);
        EXPECT_EQ(0u, data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
        DeleteFileA(path.c_str());
    }
}

TEST(MakeTempFileName, AMissingTemporaryFolderGivesTheEmptyText)
{
    TemporaryFolderVariable missing("C:\\no\\such\\folder");
    EXPECT_EQ("", MakeTempFileName(""));
}

TEST(MakeTempFileName, ATemporaryFolderTooLongForAPathGivesTheEmptyText)
{
    TemporaryFolderVariable tooLong("C:\\" + std::string(300, 'x'));
    EXPECT_EQ("", MakeTempFileName(""));
}
