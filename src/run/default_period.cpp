#include "run/default_period.h"

#include <algorithm>

namespace tallyer {

DateTime OneMonthBack(const DateTime& date) {
  const CalendarParts p = date.Parts();
  if (p.month == 1) return DateTime::FromParts(p.year - 1, 12, p.day);
  const int month = p.month - 1;
  return DateTime::FromParts(p.year, month, std::min(p.day, DaysInMonth(p.year, month)));
}

DateTime DefaultFirstDate(const DateTime& now) {
  return OneMonthBack(now.CalendarDate().PlusDays(1));
}

}  // namespace tallyer
