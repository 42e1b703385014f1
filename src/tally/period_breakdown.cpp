#include "tally/period_breakdown.h"

#include <cstdio>
#include <string>

#include "tally/day_walk.h"

namespace tallyer {
namespace {

int DaysSinceMonday(const CalendarParts& p) { return (p.dayOfWeek + 5) % 7; }
// 年度: April to March, named by the year it starts in.
int FiscalYear(const CalendarParts& p) { return p.month >= 4 ? p.year : p.year - 1; }

// Equal for the days of one unit.
long long KeyOf(PeriodUnit unit, const CalendarParts& p, long long dayNumber) {
  switch (unit) {
    case PeriodUnit::kDay: return dayNumber;
    case PeriodUnit::kWeek: return dayNumber - DaysSinceMonday(p);
    case PeriodUnit::kMonth: return p.year * 12LL + p.month;
    case PeriodUnit::kYear: return p.year;
    case PeriodUnit::kFiscalYear: return FiscalYear(p);
  }
  return 0;
}

// "2025-01-06" for a day or a week (its Monday), "2025-01" for a month,
// "2025" for a year or a fiscal year.
std::string Label(PeriodUnit unit, const CalendarParts& p, long long dayNumber) {
  char text[32];
  switch (unit) {
    case PeriodUnit::kDay:
      std::snprintf(text, sizeof text, "%04d-%02d-%02d", p.year, p.month, p.day);
      break;
    case PeriodUnit::kWeek: {
      const CalendarParts monday =
          DateTime{static_cast<double>(dayNumber - DaysSinceMonday(p)), DateTime::kValid}.Parts();
      std::snprintf(text, sizeof text, "%04d-%02d-%02d", monday.year, monday.month, monday.day);
      break;
    }
    case PeriodUnit::kMonth:
      std::snprintf(text, sizeof text, "%04d-%02d", p.year, p.month);
      break;
    case PeriodUnit::kYear:
      std::snprintf(text, sizeof text, "%04d", p.year);
      break;
    case PeriodUnit::kFiscalYear:
      std::snprintf(text, sizeof text, "%04d", FiscalYear(p));
      break;
  }
  return text;
}

}  // namespace

UnitOfDay::UnitOfDay(PeriodUnit unit, const DateTime& firstDate, const DateTime& lastDate) {
  long long lastKey = 0;
  ForEachPeriodDay(firstDate, lastDate, [&](const DateTime& day) {
    const CalendarParts p = day.Parts();
    const long long number = CalendarDayKey(day);
    if (units_.empty()) firstDay_ = number;
    const long long key = KeyOf(unit, p, number);
    if (units_.empty() || key != lastKey) {
      units_.push_back(BreakdownPeriod{Label(unit, p, number), day, day});
      lastKey = key;
    }
    units_.back().to = DateTime::FromParts(p.year, p.month, p.day, 23, 59, 59);
    unitOfDay_.push_back(static_cast<int>(units_.size() - 1));
  });
  if (units_.empty()) return;
  // The first and last units end where the period does.
  if (firstDate.IsLaterThan(units_.front().from)) units_.front().from = firstDate;
  if (lastDate.IsEarlierThan(units_.back().to)) units_.back().to = lastDate;
}

std::vector<BreakdownPeriod> PeriodUnits(PeriodUnit unit, const DateTime& firstDate,
                                         const DateTime& lastDate) {
  return UnitOfDay(unit, firstDate, lastDate).TakeUnits();
}

std::size_t PeriodUnitCount(PeriodUnit unit, const DateTime& firstDate, const DateTime& lastDate) {
  std::size_t count = 0;
  long long lastKey = 0;
  ForEachPeriodDay(firstDate, lastDate, [&](const DateTime& day) {
    const long long key = KeyOf(unit, day.Parts(), CalendarDayKey(day));
    if (count == 0 || key != lastKey) ++count;
    lastKey = key;
  });
  return count;
}

}  // namespace tallyer
