#pragma once

#include <cmath>
#include <cstdint>

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

// Visits every calendar day of a period at 00:00, from the first date's day to
// the last date's day, whatever the times of day: a period that starts at
// 10:00 still covers its last day when that day ends it at 09:00.
template <typename Visit>
void ForEachPeriodDay(const DateTime& firstDate, const DateTime& lastDate, Visit visit) {
  if (!IsWalkablePeriod(firstDate, lastDate)) return;
  const DateTime lastDay = lastDate.CalendarDate();
  for (DateTime day = firstDate.CalendarDate(); !day.IsLaterThan(lastDay); day = day.PlusDays(1)) {
    visit(day);
  }
}

// The calendar day of a date-time as one comparable number (its day number,
// which needs no calendar arithmetic), or kNoDay when the value names no day.
inline constexpr long long kNoDay = INT64_MIN;
inline long long CalendarDayKey(const DateTime& t) {
  return t.HasCalendarParts() ? static_cast<long long>(t.DayNumber()) : kNoDay;
}

}  // namespace tallyer
