// Column widths and fill slots of the workbook writer.
#include <gtest/gtest.h>

#include "report/column_widths.h"
#include "report/fill_palette.h"

namespace tallyer {
namespace {

TEST(ColumnWidths, TakeTheWidestTextPlusAMarginCountingWideCharactersTwice) {
  ColumnWidths widths;
  widths.Measure(0, "tanaka");
  widths.Measure(0, "田中 一郎");  // 9 columns
  widths.Measure(2, "#ff8080");
  widths.Measure(2, "件数", 2);     // a heading with its filter button
  EXPECT_EQ(widths.Count(), 3);
  EXPECT_EQ(widths.Width(0), 11);
  EXPECT_EQ(widths.Width(1), 0);  // never measured: the sheet's default
  EXPECT_EQ(widths.Width(2), 9);
  EXPECT_EQ(widths.Width(3), 0);
}

TEST(ColumnWidths, StopAtTheSheetsLimit) {
  ColumnWidths widths;
  widths.Measure(0, std::string(100000, 'x'));
  widths.Measure(1, std::string(253, 'x'));
  EXPECT_EQ(widths.Width(0), 255);
  EXPECT_EQ(widths.Width(1), 255);
}

TEST(FillPalette, GivesTheFirstThousandColoursASlotEachInFirstSeenOrder) {
  FillPalette palette;
  for (std::uint32_t i = 0; i < FillPalette::kMaxFills; ++i) {
    ASSERT_EQ(palette.Slot(0x00FFFFFFu - i), i);
  }
  EXPECT_EQ(palette.Slot(0x00FFFFFFu), 0u);  // seen before: the same slot
  EXPECT_EQ(palette.Slot(0x00FFFFFFu - 999), 999u);
  EXPECT_EQ(palette.Slot(0x00000000u), std::nullopt);  // the 1001st colour
  EXPECT_EQ(palette.Slot(0x00000001u), std::nullopt);
  EXPECT_EQ(palette.Slot(0x00FFFFFFu - 1), 1u);
}

}  // namespace
}  // namespace tallyer
