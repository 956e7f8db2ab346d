#pragma once
// Tests of records read with the option file that ships beside the program.
#include "TestFiles.h"
#include "options/COption.h"
#include "record/CRecord.h"

#include <gtest/gtest.h>

#include <string>

class ShippedOptionFixture : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(option.Load(testfiles::BinPath("option.xml"))) << option.GetMessageText();
    }

    // The record of the file, loaded.
    CRecord Record(const std::string& path)
    {
        CRecord record;
        EXPECT_TRUE(record.Load(path)) << path;
        return record;
    }

    COption option;
};
