#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tallyer {

class XlsxSheet;

// What the workbook's sheets show, in the words and figures of one result.
// Texts are CP932.

// A category cell of a row of the totals sheet: a text, or a colour shown as
// "#rrggbb" on its own fill.
struct CategoryCell {
  std::string text;
  std::optional<std::uint32_t> colour;  // 0x00BBGGRR
};

struct SummaryRow {
  std::string label;  // the member's name, or the team rows' label
  std::vector<CategoryCell> categories;
  long long count = 0;
  long long minutes = 0;
};

struct SummarySheet {
  std::vector<std::string> headingLines;      // above the table; the first in bold
  std::vector<std::string> categoryHeadings;  // between メンバー and 件数
  std::vector<SummaryRow> memberRows;
  std::vector<SummaryRow> teamRows;
};

// Members down, units across: minutes per member and unit.
struct PeriodSheet {
  struct Row {
    std::string member;
    std::vector<long long> minutes;  // one per unit
  };
  std::vector<std::string> unitLabels;
  std::vector<Row> rows;
};

// The most units a period sheet takes: the sheet's columns less the member
// and total columns.
inline constexpr std::size_t kMaxPeriodUnits = 16382;

// Rows a summary sheet takes, to be checked against the sheet's limit.
std::size_t SummarySheetRows(const SummarySheet& content);

// The heading block, then the table: column headings (frozen, with a
// filter over the member rows), member rows, team rows and a row of totals
// whose cells are SUM formulas of the member rows with their values.
void WriteSummarySheet(XlsxSheet& sheet, const SummarySheet& content);

// Column headings メンバー, the unit labels and 合計, a row per member with
// its total, and a row of totals; every total a SUM formula with its value.
void WritePeriodSheet(XlsxSheet& sheet, const PeriodSheet& content);

}  // namespace tallyer
