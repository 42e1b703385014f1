#pragma once

#include <string>

#include "report/chart_data.h"

namespace tallyer {

// Charts as SVG text that browsers and Qt SVG (SVG Tiny 1.2) draw alike:
// presentation attributes only, an explicit font family with Japanese fonts,
// coordinates in whole tenths of a pixel. Time axes are in hours on a shared
// scale; a chart whose bars are all empty says "データなし".

// One horizontal bar per ChartBar, its label on the left.
std::string RenderBarChart(const ChartData& chart);

// One vertical column per ChartBar, labels under the columns.
std::string RenderColumnChart(const ChartData& chart);

}  // namespace tallyer
