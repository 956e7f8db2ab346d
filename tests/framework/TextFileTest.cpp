#include "framework/TextFile.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <string>

#ifdef _WIN32
const char kLineEnd[] = "\r\n";
#else
const char kLineEnd[] = "\n";
#endif

TEST(WriteTextFile, WritesLinesAsTheSystemEndsThem)
{
    std::string path = testfiles::Path("text_lines.xml");
    ASSERT_TRUE(WriteTextFile(path, "<a>\n\tx\n</a>\n"));
    EXPECT_EQ(std::string("<a>") + kLineEnd + "\tx" + kLineEnd + "</a>" + kLineEnd, testfiles::Read(path));
}

TEST(WriteTextFile, ReplacesWhatTheFileHeld)
{
    std::string path = testfiles::Write("text_replaced.xml", "a much longer content than the new one");
    ASSERT_TRUE(WriteTextFile(path, "new"));
    EXPECT_EQ("new", testfiles::Read(path));
    ASSERT_TRUE(WriteTextFile(path, ""));
    EXPECT_EQ("", testfiles::Read(path));
}

TEST(WriteTextFile, KeepsEveryByteButTheLineFeeds)
{
    std::string bytes("\x82\xa0\x95\x5c\r\x1a\x00z", 8);
    std::string path = testfiles::Path("text_bytes.xml");
    ASSERT_TRUE(WriteTextFile(path, bytes));
    EXPECT_EQ(bytes, testfiles::Read(path));
}

TEST(WriteTextFile, AFileThatCannotBeOpenedGivesFalse)
{
    EXPECT_FALSE(WriteTextFile(testfiles::Path("no such folder") + "/out.xml", "x"));
    EXPECT_FALSE(WriteTextFile(testfiles::ScratchFolder().string(), "x"));
}
