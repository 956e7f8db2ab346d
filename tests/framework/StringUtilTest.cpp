#include "framework/StringUtil.h"

#include <gtest/gtest.h>
#include <cstdlib>
#include <ctime>

namespace {
struct ReplaceCase {
    const char* name;
    const char* text;
    const char* from;
    const char* to;
    const char* expected;
    int count;
};

const ReplaceCase kReplaceCases[] = {
    {"CommaBlank", "a,b,c", ",", ", ", "a, b, c", 2},
    {"GrowingNeverRescans", "aaa", "a", "aa", "aaaaaa", 3},
    {"EmptyFromReplacesNothing", "abc", "", "x", "abc", 0},
    {"LineFeeds", "a\nb\r\nc", "\n", "\r\n", "a\r\nb\r\r\nc", 2},
    {"Shrink", "xxyxx", "xx", "", "y", 2},
    {"NotFound", "abc", "d", "e", "abc", 0},
};

class ReplaceAllCases : public testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceAllCases, ReplacesEveryOccurrence)
{
    const ReplaceCase& c = GetParam();
    std::string text = c.text;
    EXPECT_EQ(c.count, ReplaceAll(text, c.from, c.to));
    EXPECT_EQ(c.expected, text);
}

INSTANTIATE_TEST_SUITE_P(Texts, ReplaceAllCases, testing::ValuesIn(kReplaceCases),
                         [](const testing::TestParamInfo<ReplaceCase>& info) { return info.param.name; });

TEST(WideToAnsi, ConvertsUtf16ToShiftJis)
{
    // U+FEFF "日本" U+0041
    const unsigned char units[] = {0xFF, 0xFE, 0xE5, 0x65, 0x2C, 0x67, 0x41, 0x00};
    std::string out = "prefilled";
    ASSERT_TRUE(WideToAnsi(units + 2, 6, out));
    EXPECT_EQ("\x93\xFA\x96\x7B" "A", out);
}

TEST(WideToAnsi, OddLengthIgnoresTheLastByte)
{
    const char units[] = {'a', 0, 'b', 0, 'c', 0, 'd', 0};
    std::string out;
    ASSERT_TRUE(WideToAnsi(units, 7, out));
    EXPECT_EQ("abc", out);
}

TEST(WideToAnsi, NothingToConvertGivesFalseAndEmptyText)
{
    const char units[] = {'a', 0};
    std::string out = "prefilled";
    EXPECT_FALSE(WideToAnsi(units, 1, out));
    EXPECT_EQ("", out);
    out = "prefilled";
    EXPECT_FALSE(WideToAnsi(nullptr, 4, out));
    EXPECT_EQ("", out);
}

TEST(WideToAnsi, NulUnitEndsTheText)
{
    const char units[] = {'a', 0, 0, 0, 'b', 0};
    std::string out;
    EXPECT_TRUE(WideToAnsi(units, 6, out));
    EXPECT_EQ("a", out);
}

TEST(WideToAnsi, UnmappableCharacterBecomesTheDefault)
{
    // U+0101 (a with macron) is not in code page 932.
    const char units[] = {'x', 0, 0x01, 0x01, 'y', 0};
    std::string out;
    ASSERT_TRUE(WideToAnsi(units, 6, out));
    EXPECT_EQ("x?y", out);
}

struct AnsiToUtf8Case {
    const char* name;
    std::string ansi;
    std::string utf8;
};

class AnsiToUtf8Cases : public testing::TestWithParam<AnsiToUtf8Case> {};

TEST_P(AnsiToUtf8Cases, Converts)
{
    EXPECT_EQ(GetParam().utf8, AnsiToUtf8(GetParam().ansi));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, AnsiToUtf8Cases,
    testing::Values(AnsiToUtf8Case{"Empty", "", ""},
                    AnsiToUtf8Case{"Ascii", "<a v=\"1\">x\r\n</a>", "<a v=\"1\">x\r\n</a>"},
                    // 表示 and ソ: the second byte is a backslash.
                    AnsiToUtf8Case{"DoubleByte", "\x95\x5c\x8e\xa6\x83\x5c", "\xe8\xa1\xa8\xe7\xa4\xba\xe3\x82\xbd"},
                    AnsiToUtf8Case{"HalfWidthKatakana", "\xcc\xa7\xb2\xd9", "\xef\xbe\x8c\xef\xbd\xa7\xef\xbd\xb2\xef\xbe\x99"},
                    // NEC's circled digit one, in code page 932 but not in plain Shift_JIS.
                    AnsiToUtf8Case{"CodePage932Extension", "\x87\x40", "\xe2\x91\xa0"},
                    AnsiToUtf8Case{"InnerNul", std::string("a\0b", 3), std::string("a\0b", 3)}),
    [](const testing::TestParamInfo<AnsiToUtf8Case>& info) { return info.param.name; });

