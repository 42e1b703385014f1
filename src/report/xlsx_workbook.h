#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "report/c_numeric_locale.h"
#include "report/column_widths.h"
#include "report/fill_palette.h"

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace tallyer {

// The largest row and column numbers (from 0) of a worksheet.
inline constexpr int kLastSheetRow = 1048575;
inline constexpr int kLastSheetColumn = 16383;

// Cells from (firstRow, column) to (lastRow, column), or along a row from
// (row, firstColumn) to (row, lastColumn); empty when last < first.
struct CellRange {
  int firstRow = 0, firstColumn = 0, lastRow = -1, lastColumn = -1;
  bool Empty() const { return lastRow < firstRow || lastColumn < firstColumn; }
};

// kColumnHeading: bold over a line (kNumberHeading: aligned right, over
// numbers); kTotal: bold under a line.
enum class CellStyle { kPlain, kBold, kColumnHeading, kNumberHeading, kTotal };

class XlsxWorkbook;

// One worksheet. Cells go in row by row, each row's cells before the next
// row's, and the filter is set before the rows it covers are left behind:
// the workbook streams finished rows to disk. Texts are CP932 and
// always written as strings, never as formulas.
class XlsxSheet {
 public:
  // An empty text leaves the cell empty, with the style's lines.
  void Text(int row, int column, std::string_view cp932, CellStyle style = CellStyle::kPlain);
  // A text that may run over the empty cells beside it: not measured for
  // the column's width.
  void LongText(int row, int column, std::string_view cp932, CellStyle style = CellStyle::kPlain);
  void Count(int row, int column, long long count, CellStyle style = CellStyle::kPlain);
  // Minutes as a number of days shown "[h]:mm", so that sums and charts work.
  void Duration(int row, int column, long long minutes, CellStyle style = CellStyle::kPlain);
  // "#rrggbb" of a colour 0x00BBGGRR, filled with it while the workbook has
  // fills left.
  void Colour(int row, int column, std::uint32_t colour);
  // "=SUM(range)" with the sum the caller computed as its value.
  void CountSum(int row, int column, const CellRange& range, long long count,
                CellStyle style = CellStyle::kTotal);
  void DurationSum(int row, int column, const CellRange& range, long long minutes,
                   CellStyle style = CellStyle::kTotal);

  // Keeps the rows above `row` and the columns left of `column` in sight.
  void FreezePanes(int row, int column);
  void AutoFilter(const CellRange& range);
  // Printed one page wide, as many pages tall as it takes.
  void PrintOnePageWide(bool landscape);

 private:
  friend class XlsxWorkbook;
  XlsxSheet(XlsxWorkbook& book, lxw_worksheet* sheet) : book_(&book), sheet_(sheet) {}
  void Sum(int row, int column, const CellRange& range, double value, const std::string& shown,
           lxw_format* format);
  void Check(int error);

  XlsxWorkbook* book_;
  lxw_worksheet* sheet_;
  ColumnWidths widths_;
};

// A workbook written with the xlsx library, which writes named files only:
// the file appears at `path` on Close. `created` is the document's creation
// time, so the same result and clock give the same bytes.
class XlsxWorkbook {
 public:
  XlsxWorkbook(const std::filesystem::path& path, std::time_t created);
  ~XlsxWorkbook();
  XlsxWorkbook(const XlsxWorkbook&) = delete;
  XlsxWorkbook& operator=(const XlsxWorkbook&) = delete;

  // The name is UTF-8. The sheet lives as long as the workbook.
  XlsxSheet& AddSheet(const char* utf8Name);

  // Sets the column widths and writes the file. Returns a FileError cause,
  // kCauseNone when the file is complete.
  int Close();

 private:
  friend class XlsxSheet;
  lxw_format* Format(CellStyle style, bool duration);
  lxw_format* FillFormat(std::uint32_t colour);

  // The library formats numbers as rows are streamed and on Close.
  CNumericLocale numbers_;
  lxw_workbook* book_ = nullptr;
  int cause_;
  std::vector<std::unique_ptr<XlsxSheet>> sheets_;
  lxw_format* formats_[5][2] = {};
  FillPalette palette_;
  std::vector<lxw_format*> fills_;
};

}  // namespace tallyer
