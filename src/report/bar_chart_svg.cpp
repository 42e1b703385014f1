#include <algorithm>

#include "report/chart_svg.h"
#include "report/svg_drawing.h"

namespace tallyer {

using svg::Tenths;

std::string RenderBarChart(const ChartData& chart) {
  constexpr Tenths kMargin = 80;
  constexpr Tenths kGap = 80;
  constexpr Tenths kRow = 220;
  constexpr Tenths kBar = 160;
  constexpr Tenths kMostLabelWidth = 2000;
  constexpr Tenths kMostValueWidth = 1200;

  long long most = 0;
  Tenths labelWidth = 0;
  Tenths valueWidth = 0;
  for (const ChartBar& bar : chart.bars) {
    most = std::max(most, svg::BarMinutes(bar));
    labelWidth = std::max(labelWidth, std::min(svg::TextWidth(bar.label), kMostLabelWidth));
    valueWidth = std::max(valueWidth, std::min(svg::TextWidth(bar.valueText), kMostValueWidth));
  }
  if (most <= 0) return svg::NoDataDocument(chart.caption);

  const svg::TimeAxis axis = svg::ChooseTimeAxis(most);
  const Tenths plotLeft = kMargin + labelWidth + kGap;
  // Room on the right for the value texts and half the last tick label.
  const Tenths plotRight = svg::kChartWidth - kMargin - std::max(valueWidth + kGap, Tenths{200});
  const Tenths plotLength = plotRight - plotLeft;
  const Tenths top = kMargin;
  const Tenths bottom = top + static_cast<Tenths>(chart.bars.size()) * kRow;

  std::string body;
  for (int i = 0; i <= axis.intervals; ++i) {
    const long long minutes = axis.stepMinutes * i;
    const Tenths x = plotLeft + svg::Scale(minutes, axis.MaxMinutes(), plotLength);
    svg::AppendLine(body, x, top, x, bottom, i == 0 ? "#999999" : "#dddddd");
    svg::AppendText(body, x, bottom + 160, "middle", "#555555", svg::HoursText(minutes));
  }
  svg::AppendText(body, plotLeft + plotLength / 2, bottom + 340, "middle", "#555555", "時間");

  Tenths y = top;
  for (const ChartBar& bar : chart.bars) {
    svg::OpenGroup(body, bar.title);
    const Tenths barTop = y + (kRow - kBar) / 2;
    svg::AppendText(body, plotLeft - kGap, barTop + 122, "end", "#222222",
                    svg::FitText(bar.label, kMostLabelWidth));
    svg::AppendStack(body, chart, bar, true, plotLeft, barTop, kBar, axis.MaxMinutes(),
                     plotLength);
    if (!bar.valueText.empty()) {
      const Tenths end =
          plotLeft + svg::Scale(svg::BarMinutes(bar), axis.MaxMinutes(), plotLength);
      svg::AppendText(body, end + 50, barTop + 122, "start", "#222222",
                      svg::FitText(bar.valueText, kMostValueWidth));
    }
    body += "</g>\n";
    y += kRow;
  }

  const Tenths legendBottom = svg::AppendLegend(body, chart, bottom + 480);
  const Tenths height = std::max(legendBottom, bottom + 400) + kMargin;
  return svg::Document(svg::kChartWidth, height, chart.caption, body);
}

}  // namespace tallyer