TEST(FormatTime, FormatsInLocalTime)
{
    // The tests run with TZ=Asia/Tokyo.
    EXPECT_EQ("2003/11/03 05:40:07", FormatTime(1067805607, "%Y/%m/%d %H:%M:%S"));
}

TEST(FormatTime, ZeroIsThePresentAndNegativeIsEmpty)
{
    std::time_t before = std::time(nullptr);
    std::string now = FormatTime(0, "%Y");
    EXPECT_EQ(std::to_string(1900 + std::localtime(&before)->tm_year), now);
    EXPECT_EQ("", FormatTime(-1, "%Y"));
}

// The present moment is the set clock's while one is set, and the system's again after.
TEST(FormatTime, ThePresentIsTheClocksThatIsSet)
{
    SetPresentClock([] { return int64_t{1067805607}; });
    EXPECT_EQ("2003/11/03 05:40:07", FormatTime(0, "%Y/%m/%d %H:%M:%S"));
    EXPECT_EQ("2003/11/03 05:40:08", FormatTime(1067805608, "%Y/%m/%d %H:%M:%S"));
    SetPresentClock([] { return int64_t{-1}; });
    EXPECT_EQ("", FormatTime(0, "%Y"));
    SetPresentClock(nullptr);
    std::time_t before = std::time(nullptr);
    EXPECT_EQ(std::to_string(1900 + std::localtime(&before)->tm_year), FormatTime(0, "%Y"));
}

TEST(FormatInt, FormatsOneNumber)
{
    EXPECT_EQ("42 件", FormatInt(42, "%ld 件"));
    EXPECT_EQ("-7", FormatInt(-7, "%d"));
    EXPECT_EQ("-1 / 100%", FormatInt(-1, "%ld / 100%%"));
    EXPECT_EQ("[  -12]", FormatInt(-12, "[%5ld]"));
}

TEST(FormatFileTime, ConvertsToLocalFields)
{
    // 2003-11-02 20:40:07 UTC in 100 ns ticks since 1601.
    const unsigned long long ticks = 116444736000000000ull + 1067805607ull * 10000000ull;
    EXPECT_EQ("2003/11/03 05:40:07", FormatFileTime(ticks, "%04d/%02d/%02d %02d:%02d:%02d"));
}

TEST(ToLong, ReadsLikeStrtol)
{
    EXPECT_EQ(1067805607, ToLong("  1067805607xyz", 10));
    EXPECT_EQ(0, ToLong("abc", 10));
    EXPECT_EQ(-12, ToLong("-12", 10));
    EXPECT_EQ(255, ToLong("ff", 16));
    EXPECT_EQ(INT32_MAX, ToLong("99999999999", 10));
    EXPECT_EQ(INT32_MIN, ToLong("-99999999999", 10));
}

struct TrimCase {
    const char* name;
    std::string text;
    std::string leading;
    std::string trailing;
    std::string expected;
};

class TrimStringCases : public testing::TestWithParam<TrimCase> {};

