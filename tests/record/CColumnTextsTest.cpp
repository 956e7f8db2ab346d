#include "record/CColumnTexts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Repeat(const std::string& text, int count)
{
    std::string out;
    for (int i = 0; i < count; ++i)
        out += text;
    return out;
}

struct CellCase {
    const char* name;
    std::string text;
    std::string shown;
};

// 259 bytes is as much as the list shows of a cell; "あ" is two bytes of Shift_JIS.
const CellCase kCellCases[] = {
    {"Plain", "Alice vs Bob", "Alice vs Bob"},
    {"Empty", "", ""},
    {"CutAtANulByte", std::string("Alice\0Bob", 9), "Alice"},
    {"JustFits", std::string(259, 'x'), std::string(259, 'x')},
    {"CutToWhatTheListShows", std::string(300, 'x'), std::string(259, 'x')},
    {"CutOnWholeCharacters", "x" + Repeat("あ", 130), "x" + Repeat("あ", 129)},
};

class ColumnCells : public testing::TestWithParam<CellCase> {};

}

// Each column keeps its own text, the others around it untouched.
TEST_P(ColumnCells, EachColumnShowsItsTextCutAsTheListShowsIt)
{
    for (int column = 0; column < CColumnTexts::kCount; ++column) {
        SCOPED_TRACE(column);
        std::string texts[CColumnTexts::kCount] = {"a", "b", "c", "d", "e", "f", "g"};
        texts[column] = GetParam().text;
        CColumnTexts columns;
        columns.Set(texts, 1067805607);
        ASSERT_TRUE(columns.Made());
        for (int other = 0; other < CColumnTexts::kCount; ++other) {
            std::string expected = other == column ? GetParam().shown : texts[other];
            EXPECT_EQ(expected, columns.Cell(static_cast<CColumnTexts::Column>(other))) << other;
            EXPECT_EQ(expected, columns.View(static_cast<CColumnTexts::Column>(other))) << other;
        }
        EXPECT_EQ(1067805607, columns.startSeconds);
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, ColumnCells, testing::ValuesIn(kCellCases),
                         [](const testing::TestParamInfo<CellCase>& info) { return info.param.name; });

// Made even when every cell is empty; not made before, nor after Clear.
TEST(CColumnTexts, MadeClearedAndUnreadable)
{
    CColumnTexts columns;
    EXPECT_FALSE(columns.Made());
    EXPECT_STREQ("", columns.Cell(CColumnTexts::GameVersion));
    std::string empty[CColumnTexts::kCount];
    columns.Set(empty, 5);
    EXPECT_TRUE(columns.Made());
    columns.Clear();
    EXPECT_FALSE(columns.Made());
    EXPECT_EQ(0, columns.startSeconds);

    columns.startSeconds = 7;
    columns.SetUnreadable();
    EXPECT_TRUE(columns.Made());
    EXPECT_STREQ("（読み込めません）", columns.Cell(CColumnTexts::StartTime));
    for (int column = 1; column < CColumnTexts::kCount; ++column)
        EXPECT_STREQ("", columns.Cell(static_cast<CColumnTexts::Column>(column))) << column;
    EXPECT_EQ(0, columns.startSeconds);
}
