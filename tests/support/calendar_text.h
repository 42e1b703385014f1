#pragma once

#include <cstdio>
#include <string>

#include "data/date_time.h"

namespace tallyer::testing {

// "yyyy-mm-dd hh:mm:ss" of a date-time's calendar parts, for readable expectations.
inline std::string CalendarText(const DateTime& t) {
  const CalendarParts p = t.Parts();
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day,
                p.hour, p.minute, p.second);
  return buffer;
}

// Monday to Friday outside the New Year and year-end holidays: the days the
// generated sample and benchmark groups have schedules on.
inline bool IsWorkingDay(int year, int month, int day) {
  const int weekday = DateTime::FromParts(year, month, day).Parts().dayOfWeek;  // 1 = Sunday
  if (weekday == 1 || weekday == 7) return false;
  if (month == 1 && day <= 3) return false;
  if (month == 12 && day >= 29) return false;
  return true;
}

}  // namespace tallyer::testing
