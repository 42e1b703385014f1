#include "report/xlsx_workbook.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
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

// Switches the process to a locale whose numbers have a decimal comma, made
// with localedef in `dir` when the system has none; false when none can be had.
bool UseDecimalCommaLocale(const fs::path& dir) {
#ifdef _WIN32
  (void)dir;
  return std::setlocale(LC_ALL, "German_Germany.1252") != nullptr;
#else
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr) return true;
  const std::string command = "localedef -i de_DE -f UTF-8 '" + (dir / "de_DE.UTF-8").string() +
                              "' >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0) return false;
  ::setenv("LOCPATH", dir.c_str(), 1);
  return std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
#endif
}

// The desktop program runs in the user's locale.
TEST(XlsxWorkbook, WritesTheSameNumbersInALocaleWithADecimalComma) {
  TempDir dir;
  ASSERT_EQ(WriteSmallBook(dir / "c.xlsx", 1735689600), kCauseNone);
  const bool comma = UseDecimalCommaLocale(dir.Path());
  const int cause = comma ? WriteSmallBook(dir / "de.xlsx", 1735689600) : kCauseNone;
  char decimalPoint = *std::localeconv()->decimal_point;
  std::setlocale(LC_ALL, "C");
#ifndef _WIN32
  ::unsetenv("LOCPATH");
#endif
  if (!comma) GTEST_SKIP() << "no locale with a decimal comma";
  ASSERT_EQ(decimalPoint, ',');
  ASSERT_EQ(cause, kCauseNone);
  EXPECT_EQ(ReadBytes(dir / "de.xlsx"), ReadBytes(dir / "c.xlsx"));
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
