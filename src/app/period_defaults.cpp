#include "app/period_defaults.h"

#include <algorithm>

#include "app/qt_text.h"

namespace tallyer {

QDate OneMonthBack(const QDate& date) {
  if (date.month() == 1) return QDate(date.year() - 1, 12, date.day());
  const int month = date.month() - 1;
  return QDate(date.year(), month, std::min(date.day(), DaysInMonth(date.year(), month)));
}

DefaultPeriod MakeDefaultPeriod(const QDateTime& now) {
  const QDate first = OneMonthBack(now.date().addDays(1));
  return {DateTime::FromParts(first.year(), first.month(), first.day()), FromQDateTime(now)};
}

}  // namespace tallyer
