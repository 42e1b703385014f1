#include <algorithm>

#include "report/chart_svg.h"
#include "report/svg_drawing.h"

namespace tallyer {

using svg::Tenths;

std::string RenderColumnChart(const ChartData& chart) {
  constexpr Tenths kMargin = 80;
  constexpr Tenths kGap = 60;
  constexpr Tenths kPlotHeight = 2400;
  constexpr Tenths kMostLabelWidth = 1200;

  long long most = 0;
  Tenths labelWidth = 0;
  for (const ChartBar& bar : chart.bars) {
    most = std::max(most, svg::BarMinutes(bar));
    labelWidth = std::max(labelWidth, std::min(svg::TextWidth(bar.label), kMostLabelWidth));
  }
  if (most <= 0) return svg::NoDataDocument(chart.caption);

  const svg::TimeAxis axis = svg::ChooseTimeAxis(most);
  Tenths tickWidth = 0;
  for (int i = 0; i <= axis.intervals; ++i) {
    tickWidth = std::max(tickWidth, svg::TextWidth(svg::HoursText(axis.stepMinutes * i)));
  }
  const Tenths plotLeft = kMargin + tickWidth + kGap;
  const Tenths plotRight = svg::kChartWidth - kMargin;
  const Tenths plotTop = kMargin + 280;
  const Tenths plotBottom = plotTop + kPlotHeight;
  const Tenths plotWidth = plotRight - plotLeft;
  const auto columns = static_cast<Tenths>(chart.bars.size());
  const auto slotStart = [&](Tenths i) { return plotLeft + i * plotWidth / columns; };

  std::string body;
  svg::AppendText(body, kMargin, kMargin + 120, "start", "#555555", "時間");
  for (int i = 0; i <= axis.intervals; ++i) {
    const long long minutes = axis.stepMinutes * i;
    const Tenths y = plotBottom - svg::Scale(minutes, axis.MaxMinutes(), kPlotHeight);
    svg::AppendLine(body, plotLeft, y, plotRight, y, i == 0 ? "#999999" : "#dddddd");
    svg::AppendText(body, plotLeft - kGap, y + 40, "end", "#555555", svg::HoursText(minutes));
  }

  // Every label when they fit side by side, otherwise every few.
  const Tenths slot = std::max(plotWidth / columns, Tenths{1});
  const Tenths labelEvery = std::max(Tenths{1}, (labelWidth + kGap + slot - 1) / slot);
  for (Tenths i = 0; i < columns; ++i) {
    const ChartBar& bar = chart.bars[static_cast<std::size_t>(i)];
    const Tenths left = slotStart(i);
    const Tenths width = slotStart(i + 1) - left;
    const Tenths inset = width / 6;
    svg::OpenGroup(body, bar.title);
    svg::AppendStack(body, chart, bar, false, plotBottom, left + inset, width - 2 * inset,
                     axis.MaxMinutes(), kPlotHeight);
    if (i % labelEvery == 0) {
      svg::AppendText(body, left + width / 2, plotBottom + 160, "middle", "#222222",
                      svg::FitText(bar.label, kMostLabelWidth));
    }
    body += "</g>\n";
  }

  const Tenths legendBottom = svg::AppendLegend(body, chart, plotBottom + 320);
  const Tenths height = std::max(legendBottom, plotBottom + 240) + kMargin;
  return svg::Document(svg::kChartWidth, height, chart.caption, body);
}

}  // namespace tallyer
