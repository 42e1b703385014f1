#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "report/rgb_color.h"

namespace tallyer {

// What a chart shows, in UTF-8 texts: bars made of stacked segments, each
// segment belonging to one coloured series named in the legend.
struct ChartSeries {
  std::string name;
  Rgb color;
};

struct ChartSegment {
  std::size_t series = 0;  // index into ChartData::series
  long long minutes = 0;   // zero or less: not drawn
  std::string title;       // hover text; empty for none
};

struct ChartBar {
  std::string label;
  std::string title;      // hover text of the whole bar
  std::string valueText;  // written after the bar end (bar chart only); may be empty
  std::vector<ChartSegment> segments;  // stacked in this order
};

struct ChartData {
  std::string caption;  // the chart's own title, for screen readers and hovering
  std::vector<ChartSeries> series;
  std::vector<ChartBar> bars;
  bool legend = true;  // series with a drawn segment are named below the chart
};

}  // namespace tallyer
