#include "tally/member_result.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <deque>
#include <limits>
#include <random>

#include "support/archive_writer.h"

namespace tallyer {
namespace {

using testing::At;

CSchedule Span(DateTime start, DateTime end) {
  CSchedule s;
  s.start = start;
  s.end = end;
  return s;
}

struct MinutesCase {
  const char* name;
  const char* start;
  const char* end;
  int minutes;
};

class ScheduleMinutesTest : public ::testing::TestWithParam<MinutesCase> {};

TEST_P(ScheduleMinutesTest, CountsTheSpanModuloOneDay) {
  EXPECT_EQ(ScheduleMinutes(Span(At(GetParam().start), At(GetParam().end))), GetParam().minutes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScheduleMinutesTest,
    ::testing::Values(MinutesCase{"ninetyMinutes", "2005-06-01 09:00", "2005-06-01 10:30", 90},
                      MinutesCase{"acrossMidnight", "2005-06-01 22:00", "2005-06-02 01:00", 180},
                      MinutesCase{"wholeDay", "2005-06-01 09:00", "2005-06-02 09:00", 0},
                      MinutesCase{"dayAndAnHour", "2005-06-01 09:00", "2005-06-02 10:00", 60},
                      MinutesCase{"threeDaysAndAMinute", "2005-06-01 09:00", "2005-06-04 09:01", 1},
                      MinutesCase{"almostADay", "2005-06-01 00:00", "2005-06-01 23:59", 1439},
                      MinutesCase{"zeroLength", "2005-06-01 18:00", "2005-06-01 18:00", 0},
                      MinutesCase{"secondsDropped", "2005-06-01 09:00:00", "2005-06-01 09:01:59", 1},
                      MinutesCase{"beforeTheEpoch", "1899-12-29 06:00", "1899-12-30 07:30", 90},
                      MinutesCase{"farFuture", "9999-12-30 08:00", "9999-12-30 17:45", 585}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScheduleMinutesTest, InvalidDatesAreWorthNothing) {
  EXPECT_EQ(ScheduleMinutes(Span(DateTime{38000.5, DateTime::kInvalid}, At("2005-06-01 10:00"))), 0);
  EXPECT_EQ(ScheduleMinutes(Span(At("2005-06-01 10:00"), DateTime{0.0, DateTime::kNull})), 0);
}

TEST(ScheduleMinutesTest, ValuesThatAreNoNumberAreWorthNothing) {
  // A damaged month file can hold any f64 under the valid status.
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(ScheduleMinutes(Span(At("2005-06-01 10:00"), DateTime{nan, DateTime::kValid})), 0);
  EXPECT_EQ(ScheduleMinutes(Span(DateTime{nan, DateTime::kValid}, At("2005-06-01 10:00"))), 0);
  EXPECT_EQ(ScheduleMinutes(Span(At("2005-06-01 10:00"), DateTime{inf, DateTime::kValid})), 0);
  EXPECT_EQ(ScheduleMinutes(Span(DateTime{inf, DateTime::kValid}, DateTime{inf, DateTime::kValid})), 0);
}

// The worth as the reals give it, with the library's fractional part: the
// tally must agree on every finite span, huge, negative or fractional.
TEST(ScheduleMinutesTest, AgreesWithTheLibrarysFractionalPartOnAnySpan) {
  const auto reference = [](const DateTime& start, const DateTime& end) {
    const double d = end.Linear() - start.Linear();
    if (!std::isfinite(d)) return 0;
    double whole = 0;
    constexpr double kHalfSecond = 1.0 / 172800.0;
    int hours = static_cast<int>((std::modf(d, &whole) + kHalfSecond) * 24);
    if (hours >= 24) hours -= 24;
    int minutes = static_cast<int>((std::modf(d * 24, &whole) + kHalfSecond) * 60);
    if (minutes >= 60) minutes -= 60;
    return hours * 60 + minutes;
  };
  std::mt19937_64 dice(20251207);
  for (int i = 0; i < 20000; ++i) {
    // Spans of minutes, days, years and far beyond, either way round.
    const double scale = std::pow(10.0, static_cast<double>(dice() % 40) - 6);
    const double from = std::uniform_real_distribution<double>(-1e5, 3e6)(dice);
    const DateTime start{from, DateTime::kValid};
    const DateTime end{from + std::uniform_real_distribution<double>(-scale, scale)(dice), DateTime::kValid};
    ASSERT_EQ(ScheduleMinutes(Span(start, end)), reference(start, end))
        << std::hexfloat << start.value << " " << end.value;
  }
}

// A member's schedules built from "start", "end" texts.
class MemberTotalsTest : public ::testing::Test {
 protected:
  MemberResult Member(std::initializer_list<std::pair<const char*, const char*>> spans) {
    MemberResult result;
    for (const auto& [start, end] : spans) {
      storage.push_back(Span(At(start), At(end)));
      result.schedules.push_back(&storage.back());
    }
    return result;
  }
  std::deque<CSchedule> storage;
};

TEST_F(MemberTotalsTest, OverlapCountedOnceOnlyInTheOverlapFreeTotal) {
  const MemberResult m = Member({{"2005-06-01 09:00", "2005-06-01 11:00"}, {"2005-06-01 10:00", "2005-06-01 12:00"}});
  EXPECT_EQ(m.MemberMinutes(), 240);
  EXPECT_EQ(m.MemberMinutesNoOverlap(At("2005-06-01"), At("2005-06-30")), 180);
  EXPECT_EQ(m.MemberCount(), 2);
}

TEST_F(MemberTotalsTest, OverlapFreeTotalUsesTheFirstDayStretchOnly) {
  const DateTime first = At("2005-06-01"), last = At("2005-06-30");
  // Crossing midnight: worth 180, but nothing without overlaps.
  EXPECT_EQ(Member({{"2005-06-01 22:00", "2005-06-02 01:00"}}).MemberMinutes(), 180);
  EXPECT_EQ(Member({{"2005-06-01 22:00", "2005-06-02 01:00"}}).MemberMinutesNoOverlap(first, last), 0);
  // More than a day: only start-to-end time of day, on the first day.
  EXPECT_EQ(Member({{"2005-06-01 09:00", "2005-06-03 11:00"}}).MemberMinutesNoOverlap(first, last), 120);
  // Seconds are ignored.
  EXPECT_EQ(Member({{"2005-06-01 09:00:40", "2005-06-01 09:10:20"}}).MemberMinutesNoOverlap(first, last), 10);
}

TEST_F(MemberTotalsTest, OverlapFreeTotalAddsDaysAndMergesIntervals) {
  const MemberResult m = Member({{"2005-06-01 09:00", "2005-06-01 10:00"},
                                 {"2005-06-01 10:00", "2005-06-01 11:00"},   // adjacent
                                 {"2005-06-01 09:15", "2005-06-01 09:45"},   // inside
                                 {"2005-06-01 09:00", "2005-06-01 10:00"},   // the same again
                                 {"2005-06-02 00:00", "2005-06-02 23:59"},
                                 {"2005-06-03 12:00", "2005-06-03 12:00"}}); // zero length
  EXPECT_EQ(m.MemberMinutes(), 60 + 60 + 30 + 60 + 1439);
  EXPECT_EQ(m.MemberMinutesNoOverlap(At("2005-06-01"), At("2005-06-03")), 120 + 1439);
  EXPECT_EQ(m.MemberCount(), 6);
}

TEST_F(MemberTotalsTest, OverlapFreeTotalCountsEveryCalendarDayOfThePeriod) {
  const MemberResult m = Member({{"2005-05-31 09:00", "2005-05-31 10:00"},
                                 {"2005-06-01 09:00", "2005-06-01 10:00"},
                                 {"2005-06-03 09:00", "2005-06-03 10:00"},
                                 {"2005-06-04 09:00", "2005-06-04 10:00"}});
  EXPECT_EQ(m.MemberMinutesNoOverlap(At("2005-06-01 08:00"), At("2005-06-03 08:00")), 120);
  // The first date's time of day later than the last date's: the last day is
  // still a day of the period.
  EXPECT_EQ(m.MemberMinutesNoOverlap(At("2005-06-01 09:00"), At("2005-06-03 08:59")), 120);
  EXPECT_EQ(m.MemberMinutesNoOverlap(At("2005-06-01 23:59"), At("2005-06-03 00:00")), 120);
  // Days, not instants, like the period filter: one day whatever the times.
  EXPECT_EQ(m.MemberMinutesNoOverlap(At("2005-06-03 10:00"), At("2005-06-03 09:00")), 60);
  EXPECT_EQ(m.MemberMinutesNoOverlap(At("2005-06-03 00:00"), At("2005-06-01 00:00")), 0);
  EXPECT_EQ(MemberResult{}.MemberMinutesNoOverlap(At("2005-06-01"), At("2005-06-30")), 0);
  EXPECT_EQ(MemberResult{}.MemberMinutes(), 0);
}

TEST_F(MemberTotalsTest, OverlapFreeTotalIgnoresDatesThatNameNoDay) {
  const MemberResult m = Member({{"2005-06-01 09:00", "2005-06-01 10:00"}});
  EXPECT_EQ(m.MemberMinutesNoOverlap(At("2005-06-01"), DateTime{1e300, DateTime::kValid}), 0);
  EXPECT_EQ(m.MemberMinutesNoOverlap(DateTime{-1e300, DateTime::kValid}, At("2005-06-01")), 0);
  storage.push_back(Span(DateTime{0.0, DateTime::kNull}, At("1899-12-30 10:00")));
  MemberResult withNull = m;
  withNull.schedules.push_back(&storage.back());
  EXPECT_EQ(withNull.MemberMinutesNoOverlap(At("1899-12-30"), At("2005-06-01")), 60);
}

// The overlap-free total with a map of 1440 minute flags per calendar day of
// the period and a scan of all the member's schedules for each day.
long long FlagMapTotal(const MemberResult& m, DateTime first, DateTime last) {
  long long total = 0;
  for (double d = std::floor(first.value); d <= std::floor(last.value); d += 1) {
    const DateTime cursor{d, DateTime::kValid};
    std::array<bool, 1440> flags{};
    const CalendarParts day = cursor.Parts();
    for (const CSchedule* s : m.schedules) {
      const CalendarParts a = s->start.Parts(), b = s->end.Parts();
      if (a.year != day.year || a.month != day.month || a.day != day.day) continue;
      for (int i = a.hour * 60 + a.minute; i < b.hour * 60 + b.minute; ++i) flags[i] = true;
    }
    for (bool f : flags) total += f;
  }
  return total;
}

TEST_F(MemberTotalsTest, OverlapFreeTotalMatchesTheMinuteFlagMap) {
  std::mt19937 rng(5);
  const DateTime base = At("2005-06-01");
  for (int round = 0; round < 200; ++round) {
    MemberResult m;
    const int n = static_cast<int>(rng() % 15);
    for (int i = 0; i < n; ++i) {
      const double start = base.value + rng() % 6 + (rng() % 1440) / 1440.0;
      const double end = start + (rng() % 3000) / 1440.0 - 0.2;
      storage.push_back(Span(DateTime{start, DateTime::kValid}, DateTime{end, DateTime::kValid}));
      m.schedules.push_back(&storage.back());
    }
    const DateTime first = base.PlusDays(rng() % 3 + (rng() % 1440) / 1440.0);
    const DateTime last = base.PlusDays(rng() % 6 + (rng() % 1440) / 1440.0);
    ASSERT_EQ(m.MemberMinutesNoOverlap(first, last), FlagMapTotal(m, first, last)) << round;
  }
}

}  // namespace
}  // namespace tallyer
