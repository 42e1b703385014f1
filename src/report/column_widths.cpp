#include "report/column_widths.h"

#include <algorithm>

#include "report/display_width.h"

namespace tallyer {
namespace {

constexpr int kMargin = 2;
constexpr int kMaxWidth = 255;

}  // namespace

void ColumnWidths::Measure(int column, std::string_view utf8, int extra) {
  if (column < 0) return;
  const auto at = static_cast<std::size_t>(column);
  if (at >= widest_.size()) widest_.resize(at + 1, 0);
  // Texts longer than a column can be wide are not measured to the end.
  const int width = DisplayWidth(utf8.substr(0, 4 * kMaxWidth)) + extra;
  widest_[at] = std::max(widest_[at], width);
}

double ColumnWidths::Width(int column) const {
  if (column < 0 || column >= Count()) return 0;
  const int widest = widest_[static_cast<std::size_t>(column)];
  return widest == 0 ? 0 : std::min(widest + kMargin, kMaxWidth);
}

}  // namespace tallyer
