#include "report/workbook_sheets.h"

#include "data/cp932.h"
#include "report/xlsx_workbook.h"

namespace tallyer {
namespace {

const std::string kMember = Utf8ToCp932("メンバー");
const std::string kCount = Utf8ToCp932("件数");
const std::string kTime = Utf8ToCp932("時間");
const std::string kTotal = Utf8ToCp932("合計");

int Index(std::size_t value) { return static_cast<int>(value); }

void WriteRow(XlsxSheet& sheet, int row, const SummaryRow& values, int columns) {
  sheet.Text(row, 0, values.label);
  for (int c = 0; c < columns; ++c) {
    const std::size_t at = static_cast<std::size_t>(c);
    if (at >= values.categories.size()) continue;
    const CategoryCell& cell = values.categories[at];
    if (cell.colour) {
      sheet.Colour(row, 1 + c, *cell.colour);
    } else {
      sheet.Text(row, 1 + c, cell.text);
    }
  }
  sheet.Count(row, 1 + columns, values.count);
  sheet.Duration(row, 2 + columns, values.minutes);
}

}  // namespace

std::size_t SummarySheetRows(const SummarySheet& content) {
  // Heading lines, a blank row, column headings, the rows and the totals.
  return content.headingLines.size() + 2 + content.memberRows.size() + content.teamRows.size() + 1;
}

void WriteSummarySheet(XlsxSheet& sheet, const SummarySheet& content) {
  int row = 0;
  for (const std::string& line : content.headingLines) {
    sheet.LongText(row, 0, line, row == 0 ? CellStyle::kBold : CellStyle::kPlain);
    ++row;
  }
  ++row;

  const int categories = Index(content.categoryHeadings.size());
  const int countColumn = 1 + categories;
  const int timeColumn = 2 + categories;
  const int headingRow = row;
  sheet.Text(row, 0, kMember, CellStyle::kColumnHeading);
  for (int c = 0; c < categories; ++c) {
    sheet.Text(row, 1 + c, content.categoryHeadings[static_cast<std::size_t>(c)],
               CellStyle::kColumnHeading);
  }
  sheet.Text(row, countColumn, kCount, CellStyle::kNumberHeading);
  sheet.Text(row, timeColumn, kTime, CellStyle::kNumberHeading);
  const int memberRows = Index(content.memberRows.size());
  sheet.FreezePanes(headingRow + 1, 0);
  sheet.PrintOnePageWide(false);
  sheet.AutoFilter(CellRange{headingRow, 0, headingRow + memberRows, timeColumn});
  ++row;

  const int firstMemberRow = row;
  long long count = 0;
  long long minutes = 0;
  for (const SummaryRow& values : content.memberRows) {
    WriteRow(sheet, row++, values, categories);
    count += values.count;
    minutes += values.minutes;
  }
  const int lastMemberRow = row - 1;
  for (const SummaryRow& values : content.teamRows) WriteRow(sheet, row++, values, categories);

  // The totals add the member rows only: the team rows are sums of them.
  sheet.Text(row, 0, kTotal, CellStyle::kTotal);
  for (int c = 0; c < categories; ++c) sheet.Text(row, 1 + c, "", CellStyle::kTotal);
  sheet.CountSum(row, countColumn, CellRange{firstMemberRow, countColumn, lastMemberRow, countColumn},
                 count);
  sheet.DurationSum(row, timeColumn, CellRange{firstMemberRow, timeColumn, lastMemberRow, timeColumn},
                    minutes);
}

void WritePeriodSheet(XlsxSheet& sheet, const PeriodSheet& content) {
  const int units = Index(content.unitLabels.size());
  const int totalColumn = units + 1;
  sheet.Text(0, 0, kMember, CellStyle::kColumnHeading);
  for (int u = 0; u < units; ++u) {
    sheet.Text(0, 1 + u, content.unitLabels[static_cast<std::size_t>(u)], CellStyle::kNumberHeading);
  }
  sheet.Text(0, totalColumn, kTotal, CellStyle::kNumberHeading);
  const int firstRow = 1;
  const int lastRow = Index(content.rows.size());
  // The member names and unit labels stay in sight while scrolling.
  sheet.FreezePanes(1, 1);
  sheet.PrintOnePageWide(true);
  sheet.AutoFilter(CellRange{0, 0, lastRow, totalColumn});
  std::vector<long long> unitTotals(content.unitLabels.size(), 0);
  long long grandTotal = 0;
  int row = firstRow;
  for (const PeriodSheet::Row& values : content.rows) {
    sheet.Text(row, 0, values.member);
    long long memberTotal = 0;
    for (int u = 0; u < units; ++u) {
      const std::size_t at = static_cast<std::size_t>(u);
      const long long minutes = at < values.minutes.size() ? values.minutes[at] : 0;
      sheet.Duration(row, 1 + u, minutes);
      memberTotal += minutes;
      unitTotals[at] += minutes;
    }
    sheet.DurationSum(row, totalColumn, CellRange{row, 1, row, units}, memberTotal, CellStyle::kBold);
    grandTotal += memberTotal;
    ++row;
  }

  sheet.Text(row, 0, kTotal, CellStyle::kTotal);
  for (int u = 0; u < units; ++u) {
    sheet.DurationSum(row, 1 + u, CellRange{firstRow, 1 + u, lastRow, 1 + u},
                      unitTotals[static_cast<std::size_t>(u)]);
  }
  sheet.DurationSum(row, totalColumn, CellRange{firstRow, totalColumn, lastRow, totalColumn},
                    grandTotal);
}

}  // namespace tallyer
