#pragma once

#include <cstddef>
#include <vector>

#include "tally/tally_result.h"

namespace tallyer {

// The calendar days of a period and the unit of `unit` each lies in.
class UnitOfDay {
 public:
  UnitOfDay(PeriodUnit unit, const DateTime& firstDate, const DateTime& lastDate);

  // The unit of a day number (CalendarDayKey), -1 outside the period.
  int Of(long long dayNumber) const {
    const long long i = dayNumber - firstDay_;
    if (i < 0 || i >= static_cast<long long>(unitOfDay_.size())) return -1;
    return unitOfDay_[static_cast<std::size_t>(i)];
  }
  // The units the days touch, in order, each with its label and its bounds
  // clipped to the period.
  const std::vector<BreakdownPeriod>& Units() const { return units_; }
  std::vector<BreakdownPeriod> TakeUnits() { return std::move(units_); }

 private:
  std::vector<BreakdownPeriod> units_;
  std::vector<int> unitOfDay_;
  long long firstDay_ = 0;
};

// The units of `unit` that the calendar days of the period touch, in order,
// each with its label and its bounds clipped to the period.
std::vector<BreakdownPeriod> PeriodUnits(PeriodUnit unit, const DateTime& firstDate,
                                         const DateTime& lastDate);

// How many units PeriodUnits gives, without making them: for checking a
// period against a limit before the run.
std::size_t PeriodUnitCount(PeriodUnit unit, const DateTime& firstDate, const DateTime& lastDate);

}  // namespace tallyer
