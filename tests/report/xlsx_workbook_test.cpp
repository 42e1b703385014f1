#include "report/xlsx_workbook.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "data/cp932.h"
#include "data/file_error.h"
#include "support/temp_dir.h"

namespace tallyer {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;

int WriteSmallBook(const fs::path& path, std::time_t created) {
  XlsxWorkbook book(path, created);
  XlsxSheet& sheet = book.AddSheet("集計");
  sheet.LongText(0, 0, Utf8ToCp932("グループ：営業部"), CellStyle::kBold);
  sheet.Text(2, 0, Utf8ToCp932("メンバー"), CellStyle::kColumnHeading);
  sheet.Text(2, 1, Utf8ToCp932("時間"), CellStyle::kColumnHeading);
  sheet.Text(3, 0, "=1+1");
  sheet.Duration(3, 1, 39060);
  sheet.Colour(3, 2, 0x008080FFu);
  sheet.DurationSum(4, 1, CellRange{3, 1, 3, 1}, 39060);
  sheet.FreezePanes(3, 0);
  sheet.AutoFilter(CellRange{2, 0, 4, 1});
  return book.Close();
}

TEST(XlsxWorkbook, TheSameCellsAndClockGiveTheSameBytes) {
  TempDir dir;
  ASSERT_EQ(WriteSmallBook(dir / "a.xlsx", 1735689600), kCauseNone);
  ASSERT_EQ(WriteSmallBook(dir / "b.xlsx", 1735689600), kCauseNone);
  ASSERT_EQ(WriteSmallBook(dir / "c.xlsx", 1735689601), kCauseNone);
  const std::string a = ReadBytes(dir / "a.xlsx");
  EXPECT_EQ(a.substr(0, 2), "PK");
  EXPECT_EQ(a, ReadBytes(dir / "b.xlsx"));
  EXPECT_NE(a, ReadBytes(dir / "c.xlsx"));
}

// The library reads a creation time of 0 as "now"; SOURCE_DATE_EPOCH=0 must
// still give the same bytes every time.
TEST(XlsxWorkbook, TheClocksFirstSecondIsNotTakenForNow) {
  TempDir dir;
  ASSERT_EQ(WriteSmallBook(dir / "zero.xlsx", 0), kCauseNone);
  ASSERT_EQ(WriteSmallBook(dir / "one.xlsx", 1), kCauseNone);
  EXPECT_EQ(ReadBytes(dir / "zero.xlsx"), ReadBytes(dir / "one.xlsx"));
}

TEST(XlsxWorkbook, ReportsTheCauseWhenTheFileCannotBeCreated) {
  TempDir dir;
  EXPECT_EQ(WriteSmallBook(dir / "missing" / "a.xlsx", 0), kCauseFileNotFound);
  EXPECT_NE(WriteSmallBook(dir.Path(), 0), kCauseNone);  // a folder
  EXPECT_FALSE(fs::exists(dir / "missing"));
}

TEST(XlsxWorkbook, ACellOutsideTheSheetFailsTheWholeWorkbook) {
  TempDir dir;
  XlsxWorkbook book(dir / "a.xlsx", 0);
  XlsxSheet& sheet = book.AddSheet("集計");
  sheet.Count(0, 0, 1);
  sheet.Count(kLastSheetRow + 1, 0, 2);
  EXPECT_EQ(book.Close(), kCauseGeneric);
  EXPECT_FALSE(fs::exists(dir / "a.xlsx"));
}

}  // namespace
}  // namespace tallyer
