#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "report/chart_data.h"

// Pieces the chart renderers share. Lengths are whole tenths of a pixel, so
// the text of a chart is the same on every platform.
namespace tallyer::svg {

using Tenths = long long;

inline constexpr Tenths kFontSize = 120;
inline constexpr Tenths kChartWidth = 7600;

// "12.5" for 125 tenths, "12" for 120.
std::string Px(Tenths length);

// Estimated width of a text in the chart font: wide characters one em, the
// others 0.6 em (no font metrics in the core).
Tenths TextWidth(std::string_view utf8);

// The text, or as much of it as fits followed by "…".
std::string FitText(std::string_view utf8, Tenths maxWidth);

// A time axis of whole hour-friendly steps: 0, step, 2 step … step × intervals.
struct TimeAxis {
  long long stepMinutes = 60;
  int intervals = 1;
  long long MaxMinutes() const { return stepMinutes * intervals; }
};
// The smallest step of 0.1, 0.2, 0.5, 1, 2, 2.5, 5, 10, 20, 25, 50 … hours
// that covers `maxMinutes` in at most six intervals.
TimeAxis ChooseTimeAxis(long long maxMinutes);

// Minutes as hours: "0", "1.5", "0.2", "250".
std::string HoursText(long long minutes);

// The length `minutes` takes on an axis of `axisMinutes` drawn `length` long.
Tenths Scale(long long minutes, long long axisMinutes, Tenths length);

// Sum of a bar's segments above zero.
long long BarMinutes(const ChartBar& bar);

void AppendRect(std::string& svg, Tenths x, Tenths y, Tenths width, Tenths height,
                std::string_view fill, std::string_view title);
void AppendLine(std::string& svg, Tenths x1, Tenths y1, Tenths x2, Tenths y2,
                std::string_view stroke);
// anchor: "start", "middle" or "end".
void AppendText(std::string& svg, Tenths x, Tenths y, std::string_view anchor,
                std::string_view fill, std::string_view utf8);

// "<g>" with a hover title when there is one, then a line end.
void OpenGroup(std::string& svg, std::string_view title);

// The drawn segments of one bar, stacked from `start` along x (horizontal) or
// up from `start` along y (vertical), each with its outline and title.
void AppendStack(std::string& svg, const ChartData& chart, const ChartBar& bar, bool horizontal,
                 Tenths start, Tenths across, Tenths thickness, long long axisMinutes,
                 Tenths length);

// The legend from `top`: one swatch and name per series with a drawn
// segment, in series order, wrapped to the chart width. Returns its bottom.
Tenths AppendLegend(std::string& svg, const ChartData& chart, Tenths top);

// The whole SVG text around a body.
std::string Document(Tenths width, Tenths height, std::string_view caption,
                     std::string_view body);

// The chart of no data: "データなし".
std::string NoDataDocument(std::string_view caption);

}  // namespace tallyer::svg
