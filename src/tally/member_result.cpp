#include "tally/member_result.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "tally/schedule_prefetch.h"
#include "tally/tally_accumulator.h"

namespace tallyer {
namespace {

constexpr double kHalfSecond = 1.0 / 172800.0;  // in days; absorbs rounding of the reals

// The fractional part of x exactly as std::modf gives it (but for the sign
// of a zero, which the callers add a positive number to), without the call:
// below 2^62 the conversion to an integer truncates exactly.
double Fraction(double x) {
  if (std::fabs(x) < 0x1p62) return x - static_cast<double>(static_cast<long long>(x));
  double whole = 0;
  return std::modf(x, &whole);
}

}  // namespace

int MinuteOfDay(const DateTime& t) {
  const int second = t.SecondOfDay();
  return second < 0 ? -61 : second / 60;  // -61 (hour and minute -1) counts nothing
}

int CoveredMinutes(std::vector<std::pair<int, int>>& intervals) {
  std::sort(intervals.begin(), intervals.end());
  int covered = 0;
  int reached = 0;
  for (const auto& [from, to] : intervals) {
    const int begin = std::max(from, reached);
    if (to > begin) {
      covered += to - begin;
      reached = to;
    }
  }
  return covered;
}

int ScheduleMinutes(const CSchedule& schedule) {
  double d = (schedule.start.IsValid() && schedule.end.IsValid())
                 ? schedule.end.Linear() - schedule.start.Linear()
                 : 0.0;
  // A damaged file's NaN or infinite dates make no span (and no number to truncate).
  if (!std::isfinite(d)) d = 0.0;
  int hours = static_cast<int>((Fraction(d) + kHalfSecond) * 24);
  if (hours >= 24) hours -= 24;
  int minutes = static_cast<int>((Fraction(d * 24) + kHalfSecond) * 60);
  if (minutes >= 60) minutes -= 60;
  return hours * 60 + minutes;
}

long long MemberResult::MemberMinutes() const {
  long long total = 0;
  for (std::size_t i = 0; i < schedules.size(); ++i) {
    PrefetchAhead(schedules, i);
    total += ScheduleMinutes(*schedules[i]);
  }
  return total;
}

long long MemberResult::MemberMinutesNoOverlap(const DateTime& firstDate,
                                               const DateTime& lastDate) const {
  TallySettings settings;
  settings.mode = kModeTotal;
  settings.noOverlap = true;
  settings.firstDate = firstDate;
  settings.lastDate = lastDate;
  TallyAccumulator sums(settings, nullptr, {member});
  sums.AddAll({*this});
  return sums.Finish({}, DateTime{}).members.front().figures.minutes;
}

}  // namespace tallyer
