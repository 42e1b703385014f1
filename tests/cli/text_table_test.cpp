#include "cli/text_table.h"

#include <gtest/gtest.h>

namespace tallyer::cli {
namespace {

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
