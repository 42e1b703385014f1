#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "report/rgb_color.h"

namespace tallyer {

// What the summary page shows, in UTF-8 texts as the reader sees them:
// durations already in the run's form, charts already drawn.

// A cell that names a category: shown on its colour when it has one.
struct PageCategoryCell {
  std::string text;
  std::optional<Rgb> color;
};

struct CategoryRow {
  PageCategoryCell category;
  long long count = 0;
  std::string duration;
};

// One block of the table, a <tbody>: a member or the team, with its rows
// (none in mode 1) and its totals.
struct TableBlock {
  std::string name;
  std::vector<CategoryRow> rows;
  long long count = 0;
  std::string duration;
};

// Members down, units across.
struct BreakdownTable {
  struct Row {
    std::string name;
    std::vector<std::string> cells;  // one duration per unit
    std::string total;
  };
  std::vector<std::string> unitLabels;
  std::vector<Row> members;
  Row totals;
};

struct SummaryPage {
  std::string title;  // of the document
  std::string group;
  std::string period;
  std::vector<std::string> optionLines;
  std::string made;  // "Tallyer 2.0.0 · … 作成"
  std::vector<std::pair<std::string, std::string>> figures;  // label, value

  std::string memberChartHeading;
  std::string memberChartSvg;

  std::string categoryHeading;  // empty: the table has no category column
  std::vector<TableBlock> members;
  std::optional<TableBlock> team;  // its rows only; the totals row comes from `total`
  long long totalCount = 0;
  std::string totalDuration;

  struct Breakdown {
    std::string heading;
    std::string chartSvg;
    BreakdownTable table;
  };
  std::optional<Breakdown> breakdown;
};

// The whole page: HTML5, UTF-8, LF line ends.
std::string SummaryPageHtml(const SummaryPage& page);

}  // namespace tallyer
