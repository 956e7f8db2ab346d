#include "framework/AnsiText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct TextCase {
    const char* name;
    std::wstring text;
    bool exact;
    // What ToAnsiExactly gives when exact, what ToAnsiShown gives otherwise (code page 932).
    std::string ansi;
};

class AnsiText : public ::testing::TestWithParam<TextCase> {};

}

TEST_P(AnsiText, ConvertsExactlyOrShowsWhatTheCodePageLacks)
{
    const TextCase& c = GetParam();
    std::string out = "unchanged";
    EXPECT_EQ(c.exact, ToAnsiExactly(c.text, out));
    EXPECT_EQ(c.exact ? c.ansi : std::string(), out);
    EXPECT_EQ(c.ansi, ToAnsiShown(c.text));
    if (c.exact) {
        EXPECT_EQ(c.text, ToWide(out));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, AnsiText,
    ::testing::Values(
        TextCase{"Empty", L"", true, ""},
        TextCase{"Ascii", L"game.rec", true, "game.rec"},
        TextCase{"Japanese", L"\u88C2\u3051\u76EE\u306E\u8C37.rec", true, "裂け目の谷.rec"},
        TextCase{"HalfWidthKana", L"\uFF76\uFF85.rec", true, "ｶﾅ.rec"},
        // Code page 932's 0x8160 is U+FF5E; the wave dash that other systems type is not there.
        TextCase{"FullWidthTilde", L"\u7B2C2\u8A66\u5408\uFF5E.rec", true, "第2試合～.rec"},
        TextCase{"WaveDash", L"\u7B2C2\u8A66\u5408\u301C\u5EF6\u9577.rec", false,
                 "第2試合?延長.rec"},
        // The system's best fit would make it a backslash: another folder's path.
        TextCase{"YenSign", L"a\u00A5b.rec", false, "a?b.rec"},
        // ... and this one a plain e: another file's name.
        TextCase{"LatinAccent", L"caf\u00E9.rec", false, "caf?.rec"},
        TextCase{"Hangul", L"\uD55C\uAD6D.rec", false, "??.rec"},
        TextCase{"EmojiIsOneCharacter", L"emoji\U0001F600.rec", false, "emoji?.rec"}),
    [](const ::testing::TestParamInfo<TextCase>& info) { return info.param.name; });
