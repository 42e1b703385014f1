#pragma once

#include <cstddef>
#include <vector>

#include "tally/member_result.h"
#include "tally/tally_result.h"

namespace tallyer {

// The units of `unit` that the calendar days of the period touch, in order,
// each with its label and its bounds clipped to the period.
std::vector<BreakdownPeriod> PeriodUnits(PeriodUnit unit, const DateTime& firstDate,
                                         const DateTime& lastDate);

// How many units PeriodUnits gives, without making them: for checking a
// period against a limit before the run.
std::size_t PeriodUnitCount(PeriodUnit unit, const DateTime& firstDate, const DateTime& lastDate);

// The members' schedules split by the units of the period, in one pass over
// them: each schedule counts in the unit its start lies in, with its minutes
// as the run figures them (in mode 1 under noOverlap the overlap-free minutes
// of each of the unit's days). results[i] gives memberCells[i].
PeriodBreakdown BuildPeriodBreakdown(const std::vector<MemberResult>& results,
                                     const TallySettings& settings);

}  // namespace tallyer
