#include "report/summary_charts.h"

#include <string_view>
#include <unordered_map>

#include "data/cp932.h"
#include "report/chart_svg.h"
#include "report/stacked_chart.h"

namespace tallyer {
namespace {

Tally TallyOf(const TallyFigures& figures) { return {figures.count, figures.minutes}; }

// Where each member row lands among the team rows: by colour in modes 2 and
// 3 (a colour the type table lists twice has one team row), by content in mode 4.
class TeamIndex {
 public:
  explicit TeamIndex(const TallyResult& result) : content_(result.settings.mode == kModeContent) {
    if (content_) {
      byContent_.reserve(result.teamRows.size());
    } else {
      byColor_.reserve(result.teamRows.size());
    }
    for (std::size_t i = 0; i < result.teamRows.size(); ++i) {
      const TallyRow& row = result.teamRows[i];
      if (content_) {
        byContent_.emplace(row.content, i);
      } else {
        byColor_.emplace(row.color, i);
      }
    }
  }
  std::size_t Of(const TallyRow& row) const {
    if (content_) {
      const auto it = byContent_.find(row.content);
      return it == byContent_.end() ? kNone : it->second;
    }
    const auto it = byColor_.find(row.color);
    return it == byColor_.end() ? kNone : it->second;
  }
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

 private:
  bool content_;
  std::unordered_map<std::uint32_t, std::size_t> byColor_;
  std::unordered_map<std::string_view, std::size_t> byContent_;  // views into the team rows
};

}  // namespace

std::string CategoryName(const TallyResult& result, const TallyRow& row) {
  switch (result.settings.mode) {
    case kModeContent:
      return Cp932ToUtf8(row.content);
    case kModeType:
      if (!row.typeName.empty()) return Cp932ToUtf8(row.typeName);
      [[fallthrough]];
    default:
      return HexText(RgbOfStoredColor(row.color));
  }
}

ChartData MemberChartOf(const TallyResult& result) {
  StackedChartInput input;
  input.caption = "メンバー別の時間";
  input.durationFormat = result.settings.durationFormat;
  input.valueTexts = true;
  const bool byCategory = result.settings.mode != kModeTotal;
  if (byCategory) {
    for (const TallyRow& row : result.teamRows) {
      std::optional<Rgb> color;
      if (result.settings.mode != kModeContent) color = RgbOfStoredColor(row.color);
      input.categories.push_back({CategoryName(result, row), color});
    }
  } else {
    input.categories.push_back({"合計", std::nullopt});
    input.legend = false;
  }
  const TeamIndex team(result);
  for (const MemberTally& member : result.members) {
    StackedChartInput::Bar bar{Cp932ToUtf8(member.name), TallyOf(member.figures), {}};
    if (byCategory) {
      for (const TallyRow& row : member.rows) {
        const std::size_t i = team.Of(row);
        if (i != TeamIndex::kNone && row.figures.minutes > 0) {
          bar.cells.push_back({i, TallyOf(row.figures)});
        }
      }
    } else {
      bar.cells.push_back({0, bar.total});
    }
    input.bars.push_back(std::move(bar));
  }
  return StackedChart(input);
}

std::string MemberChartSvg(const TallyResult& result) {
  return RenderBarChart(MemberChartOf(result));
}

ChartData BreakdownChartOf(const TallyResult& result) {
  StackedChartInput input;
  input.durationFormat = result.settings.durationFormat;
  if (!result.breakdown) return StackedChart(input);
  const PeriodBreakdown& breakdown = *result.breakdown;
  input.caption = "期間別の時間";
  for (const MemberTally& member : result.members) {
    input.categories.push_back({Cp932ToUtf8(member.name), std::nullopt});
  }
  for (std::size_t u = 0; u < breakdown.periods.size(); ++u) {
    StackedChartInput::Bar bar;
    bar.label = breakdown.periods[u].label;
    if (u < breakdown.totals.size()) bar.total = TallyOf(breakdown.totals[u]);
    for (std::size_t m = 0; m < breakdown.memberCells.size(); ++m) {
      const std::vector<TallyFigures>& cells = breakdown.memberCells[m];
      if (u < cells.size() && cells[u].minutes > 0) bar.cells.push_back({m, TallyOf(cells[u])});
    }
    input.bars.push_back(std::move(bar));
  }
  return StackedChart(input);
}

}  // namespace tallyer
