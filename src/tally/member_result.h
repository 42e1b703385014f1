#pragma once

#include <utility>
#include <vector>

#include "data/date_time.h"
#include "data/group.h"
#include "data/schedule.h"

namespace tallyer {

// The worth of one schedule in whole minutes: the span modulo one day
// (whole days of a span are not counted), seconds dropped.
int ScheduleMinutes(const CSchedule& schedule);

// The minute of the day a date-time falls on (seconds dropped); a value that
// names no time gives -61, which covers nothing.
int MinuteOfDay(const DateTime& t);

// The minutes of one day covered by at least one of the [from, to) minute
// intervals (sorts them).
int CoveredMinutes(std::vector<std::pair<int, int>>& intervals);

// The result of one tallied member: its schedules that survived every step,
// in the order of the context's list. Totals are computed on demand.
struct MemberResult {
  const CMember* member = nullptr;
  std::vector<const CSchedule*> schedules;

  long long MemberMinutes() const;
  // Minutes with overlapping time counted once, day by day over the calendar
  // days of the period.
  long long MemberMinutesNoOverlap(const DateTime& firstDate, const DateTime& lastDate) const;
  int MemberCount() const { return static_cast<int>(schedules.size()); }
};

}  // namespace tallyer
