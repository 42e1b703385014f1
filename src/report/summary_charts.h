#pragma once

#include <string>

#include "report/chart_data.h"
#include "tally/tally_result.h"

namespace tallyer {

// The charts of a result, as the summary page and the window show them.

// One bar per member on a shared scale; in modes 2 to 4 stacked by the ten
// categories with the most team minutes, the rest as その他.
ChartData MemberChartOf(const TallyResult& result);
std::string MemberChartSvg(const TallyResult& result);

// The team's time per unit of the breakdown, stacked by the ten members with
// the most minutes; no bars without a breakdown.
ChartData BreakdownChartOf(const TallyResult& result);

// The name of a row's category as the reader sees it (UTF-8): the type name
// or "#rrggbb" in modes 2 and 3, the content in mode 4.
std::string CategoryName(const TallyResult& result, const TallyRow& row);

}  // namespace tallyer
