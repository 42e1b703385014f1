#include "report/stacked_chart.h"

#include <algorithm>
#include <numeric>

#include "data/cp932.h"
#include "report/duration_text.h"

namespace tallyer {
namespace {

std::string Title(const std::string& name, const Tally& tally, int durationFormat) {
  return name + "：" + Cp932ToUtf8(FormatDuration(tally.minutes, durationFormat)) + "（" +
         std::to_string(tally.count) + "件）";
}

}  // namespace

std::vector<std::size_t> LeadingCategories(const std::vector<long long>& minutes,
                                           std::size_t most) {
  std::vector<std::size_t> order(minutes.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return minutes[a] > minutes[b]; });
  std::vector<std::size_t> leading;
  for (const std::size_t i : order) {
    if (leading.size() == most || minutes[i] <= 0) break;
    leading.push_back(i);
  }
  return leading;
}

ChartData StackedChart(const StackedChartInput& input) {
  const std::size_t categories = input.categories.size();
  std::vector<long long> sums(categories, 0);
  for (const StackedChartInput::Bar& bar : input.bars) {
    for (const StackedChartInput::Cell& cell : bar.cells) {
      if (cell.category < categories) sums[cell.category] += std::max(cell.tally.minutes, 0LL);
    }
  }
  const std::vector<std::size_t> leading = LeadingCategories(sums, kNamedCategories);
  constexpr std::size_t kRest = static_cast<std::size_t>(-1);
  std::vector<std::size_t> rankOf(categories, kRest);
  for (std::size_t rank = 0; rank < leading.size(); ++rank) rankOf[leading[rank]] = rank;

  ChartData chart;
  chart.caption = input.caption;
  chart.legend = input.legend;
  for (std::size_t rank = 0; rank < leading.size(); ++rank) {
    const StackedChartInput::Category& category = input.categories[leading[rank]];
    chart.series.push_back({category.name, category.color.value_or(kCategoryPalette[rank])});
  }
  chart.series.push_back({"その他", kOtherColor});
  const std::size_t other = chart.series.size() - 1;

  for (const StackedChartInput::Bar& in : input.bars) {
    std::vector<Tally> named(leading.size());
    Tally rest;
    for (const StackedChartInput::Cell& cell : in.cells) {
      if (cell.category >= categories || cell.tally.minutes <= 0) continue;
      Tally& into = rankOf[cell.category] == kRest ? rest : named[rankOf[cell.category]];
      into.count += cell.tally.count;
      into.minutes += cell.tally.minutes;
    }
    ChartBar bar;
    bar.label = in.label;
    bar.title = Title(in.label, in.total, input.durationFormat);
    if (input.valueTexts) {
      bar.valueText = Cp932ToUtf8(FormatDuration(in.total.minutes, input.durationFormat));
    }
    for (std::size_t rank = 0; rank < leading.size(); ++rank) {
      // One category: the bar is its only segment and says it all.
      std::string title = input.legend ? Title(in.label + "／" + chart.series[rank].name,
                                               named[rank], input.durationFormat)
                                       : std::string();
      bar.segments.push_back({rank, named[rank].minutes, std::move(title)});
    }
    if (rest.minutes > 0) {
      bar.segments.push_back(
          {other, rest.minutes, Title(in.label + "／その他", rest, input.durationFormat)});
    }
    chart.bars.push_back(std::move(bar));
  }
  return chart;
}

}  // namespace tallyer