TEST_P(TrimStringCases, StripsBothEnds)
{
    const TrimCase& c = GetParam();
    std::string text = c.text;
    TrimString(text, c.leading, c.trailing);
    EXPECT_EQ(c.expected, text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TrimStringCases,
    testing::Values(TrimCase{"BlanksAtBothEnds", "  x y  ", " ", " ", "x y"},
                    TrimCase{"BlanksOnly", "   ", " ", " ", ""},
                    TrimCase{"Empty", "", " ", " ", ""},
                    TrimCase{"AnyOfTheLeadingSet", "\t \tx\t", " \t", " ", "x\t"},
                    TrimCase{"TrailingTextRepeated", "x--y----", "", "--", "x--y"},
                    TrimCase{"EmptyTrailingRemovesNothing", "x ", "", "", "x "},
                    // ソ is 0x83 0x5C: its second byte is no backslash to remove.
                    TrimCase{"SecondByteOfADoubleByteCharacterStays", "aソ", "", "\\", "aソ"},
                    TrimCase{"BackslashAfterADoubleByteCharacter", "aソ\\\\", "", "\\", "aソ"},
                    TrimCase{"LeadByteInTheSetLeavesTheCharacter", "ソx", "\x83", " ", "ソx"},
                    TrimCase{"JapaneseBetweenBlanks", " 裂け目の谷 ", " ", " ", "裂け目の谷"}),
    [](const testing::TestParamInfo<TrimCase>& info) { return info.param.name; });

struct EraseCase {
    const char* name;
    std::string text;
    int count;
    std::string expected;
};

class EraseTailCases : public testing::TestWithParam<EraseCase> {};

TEST_P(EraseTailCases, RemovesTheLastBytes)
{
    const EraseCase& c = GetParam();
    std::string text = c.text;
    std::string& result = EraseTail(text, c.count);
    EXPECT_EQ(&text, &result);
    EXPECT_EQ(c.expected, text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, EraseTailCases,
    testing::Values(EraseCase{"OneSeparator", "a, b, ", 2, "a, b"},
                    EraseCase{"Zero", "abc", 0, "abc"},
                    EraseCase{"Negative", "abc", -1, "abc"},
                    EraseCase{"Empty", "", 1, ""},
                    EraseCase{"Everything", "abc", 3, ""},
                    EraseCase{"MoreThanThereIs", "abc", 5, ""}),
    [](const testing::TestParamInfo<EraseCase>& info) { return info.param.name; });

TEST(LastCharacterIs, TellsASeparatorFromASecondByte)
{
    EXPECT_TRUE(LastCharacterIs("C:\\games\\", '\\'));
    EXPECT_FALSE(LastCharacterIs("C:\\ソ", '\\'));
    EXPECT_FALSE(LastCharacterIs("C:\\表", '\\'));
    EXPECT_TRUE(LastCharacterIs("C:\\ソ\\", '\\'));
    EXPECT_TRUE(LastCharacterIs("C:\\a/", '/'));
    EXPECT_FALSE(LastCharacterIs("", '\\'));
}

TEST(UpperCaseLetters, LeavesDoubleByteCharactersWhole)
{
    EXPECT_EQ("C:\\GAMES\\A.REC", UpperCaseLetters("C:\\games\\a.Rec"));
    // ヂ is 0x83 0x61: its second byte is no letter a; ｶﾅ are single bytes above 0x7F.
    EXPECT_EQ("ヂ_ｶﾅ.REC", UpperCaseLetters("ヂ_ｶﾅ.rec"));
    EXPECT_EQ("", UpperCaseLetters(""));
}
}

namespace {
struct WholeCase {
    const char* name;
    std::string text;
    size_t limit;
    size_t expected;
};

// "あ" is 0x82 0xA0; "ソ" 0x83 0x5C has the trail byte of a backslash; half-width "ｱ" 0xB1 is
// one byte.
const WholeCase kWholeCases[] = {
    {"ShortTextWhole", "abc", 10, 3},
    {"AsciiCutAtTheLimit", "abcdef", 4, 4},
    {"CharacterAcrossTheLimitLeftOut", "aあ", 2, 1},
    {"CharacterEndingAtTheLimitKept", "aあ", 3, 3},
    {"LoneLeadByteAtTheEndLeftOut", std::string("あ\x82", 3), 10, 2},
    {"BackslashTrailStaysWithItsLead", "ソ\\", 2, 2},
    {"HalfWidthKanaIsOneByte", "ｱｲｳ", 2, 2},
    {"ZeroLimit", "あ", 0, 0},
};

class WholeCharacterCases : public testing::TestWithParam<WholeCase> {};

TEST_P(WholeCharacterCases, CountsTheBytesOfWholeCharacters)
{
    const WholeCase& c = GetParam();
    EXPECT_EQ(c.expected, WholeCharacters(c.text, c.limit));
}

INSTANTIATE_TEST_SUITE_P(Texts, WholeCharacterCases, testing::ValuesIn(kWholeCases),
                         [](const testing::TestParamInfo<WholeCase>& info) { return info.param.name; });

TEST(WholeCharacters, AJapaneseTextCutAt255KeepsWholeCharacters)
{
    std::string text;
    for (int i = 0; i < 130; ++i)
        text += "あ";
    EXPECT_EQ(254u, WholeCharacters(text, 255));
    EXPECT_EQ(260u, WholeCharacters(text, 1000));
}
}
