// The matcher of the record search: words, whole characters of code page 932, and the folding of
// case and width. The literals are Shift_JIS, as the program's texts are.
#include "framework/CSearchQuery.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Folded(const std::string& text)
{
    std::string out = "kept:";
    CSearchQuery::Fold(text, out);
    return out.substr(5);
}

struct MatchCase {
    const char* name;
    const char* query;
    const char* text;
    bool matches;
};

const MatchCase kMatchCases[] = {
    // "ソ" is 0x83 0x5C, "ゾ" 0x83 0x5D, "ー" 0x81 0x5B, "ャ" 0x83 0x83.
    {"BackslashIsNotTheSecondByteOfSo", "\\", "ソ", false},
    {"BackslashAfterASo", "\\", "ソ\\", true},
    {"BracketIsNotTheSecondByteOfZo", "]", "ゾゾ", false},
    {"BracketIsNotTheSecondByteOfTheLongVowel", "[", "ゲーム", false},
    {"SoIsNotTheEndOfOneCharacterAndTheStartOfTheNext", "ソ", "ャ\\", false},
    {"SoAfterAnotherKana", "ソ", "ャソ", true},
    {"ADoubleByteCharacterIsNotTheStartOfALongerOne", "\x83", "ソ", false},
    {"AsciiLettersWithoutRegardToCase", "aLiCe", "ALICE vs bob", true},
    {"FullWidthCapitalsFindAscii", "ＡＢＣ", "xabcx", true},
    {"AsciiFindsFullWidthSmallLetters", "ABC", "ａｂｃ", true},
    {"FullWidthDigitsFindAscii", "１６１２", "Rating 1612", true},
    {"AsciiDigitsFindFullWidth", "1612", "１６１２", true},
    {"HalfWidthKanaFindFullWidth", "ｶﾅ", "カナ", true},
    {"FullWidthKanaFindHalfWidth", "カナ", "ｶﾅ", true},
    {"HalfWidthVoicedKana", "ｶﾞｲｺﾂ", "ガイコツ", true},
    {"HalfWidthSemiVoicedKana", "ﾊﾟﾝ", "パン", true},
    {"HalfWidthVu", "ｳﾞ", "ヴ", true},
    {"HalfWidthLongVowelAndMarks", "ｹﾞｰﾑ", "ゲーム", true},
    {"AVoicedKanaIsNotThePlainOne", "ｶﾞ", "カ", false},
    {"APlainKanaIsNotTheVoicedOne", "カ", "ｶﾞ", false},
    {"AMarkAfterAKanaWithoutVoicedFormStaysAMark", "ﾅﾞ", "ナ゛", true},
    {"HiraganaIsNotKatakana", "かな", "カナ", false},
    {"OtherFullWidthSignsAreNotAscii", "＃", "#", false},
    {"EveryWordSomewhere", "alice 征服", "征服 by Alice", true},
    {"OneWordMissing", "alice 征服", "Alice", false},
    {"FullWidthSpaceSplitsWords", "alice　征服", "征服 by Alice", true},
    {"WordsAreNotOneText", "alice bob", "bob", false},
    {"AWordLongerThanTheText", "alicealice", "alice", false},
    {"TheWholeText", "桜の谷", "桜の谷", true},
    {"WordsMayStandTogether", "a b", "ab", true},
    {"ALeadByteAtTheEndOfTheText", "b", "ab\x83", true},
};

class MatchCases : public testing::TestWithParam<MatchCase> {};

TEST_P(MatchCases, MatchByWholeFoldedCharacters)
{
    const MatchCase& c = GetParam();
    CSearchQuery query(c.query);
    ASSERT_FALSE(query.Empty());
    EXPECT_EQ(c.matches, query.MatchedBy({Folded(c.text)}));
}

INSTANTIATE_TEST_SUITE_P(Texts, MatchCases, testing::ValuesIn(kMatchCases),
                         [](const testing::TestParamInfo<MatchCase>& info) { return info.param.name; });

struct WordsCase {
    const char* name;
    const char* query;
    std::vector<std::string> words;
};

const WordsCase kWordsCases[] = {
    {"Empty", "", {}},
    {"AsciiSpaces", "   ", {}},
    {"FullWidthSpaces", "　 　", {}},
    {"OneWordBetweenSpaces", "  Alice　", {"alice"}},
    {"FoldedWords", "ＡＢＣ ｶﾞ　x1", {"abc", "ガ", "x1"}},
    // "\x81\x40" is the full-width space only as a whole character: here its second byte starts
    // the character after "\x81\x81" ("＝").
    {"TheFullWidthSpaceOnlyAsAWholeCharacter", "＝@", {"＝@"}},
};

class WordsCases : public testing::TestWithParam<WordsCase> {};

TEST_P(WordsCases, SplitAtSpaces)
{
    const WordsCase& c = GetParam();
    CSearchQuery query(c.query);
    EXPECT_EQ(c.words, query.words);
    EXPECT_EQ(c.words.empty(), query.Empty());
}

INSTANTIATE_TEST_SUITE_P(Queries, WordsCases, testing::ValuesIn(kWordsCases),
                         [](const testing::TestParamInfo<WordsCase>& info) { return info.param.name; });

TEST(SearchFold, TheHalfWidthBlockBecomesFullWidth)
{
    EXPECT_EQ("。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノ"
              "ハヒフヘホマミムメモヤユヨラリルレロワン゛゜",
              Folded("｡｢｣､･ｦｧｨｩｪｫｬｭｮｯｰｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝﾞﾟ"));
    EXPECT_EQ("ガギグゲゴザジズゼゾダヂヅデドバビブベボパピプペポヴ",
              Folded("ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟｳﾞ"));
}

TEST(SearchFold, LettersAndDigitsBecomeSmallAscii)
{
    EXPECT_EQ("0123456789abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz",
              Folded("０１２３４５６７８９ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ"
                     "ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ"));
    EXPECT_EQ("abcdefghijklmnopqrstuvwxyz", Folded("ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
}

// A double-byte character keeps its second byte even when that looks like a capital letter:
// "ア" is 0x83 0x41.
TEST(SearchFold, SecondBytesStayAsTheyAre)
{
    EXPECT_EQ("アイ表", Folded("アイ表"));
}

TEST(SearchContains, TextsSeparatedByZeroBytesAreSearchedApart)
{
    std::string texts = Folded("Alice") + '\0' + Folded("Bob") + '\0';
    EXPECT_TRUE(CSearchQuery::Contains(texts, "bob"));
    EXPECT_FALSE(CSearchQuery::Contains(texts, "ceb"));
}

}
