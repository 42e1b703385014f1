#include "tally/member_result.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <utility>

#include "tally/day_walk.h"
#include "tally/schedule_prefetch.h"

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

std::vector<std::pair<long long, int>> MemberResult::MinutesNoOverlapByDay(
    const DateTime& firstDate, const DateTime& lastDate) const {
  // The member's minute intervals grouped by the day they start on, so each
  // visited day looks only at its own schedules.
  std::unordered_map<long long, std::vector<std::pair<int, int>>> days;
  for (std::size_t i = 0; i < schedules.size(); ++i) {
    PrefetchAhead(schedules, i);
    const CSchedule* s = schedules[i];
    const long long day = CalendarDayKey(s->start);
    if (day == kNoDay) continue;
    const int a = MinuteOfDay(s->start);
    const int b = MinuteOfDay(s->end);  // the end's own time of day, whatever its date
    if (b > a) days[day].emplace_back(a, b);
  }
  std::vector<std::pair<long long, int>> covered;
  if (days.empty()) return covered;
  ForEachPeriodDay(firstDate, lastDate, [&](const DateTime& cursor) {
    const long long day = CalendarDayKey(cursor);
    const auto it = days.find(day);
    if (it != days.end()) covered.emplace_back(day, CoveredMinutes(it->second));
  });
  return covered;
}

long long MemberResult::MemberMinutesNoOverlap(const DateTime& firstDate,
                                               const DateTime& lastDate) const {
  long long total = 0;
  for (const auto& [day, minutes] : MinutesNoOverlapByDay(firstDate, lastDate)) total += minutes;
  return total;
}

}  // namespace tallyer
