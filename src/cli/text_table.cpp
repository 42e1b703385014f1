#include "cli/text_table.h"

#include <algorithm>

namespace tallyer::cli {
namespace {

void AppendPadding(std::string& line, int count) {
  if (count > 0) line.append(static_cast<std::size_t>(count), ' ');
}

}  // namespace

std::string RenderTable(const TextTable& table) {
  std::size_t columns = table.header.size();
  for (const auto& row : table.rows) columns = std::max(columns, row.size());
  std::vector<int> widths(columns, 0);
  auto measure = [&](const std::vector<std::string>& cells) {
    for (std::size_t c = 0; c < cells.size(); ++c) {
      widths[c] = std::max(widths[c], DisplayWidth(cells[c]));
    }
  };
  measure(table.header);
  for (const auto& row : table.rows) measure(row);

  std::string text;
  auto appendLine = [&](const std::vector<std::string>& cells) {
    std::string line;
    for (std::size_t c = 0; c < columns; ++c) {
      const std::string empty;
      const std::string& cell = c < cells.size() ? cells[c] : empty;
      const int gap = widths[c] - DisplayWidth(cell);
      if (c > 0) line += "  ";
      const bool right = c < table.alignRight.size() && table.alignRight[c];
      if (right) AppendPadding(line, gap);
      line += cell;
      if (!right) AppendPadding(line, gap);
    }
    line.erase(line.find_last_not_of(' ') + 1);
    text += line;
    text += '\n';
  };
  appendLine(table.header);
  std::vector<std::string> rule;
  for (int w : widths) rule.emplace_back(static_cast<std::size_t>(w), '-');
  appendLine(rule);
  for (const auto& row : table.rows) appendLine(row);
  return text;
}

}  // namespace tallyer::cli
