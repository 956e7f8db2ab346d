#include "framework/StringUtil.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct WildcardCase {
    const char* name;
    std::string file;
    std::string pattern;
    bool matches;
};

class MatchWildcardCases : public testing::TestWithParam<WildcardCase> {};

TEST_P(MatchWildcardCases, MatchesAsTheRulesSay)
{
    const WildcardCase& c = GetParam();
    EXPECT_EQ(c.matches, MatchWildcard(c.file.c_str(), c.pattern.c_str()));
}

INSTANTIATE_TEST_SUITE_P(
    Names, MatchWildcardCases,
    testing::Values(
        WildcardCase{"ExtensionOfOtherCase", "Replay.REC", "*.rec", true},
        WildcardCase{"OtherExtension", "Replay.txt", "*.rec", false},
        WildcardCase{"QuestionMarkIsNotTheEnd", "a", "a?", false},
        WildcardCase{"QuestionMarkIsOneCharacter", "ab", "a?", true},
        WildcardCase{"StarDotStarNeedsADot", "noext", "*.*", false},
        WildcardCase{"StarDotStarWithADot", "game.rec", "*.*", true},
        WildcardCase{"StarDotStarWithALeadingDot", ".rec", "*.*", true},
        WildcardCase{"StarMatchesNothing", "ac", "a*c", true},
        WildcardCase{"StarMatchesARun", "abbbc", "a*c", true},
        WildcardCase{"StarCannotSkipTheEnd", "ab", "a*c", false},
        WildcardCase{"LastOfSeveralDots", "a.b.rec", "*.rec", true},
        WildcardCase{"EmptyBoth", "", "", true},
        WildcardCase{"EmptyNameAndStar", "", "*", true},
        WildcardCase{"EmptyNameAndQuestionMark", "", "?", false},
        WildcardCase{"NameLeftOver", "a", "", false},
        WildcardCase{"LettersOnlyIgnoreCase", "[A]", "[a]", true},
        WildcardCase{"OtherBytesExactly", "a_b", "a-b", false},
        WildcardCase{"StarInTheName", "*.rec", "game.rec", true},
        WildcardCase{"QuestionMarkInTheName", "g?me.rec", "game.rec", true},
        WildcardCase{"StarInTheNameStillNeedsTheRest", "*.rec", "game.txt", false},
        WildcardCase{"JapaneseExactly", "裂け目の谷.rec", "裂け目の谷.rec", true},
        WildcardCase{"JapaneseWithStar", "裂け目の谷.rec", "裂け*.rec", true},
        WildcardCase{"QuestionMarkIsOneDoubleByteCharacter", "録.rec", "?.rec", true},
        WildcardCase{"TwoDoubleByteCharactersAreTwo", "録画.rec", "?.rec", false},
        // ヂ is 0x83 0x61 and ア 0x83 0x41: second bytes are not letters to fold.
        WildcardCase{"SecondBytesCompareExactly", "ヂ.rec", "ア.rec", false},
        WildcardCase{"HalfWidthKana", "山田_vs_ｶﾅ.rec", "*ｶﾅ.rec", true},
        WildcardCase{"ManyStarsNoMatch", std::string(60, 'a'),
                     "*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b", false},
        WildcardCase{"ManyStarsMatch", std::string(60, 'a') + "b",
                     "*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b", true}),
    [](const testing::TestParamInfo<WildcardCase>& info) { return info.param.name; });

// The rules as a plain recursion over characters: a '*' on either side first, tried from the
// shortest run to the longest, then '?', then the characters themselves.
bool Reference(const std::vector<std::string>& a, size_t i, const std::vector<std::string>& b,
               size_t j)
{
    auto fold = [](std::string c) {
        if (c.size() == 1 && c[0] >= 'a' && c[0] <= 'z')
            c[0] = static_cast<char>(c[0] - 'a' + 'A');
        return c;
    };
    if (i < a.size() && a[i] == "*") {
        for (size_t k = j; k <= b.size(); ++k) {
            if (Reference(a, i + 1, b, k))
                return true;
        }
        return false;
    }
    if (j < b.size() && b[j] == "*") {
        for (size_t k = i; k <= a.size(); ++k) {
            if (Reference(a, k, b, j + 1))
                return true;
        }
        return false;
    }
    if (i == a.size() || j == b.size())
        return i == a.size() && j == b.size();
    if (a[i] != "?" && b[j] != "?" && fold(a[i]) != fold(b[j]))
        return false;
    return Reference(a, i + 1, b, j + 1);
}

std::string Join(const std::vector<std::string>& characters)
{
    std::string text;
    for (const std::string& c : characters)
        text += c;
    return text;
}

TEST(MatchWildcard, AgreesWithThePlainRecursionOnEveryShortText)
{
    // Letters of both cases, both wildcards, a dot, a double-byte character and one whose second
    // byte looks like a letter (ヂ, 0x83 0x61).
    const std::vector<std::string> alphabet = {"a", "A", "b", "*", "?", ".", "録", "ヂ"};
    std::vector<std::vector<std::string>> texts = {{}};
    for (size_t begin = 0, length = 1; length <= 3; ++length) {
        size_t end = texts.size();
        for (size_t t = begin; t < end; ++t) {
            for (const std::string& c : alphabet) {
                std::vector<std::string> longer = texts[t];
                longer.push_back(c);
                texts.push_back(longer);
            }
        }
        begin = end;
    }
    int disagreements = 0;
    for (const auto& name : texts) {
        for (const auto& pattern : texts) {
            bool expected = Reference(name, 0, pattern, 0);
            if (MatchWildcard(Join(name).c_str(), Join(pattern).c_str()) != expected &&
                ++disagreements <= 5)
                ADD_FAILURE() << "\"" << Join(name) << "\" against \"" << Join(pattern)
                              << "\" should give " << expected;
        }
    }
    EXPECT_EQ(0, disagreements);
}

}
