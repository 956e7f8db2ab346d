#include "ui/CRunErrors.h"

#include <gtest/gtest.h>

#include <string>

TEST(RunErrors, StartsEmpty)
{
    CRunErrors errors;
    EXPECT_TRUE(errors.Empty());
    errors.Add("a.rec", "m");
    EXPECT_FALSE(errors.Empty());
}

TEST(RunErrors, TellsEachFileWithItsMessage)
{
    CRunErrors errors;
    errors.Add("a.rec", "エラー場所：12\nParsingException\nsprig\\SAX_Parser:485\n(expected ';')\n");
    errors.Add("b.rec", "RootNode not found");
    EXPECT_EQ("2 個のファイルを処理できませんでした。\r\n"
              "\r\na.rec\r\nエラー場所：12\nParsingException\nsprig\\SAX_Parser:485\n(expected ';')\n"
              "\r\nb.rec\r\nRootNode not found\r\n",
              errors.Text());
}

TEST(RunErrors, ALongListEndsWithTheCountOfTheRest)
{
    CRunErrors errors;
    for (int i = 1; i <= CRunErrors::kShown + 2; ++i)
        errors.Add(std::to_string(i) + ".rec", "m" + std::to_string(i));
    std::string text = errors.Text();
    EXPECT_EQ(0u, text.find("7 個のファイルを処理できませんでした。\r\n\r\n1.rec\r\nm1\r\n"));
    EXPECT_NE(std::string::npos, text.find("\r\n5.rec\r\nm5\r\n"));
    EXPECT_EQ(std::string::npos, text.find("6.rec"));
    EXPECT_EQ(text.size() - std::string("\r\nほか 2 個のファイル").size(), text.rfind("\r\nほか 2 個のファイル"));
}
