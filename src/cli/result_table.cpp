#include "cli/result_table.h"

#include <cstdint>
#include <ostream>
#include <string_view>

#include "data/cp932.h"
#include "report/classic_report.h"
#include "report/color_text.h"
#include "report/duration_text.h"

namespace tallyer::cli {
namespace {

const std::string kNoKey = "-";

// A data text as one table cell: UTF-8, with control characters (a line
// break inside a content text) shown as spaces so the rows stay aligned.
std::string Cell(std::string_view cp932) {
  std::string text = Cp932ToUtf8(cp932);
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  return text;
}

std::string Duration(long long minutes, int durationFormat) {
  return Cp932ToUtf8(FormatDuration(minutes, durationFormat));
}

// "#rrggbb" without the quotes the reports put around it.
std::string ColorCell(std::uint32_t color) {
  const std::string quoted = ColorText(color);
  return quoted.substr(1, quoted.size() - 2);
}

// The rows of one member in modes 2 to 4: its name on the first.
void AddKeyRows(TextTable& table, const MemberTally& m, int mode, int form) {
  const std::string name = Cell(m.name);
  const bool withType = mode == kModeType;
  const bool byContent = mode == kModeContent;
  if (m.rows.empty()) {
    std::vector<std::string> row{name, kNoKey};
    if (withType) row.push_back("");
    row.push_back("0");
    row.push_back(Duration(0, form));
    table.rows.push_back(std::move(row));
    return;
  }
  bool first = true;
  for (const TallyRow& r : m.rows) {
    std::vector<std::string> row{first ? name : "", byContent ? Cell(r.content) : ColorCell(r.color)};
    if (withType) row.push_back(Cell(r.typeName));
    row.push_back(std::to_string(r.figures.count));
    row.push_back(Duration(r.figures.minutes, form));
    table.rows.push_back(std::move(row));
    first = false;
  }
}

}  // namespace

TextTable ResultTable(const TallyResult& result) {
  const TallySettings& s = result.settings;
  TextTable table;
  switch (s.mode) {
    case kModeColor:
      table.header = {"メンバー", "色", "件数", "時間"};
      table.alignRight = {false, false, true, true};
      break;
    case kModeType:
      table.header = {"メンバー", "色", "タイプ", "件数", "時間"};
      table.alignRight = {false, false, false, true, true};
      break;
    case kModeContent:
      table.header = {"メンバー", "内容", "件数", "時間"};
      table.alignRight = {false, false, true, true};
      break;
    default:
      table.header = {"メンバー", "件数", "時間"};
      table.alignRight = {false, true, true};
      break;
  }
  for (const MemberTally& m : result.members) {
    switch (s.mode) {
      case kModeColor:
      case kModeType:
      case kModeContent:
        AddKeyRows(table, m, s.mode, s.durationFormat);
        break;
      default:
        table.rows.push_back({Cell(m.name), std::to_string(m.figures.count),
                              Duration(m.figures.minutes, s.durationFormat)});
        break;
    }
  }
  return table;
}

TextTable BreakdownTable(const TallyResult& result) {
  TextTable table;
  if (!result.breakdown) return table;
  const PeriodBreakdown& b = *result.breakdown;
  const int form = result.settings.durationFormat;
  table.header.push_back("メンバー");
  for (const BreakdownPeriod& p : b.periods) table.header.push_back(p.label);
  table.header.push_back("合計");
  table.alignRight.assign(table.header.size(), true);
  table.alignRight[0] = false;
  auto addRow = [&](std::string name, const std::vector<TallyFigures>& cells) {
    std::vector<std::string> row{std::move(name)};
    long long sum = 0;
    for (const TallyFigures& cell : cells) {
      row.push_back(Duration(cell.minutes, form));
      sum += cell.minutes;
    }
    row.push_back(Duration(sum, form));
    table.rows.push_back(std::move(row));
  };
  for (std::size_t i = 0; i < b.memberCells.size() && i < result.members.size(); ++i)
    addRow(Cell(result.members[i].name), b.memberCells[i]);
  addRow("合計", b.totals);
  return table;
}

std::string ResultHeading(const std::string& groupName, const std::string& optionLines) {
  std::string text = "グループ名：" + Cell(groupName) + "\n";
  for (char c : Cp932ToUtf8(optionLines)) {
    if (c != '\r') text += c;
  }
  return text;
}

void TerminalTableFormatter::Write(const TallyResult& result, std::ostream& out) const {
  out << ResultHeading(result.groupName, ClassicCsvOptionLines(result.settings)) << "\n"
      << RenderTable(result.breakdown ? BreakdownTable(result) : ResultTable(result));
}

}  // namespace tallyer::cli
