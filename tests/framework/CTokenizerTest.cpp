#include "framework/CTokenizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct SplitCase {
    const char* name;
    std::string separators;
    std::string text;
    std::vector<std::string> pieces;
};

class TokenizerWalk : public testing::TestWithParam<SplitCase> {};

TEST_P(TokenizerWalk, GivesEveryPieceThenEnds)
{
    const SplitCase& c = GetParam();
    std::vector<std::string> pieces;
    CTokenizer walk(c.separators, c.text);
    for (; walk != CTokenizer::End() && pieces.size() < 20; walk.Advance())
        pieces.push_back(walk.token);
    EXPECT_EQ(c.pieces, pieces);
    EXPECT_TRUE(walk == CTokenizer::End());
    EXPECT_EQ("", walk.token);
    // A walk at its end stays there.
    walk.Advance();
    EXPECT_TRUE(walk == CTokenizer::End());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TokenizerWalk,
    testing::Values(SplitCase{"Extensions", "|", "rec|rcx", {"rec", "rcx"}},
                    SplitCase{"TwoSeparatorsInARow", "|", "a||b", {"a", "", "b"}},
                    SplitCase{"SeparatorAtTheEnd", "|", "a|", {"a", ""}},
                    SplitCase{"SeparatorAtTheStart", "|", "|a", {"", "a"}},
                    SplitCase{"EmptyText", "|", "", {""}},
                    SplitCase{"NoSeparator", "|", "rec", {"rec"}},
                    SplitCase{"AnyOfTheSet", ",;", "a,b;c", {"a", "b", "c"}},
                    SplitCase{"NoSeparatorsAtAll", "", "a|b", {"a|b"}},
                    SplitCase{"JapanesePieces", "|", "録画|対戦", {"録画", "対戦"}}),
    [](const testing::TestParamInfo<SplitCase>& info) { return info.param.name; });

TEST(Tokenizer, FirstPieceIsReadyAtConstruction)
{
    CTokenizer walk("|", "rec|rcx");
    EXPECT_EQ("rec", walk.token);
    EXPECT_EQ(4u, walk.position);
    EXPECT_EQ(0u, walk.endMark);
    walk.Advance();
    EXPECT_EQ("rcx", walk.token);
    EXPECT_EQ(CTokenizer::npos, walk.position);
    // The last piece is taken but the walk is not past it yet.
    EXPECT_TRUE(walk != CTokenizer::End());
}

TEST(Tokenizer, CopiesWalkOnTheirOwn)
{
    CTokenizer walk("|", "a|b|c");
    CTokenizer copy = walk;
    walk.Advance();
    EXPECT_EQ("a", copy.token);
    EXPECT_EQ("b", walk.token);
    copy.Advance();
    EXPECT_TRUE(copy == walk);
}

}
