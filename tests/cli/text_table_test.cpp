#include "cli/text_table.h"

#include <gtest/gtest.h>

namespace tallyer::cli {
namespace {

struct WidthCase {
  const char* text;
  int width;
};

class DisplayWidthTest : public ::testing::TestWithParam<WidthCase> {};

TEST_P(DisplayWidthTest, CountsWideCharactersTwice) {
  EXPECT_EQ(DisplayWidth(GetParam().text), GetParam().width) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Characters, DisplayWidthTest,
    ::testing::Values(WidthCase{"", 0}, WidthCase{"tanaka", 6}, WidthCase{"田中", 4},
                      WidthCase{"ひらがなカタカナ", 16},
                      WidthCase{"ｶﾀｶﾅ", 4},              // half-width katakana
                      WidthCase{"ＡＢＣ１", 8},          // full-width ASCII
                      WidthCase{"2時間30分", 9}, WidthCase{"期間：", 6},
                      WidthCase{"～", 2},                // U+FF5E, CP932's 0x8160
                      WidthCase{"　", 2},                // ideographic space
                      WidthCase{"한국", 4}, WidthCase{"#ff0000", 7},
                      WidthCase{"\xff\xfe", 2},          // invalid bytes, one each
                      WidthCase{"\xe4\xb8", 2}));         // cut sequence

TEST(RenderTableTest, AlignsWideAndNarrowCellsByDisplayWidth) {
  TextTable table;
  table.header = {"メンバー", "件数", "時間"};
  table.alignRight = {false, true, true};
  table.rows = {{"田中", "3", "2時間30分"}, {"Smith", "12", "0時間00分"}, {"ｻﾄｳ", "0", "45分"}};
  EXPECT_EQ(RenderTable(table),
            "メンバー  件数       時間\n"
            "--------  ----  ---------\n"
            "田中         3  2時間30分\n"
            "Smith       12  0時間00分\n"
            "ｻﾄｳ          0       45分\n");
}

TEST(RenderTableTest, LeavesNoTrailingSpacesAndFillsShortRows) {
  TextTable table;
  table.header = {"a", "内容"};
  table.rows = {{"長い名前", ""}, {"x"}};
  EXPECT_EQ(RenderTable(table),
            "a         内容\n"
            "--------  ----\n"
            "長い名前\n"
            "x\n");
}

TEST(RenderTableTest, AnEmptyTableIsHeaderAndRule) {
  TextTable table;
  table.header = {"メンバー", "件数"};
  table.alignRight = {false, true};
  EXPECT_EQ(RenderTable(table), "メンバー  件数\n--------  ----\n");
}

}  // namespace
}  // namespace tallyer::cli
