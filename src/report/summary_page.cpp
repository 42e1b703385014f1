#include "report/summary_page.h"

#include "report/markup_text.h"
#include "report/summary_page_frame.h"

namespace tallyer {
namespace {

void AppendElement(std::string& html, std::string_view open, std::string_view text,
                   std::string_view close) {
  html += open;
  AppendPageText(html, text);
  html += close;
}

void AppendNumberCell(std::string& html, std::string_view text) {
  AppendElement(html, "<td class=\"num\">", text, "</td>");
}

void AppendCategoryCell(std::string& html, const PageCategoryCell& cell) {
  if (cell.color) {
    html += "<td class=\"swatch\" style=\"background-color: " + HexText(*cell.color) +
            "; color: " + HexText(TextColorOn(*cell.color)) + "\">";
  } else {
    html += "<td>";
  }
  AppendPageText(html, cell.text);
  html += "</td>";
}

void AppendHeader(std::string& html, const SummaryPage& page) {
  html += "<header>\n";
  AppendElement(html, "<h1>", page.group, "</h1>\n");
  AppendElement(html, "<p class=\"period\">", page.period, "</p>\n");
  if (!page.optionLines.empty()) {
    html += "<ul class=\"options\">\n";
    for (const std::string& line : page.optionLines) AppendElement(html, "<li>", line, "</li>\n");
    html += "</ul>\n";
  }
  AppendElement(html, "<p class=\"made\">", page.made, "</p>\n");
  html += "</header>\n";
}

void AppendFigures(std::string& html, const SummaryPage& page) {
  html += "<ul class=\"figures\">\n";
  for (const auto& [label, value] : page.figures) {
    AppendElement(html, "<li><span class=\"label\">", label, "</span>");
    AppendElement(html, "<span class=\"value\">", value, "</span></li>\n");
  }
  html += "</ul>\n";
}

void AppendChart(std::string& html, std::string_view heading, std::string_view svg) {
  AppendElement(html, "<section>\n<h2>", heading, "</h2>\n<figure>\n");
  html += svg;
  html += "</figure>\n</section>\n";
}

// A member's or the team's rows: the name spans them; a member of several
// rows ends with its sum.
void AppendBlock(std::string& html, const TableBlock& block, bool categories, bool sumRow,
                 std::string_view tbodyClass) {
  html += tbodyClass.empty() ? "<tbody>\n"
                             : "<tbody class=\"" + std::string(tbodyClass) + "\">\n";
  const std::string count = std::to_string(block.count);
  if (!categories || block.rows.empty()) {
    AppendElement(html, "<tr><th scope=\"row\">", block.name, "</th>");
    if (categories) html += "<td></td>";
    AppendNumberCell(html, count);
    AppendNumberCell(html, block.duration);
    html += "</tr>\n</tbody>\n";
    return;
  }
  const bool withSum = sumRow && block.rows.size() > 1;
  const std::size_t span = block.rows.size() + (withSum ? 1 : 0);
  for (std::size_t i = 0; i < block.rows.size(); ++i) {
    const CategoryRow& row = block.rows[i];
    html += "<tr>";
    if (i == 0) {
      AppendElement(html,
                    span > 1 ? "<th scope=\"rowgroup\" rowspan=\"" + std::to_string(span) + "\">"
                             : std::string("<th scope=\"row\">"),
                    block.name, "</th>");
    }
    AppendCategoryCell(html, row.category);
    AppendNumberCell(html, std::to_string(row.count));
    AppendNumberCell(html, row.duration);
    html += "</tr>\n";
  }
  if (withSum) {
    html += "<tr class=\"sum\"><td>計</td>";
    AppendNumberCell(html, count);
    AppendNumberCell(html, block.duration);
    html += "</tr>\n";
  }
  html += "</tbody>\n";
}

void AppendResultTable(std::string& html, const SummaryPage& page) {
  const bool categories = !page.categoryHeading.empty();
  html += "<section>\n<h2>集計表</h2>\n<table class=\"result\">\n<thead>\n<tr><th scope=\"col\">"
          "メンバー</th>";
  if (categories) AppendElement(html, "<th scope=\"col\">", page.categoryHeading, "</th>");
  html += "<th scope=\"col\" class=\"num\">件数</th><th scope=\"col\" class=\"num\">時間</th></tr>\n"
          "</thead>\n";
  for (const TableBlock& member : page.members) AppendBlock(html, member, categories, true, {});
  if (page.team && !page.team->rows.empty()) {
    AppendBlock(html, *page.team, categories, false, "team");
  }
  const TableBlock total{"合計", {}, page.totalCount, page.totalDuration};
  AppendBlock(html, total, categories, false, "total");
  html += "</table>\n</section>\n";
}

void AppendBreakdownRow(std::string& html, const BreakdownTable::Row& row, std::size_t first,
                        std::size_t end, bool withTotal) {
  AppendElement(html, "<tr><th scope=\"row\">", row.name, "</th>");
  for (std::size_t i = first; i < end && i < row.cells.size(); ++i) {
    AppendNumberCell(html, row.cells[i]);
  }
  if (withTotal) AppendNumberCell(html, row.total);
  html += "</tr>\n";
}

// One table when it fits the paper, otherwise tables of a few units each;
// the totals column comes with the last.
void AppendBreakdownTables(std::string& html, const SummaryPage::Breakdown& breakdown) {
  const BreakdownTable& table = breakdown.table;
  AppendElement(html, "<section>\n<h2>", breakdown.heading, "集計表</h2>\n");
  const auto spans = BreakdownTableSpans(table.unitLabels.size());
  for (std::size_t s = 0; s < spans.size(); ++s) {
    const auto [first, end] = spans[s];
    const bool last = s + 1 == spans.size();
    html += "<table class=\"breakdown\">\n<thead>\n<tr><th scope=\"col\">メンバー</th>";
    for (std::size_t i = first; i < end; ++i) {
      AppendElement(html, "<th scope=\"col\" class=\"num\">", table.unitLabels[i], "</th>");
    }
    if (last) html += "<th scope=\"col\" class=\"num\">合計</th>";
    html += "</tr>\n</thead>\n<tbody>\n";
    for (const BreakdownTable::Row& row : table.members) {
      AppendBreakdownRow(html, row, first, end, last);
    }
    html += "</tbody>\n<tbody class=\"total\">\n";
    AppendBreakdownRow(html, table.totals, first, end, last);
    html += "</tbody>\n</table>\n";
  }
  html += "</section>\n";
}

}  // namespace

std::string SummaryPageHtml(const SummaryPage& page) {
  std::string html;
  const bool landscape =
      page.breakdown && page.breakdown->table.unitLabels.size() > kPortraitUnits;
  AppendPageHead(html, page.title, landscape);
  AppendHeader(html, page);
  AppendFigures(html, page);
  AppendChart(html, page.memberChartHeading, page.memberChartSvg);
  if (page.breakdown) AppendChart(html, page.breakdown->heading + "の時間", page.breakdown->chartSvg);
  AppendResultTable(html, page);
  if (page.breakdown) AppendBreakdownTables(html, *page.breakdown);
  AppendPageEnd(html);
  return html;
}

}  // namespace tallyer
