#pragma once

#include <string>

#include "data/date_time.h"

namespace tallyer {

// The duration text of `minutes` in one of the four forms (0 "hh時間mm分",
// 1 "hh:mm", 2 "mm分", 3 "mm"); empty for any other form. CP932.
std::string FormatDuration(long long minutes, int durationFormat);

// "%d年%d月%d日" (or "%d月%d日" without the year), optionally followed by the
// weekday letter in ASCII parentheses. CP932.
std::string FormatDateText(const DateTime& date, bool withYear, bool withWeekday);

}  // namespace tallyer
