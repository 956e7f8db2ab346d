// The shipped Rename.xsl, run by xsltproc on the documents that the batch rename writes: a
// record's settings translated through the shipped option.xml into a new GameSettings document.
#include "RenameCases.h"
#include "TestFiles.h"
#include "Xsltproc.h"
#include "options/COption.h"
#include "options/RecordDocuments.h"
#include "record/CRecord.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using xsltproc::BinPath;

using renamecases::Case;

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
    CRecord record;
    ASSERT_TRUE(record.Load(renamecases::WriteRecord(c)));
    std::string document = MakeRenameDocument(record, option);
    EXPECT_EQ(c.type, record.formatVersion);
    EXPECT_EQ("", option.GetMessageText());
    std::string path = testfiles::Write(std::string(c.label) + ".xml", document);
    EXPECT_EQ(c.name, xsltproc::Run(BinPath("Rename.xsl"), path));
}

INSTANTIATE_TEST_SUITE_P(Samples, RenameStylesheet, testing::ValuesIn(renamecases::kCases), Label);

// Every coded value of the samples reaches the document as its display text.
TEST(SampleTranslation, LeavesNoRawCode)
{
    COption option;
    ASSERT_TRUE(option.Load(BinPath("option.xml")));
    CRecord record;
    ASSERT_TRUE(record.Load(testfiles::SourcePath("samples/four-kingdoms.rcx")));
    std::string document = MakeRenameDocument(record, option);
    for (const char* raw : {"<GameType>", "<Civilization>", "<Hero>", "rift_valley", "Type=", "Size=", "<PlayerName>"})
        EXPECT_EQ(std::string::npos, document.find(raw)) << raw;
    EXPECT_NE(std::string::npos, document.find(u8"\t\t\t\t裂け目の守人\n")) << document;
    EXPECT_NE(std::string::npos, document.find(u8"種別=\"観戦者\"")) << document;
}

}
