#pragma once

#include <cmath>

#include "data/date_time.h"

namespace tallyer {

// Whether a day-by-day walk from firstDate to lastDate stays within the days
// the calendar can name (years 100 to 9999). Other values only come from
// damaged input; walking them could take forever, so they visit no day.
inline bool IsWalkablePeriod(const DateTime& firstDate, const DateTime& lastDate) {
  constexpr double kLowest = -657434.0;   // 0100-01-01
  constexpr double kHighest = 2958466.0;  // the day after 9999-12-31
  const auto inRange = [&](double v) { return std::isfinite(v) && v >= kLowest && v < kHighest; };
  return inRange(firstDate.value) && inRange(lastDate.value);
}

// The calendar day of a date-time as one comparable number, or -1 when the
// value names no day.
inline long CalendarDayKey(const DateTime& t) {
  const CalendarParts p = t.Parts();
  if (p.year < 0) return -1;
  return (static_cast<long>(p.year) * 100 + p.month) * 100 + p.day;
}

}  // namespace tallyer
