#include "data/date_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tallyer {
namespace {

DateTime Valid(double value) { return DateTime{value, DateTime::kValid}; }

struct PartsCase {
  double value;
  int year, month, day, hour, minute, second;
};

class CalendarPartsTest : public ::testing::TestWithParam<PartsCase> {};

TEST_P(CalendarPartsTest, ValueGivesCalendarPartsToTheNearestSecond) {
  const PartsCase& c = GetParam();
  const CalendarParts p = Valid(c.value).Parts();
  EXPECT_EQ(p.year, c.year);
  EXPECT_EQ(p.month, c.month);
  EXPECT_EQ(p.day, c.day);
  EXPECT_EQ(p.hour, c.hour);
  EXPECT_EQ(p.minute, c.minute);
  EXPECT_EQ(p.second, c.second);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, CalendarPartsTest,
    ::testing::Values(PartsCase{0.0, 1899, 12, 30, 0, 0, 0}, PartsCase{0.5, 1899, 12, 30, 12, 0, 0},
                      PartsCase{38504.0, 2005, 6, 1, 0, 0, 0},
                      // under a tenth of a second before midnight rounds into the next day
                      PartsCase{38504.999999, 2005, 6, 2, 0, 0, 0},
                      PartsCase{38504.375, 2005, 6, 1, 9, 0, 0},
                      PartsCase{38504.0 + 59.4 / 86400, 2005, 6, 1, 0, 0, 59},
                      PartsCase{38504.0 + 59.6 / 86400, 2005, 6, 1, 0, 1, 0},
                      PartsCase{-1.25, 1899, 12, 29, 6, 0, 0}, PartsCase{-1.0, 1899, 12, 29, 0, 0, 0},
                      PartsCase{1.0, 1899, 12, 31, 0, 0, 0}, PartsCase{60.0, 1900, 2, 28, 0, 0, 0},
                      PartsCase{61.0, 1900, 3, 1, 0, 0, 0}, PartsCase{36585.0, 2000, 2, 29, 0, 0, 0},
                      PartsCase{-657434.0, 100, 1, 1, 0, 0, 0},
                      PartsCase{2958465.0, 9999, 12, 31, 0, 0, 0}));

TEST(DateTimeTest, WeekdayAndDayOfYear) {
  const CalendarParts june = Valid(38504.0).Parts();  // a Wednesday
  EXPECT_EQ(june.dayOfWeek, 4);
  EXPECT_EQ(june.dayOfYear, 152);
  const CalendarParts start = Valid(0.0).Parts();  // a Saturday
  EXPECT_EQ(start.dayOfWeek, 7);
  EXPECT_EQ(start.dayOfYear, 364);
  const CalendarParts before = Valid(-1.25).Parts();
  EXPECT_EQ(before.dayOfWeek, 6);
  const CalendarParts last = Valid(2958465.0).Parts();
  EXPECT_EQ(last.dayOfWeek, 6);
  EXPECT_EQ(last.dayOfYear, 365);
}

void ExpectNoParts(const DateTime& t) {
  const CalendarParts p = t.Parts();
  EXPECT_EQ(p.year, -1);
  EXPECT_EQ(p.month, -1);
  EXPECT_EQ(p.day, -1);
  EXPECT_EQ(p.hour, -1);
  EXPECT_EQ(p.minute, -1);
  EXPECT_EQ(p.second, -1);
  EXPECT_EQ(p.dayOfWeek, -1);
  EXPECT_EQ(p.dayOfYear, -1);
}

TEST(DateTimeTest, ValuesWithoutCalendarPartsReadMinusOne) {
  ExpectNoParts(DateTime{38504.5, DateTime::kNull});
  ExpectNoParts(DateTime{38504.5, DateTime::kInvalid});
  ExpectNoParts(DateTime{38504.5, 7});
  ExpectNoParts(Valid(-657434.0001));
  ExpectNoParts(Valid(2958465.0001));
  ExpectNoParts(Valid(std::numeric_limits<double>::quiet_NaN()));
  ExpectNoParts(Valid(std::numeric_limits<double>::infinity()));
  ExpectNoParts(Valid(-std::numeric_limits<double>::infinity()));
}

TEST(DateTimeTest, ValuesBeyondTheCalendarGiveNoDayNumberTimeOfDayOrDate) {
  // A damaged file can hold any f64: none of them may reach an integer conversion.
  const double two63 = 9223372036854775808.0;
  for (double v : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                   -std::numeric_limits<double>::infinity(), 1e300, -1e300, two63, -two63, two63 / 1440,
                   -two63 / 1440, std::numeric_limits<double>::max(), std::numeric_limits<double>::lowest(),
                   2958466.375, -657435.375}) {
    SCOPED_TRACE(v);
    const DateTime t = Valid(v);
    ExpectNoParts(t);
    EXPECT_FALSE(t.HasCalendarParts());
    EXPECT_EQ(t.DayNumber(), 0);
    EXPECT_EQ(t.SecondOfDay(), -1);
    const DateTime date = t.CalendarDate();
    EXPECT_TRUE(date.value == v || (std::isnan(v) && std::isnan(date.value)));
    EXPECT_EQ(std::isnan(t.Linear()), std::isnan(v));
  }
}

TEST(DateTimeTest, FromPartsAddsTheTimeOfDayAsAFraction) {
  EXPECT_EQ(DateTime::FromParts(2005, 6, 1).value, 38504.0);
  EXPECT_EQ(DateTime::FromParts(2005, 6, 1, 9, 0, 0).value, 38504.375);
  EXPECT_EQ(DateTime::FromParts(1899, 12, 30, 12).value, 0.5);
  EXPECT_EQ(DateTime::FromParts(1899, 12, 30, 12).status, DateTime::kValid);
  // Before day 0 the whole part counts toward the past and the fraction is subtracted.
  EXPECT_EQ(DateTime::FromParts(1899, 12, 29, 6).value, -1.25);
  EXPECT_EQ(DateTime::FromParts(100, 1, 1).value, -657434.0);
  EXPECT_EQ(DateTime::FromParts(9999, 12, 31).value, 2958465.0);
}

struct InvalidParts {
  int year, month, day, hour, minute, second;
};

class FromPartsInvalidTest : public ::testing::TestWithParam<InvalidParts> {};

TEST_P(FromPartsInvalidTest, OutOfRangePartsGiveTheInvalidStatus) {
  const InvalidParts& c = GetParam();
  const DateTime t = DateTime::FromParts(c.year, c.month, c.day, c.hour, c.minute, c.second);
  EXPECT_EQ(t.status, DateTime::kInvalid);
  EXPECT_FALSE(t.IsValid());
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, FromPartsInvalidTest,
    ::testing::Values(InvalidParts{99, 12, 31, 0, 0, 0}, InvalidParts{10000, 1, 1, 0, 0, 0},
                      InvalidParts{2005, 0, 1, 0, 0, 0}, InvalidParts{2005, 13, 1, 0, 0, 0},
                      InvalidParts{2005, 6, 0, 0, 0, 0}, InvalidParts{2005, 6, 31, 0, 0, 0},
                      InvalidParts{2005, 2, 29, 0, 0, 0}, InvalidParts{1900, 2, 29, 0, 0, 0},
                      InvalidParts{2005, 6, 1, 24, 0, 0}, InvalidParts{2005, 6, 1, -1, 0, 0},
                      InvalidParts{2005, 6, 1, 0, 60, 0}, InvalidParts{2005, 6, 1, 0, -1, 0},
                      InvalidParts{2005, 6, 1, 0, 0, 60}, InvalidParts{2005, 6, 1, 0, 0, -1},
                      InvalidParts{-2005, 6, 1, 0, 0, 0}));

TEST(DateTimeTest, LeapDaysAreValidWhereTheCalendarHasThem) {
  EXPECT_TRUE(DateTime::FromParts(2004, 2, 29).IsValid());
  EXPECT_TRUE(DateTime::FromParts(2000, 2, 29).IsValid());
  EXPECT_EQ(DaysInMonth(1900, 2), 28);
  EXPECT_EQ(DaysInMonth(2000, 2), 29);
  EXPECT_EQ(DaysInMonth(2005, 4), 30);
  EXPECT_EQ(DaysInMonth(2005, 12), 31);
}

TEST(DateTimeTest, PartsAndFromPartsAgreeOverTheWholeRange) {
  for (int year = 100; year <= 9999; year += 37) {
    for (int month = 1; month <= 12; month += 5) {
      const int day = DaysInMonth(year, month);
      const DateTime t = DateTime::FromParts(year, month, day, 23, 59, 59);
      const CalendarParts p = t.Parts();
      ASSERT_EQ(p.year, year);
      ASSERT_EQ(p.month, month);
      ASSERT_EQ(p.day, day);
      ASSERT_EQ(p.hour, 23);
      ASSERT_EQ(p.minute, 59);
      ASSERT_EQ(p.second, 59);
    }
  }
}

TEST(DateTimeTest, LinearOrderRunsWithTimeAlsoBeforeDayZero) {
  const DateTime early{-1.75, DateTime::kValid};  // 1899-12-29 18:00
  const DateTime late{-1.25, DateTime::kValid};   // 1899-12-29 06:00
  EXPECT_EQ(late.Linear(), -0.75);
  EXPECT_TRUE(early.IsLaterThan(late));
  EXPECT_TRUE(late.IsEarlierThan(early));
  EXPECT_TRUE(Valid(0.25).IsLaterThan(early));
}

TEST(DateTimeTest, InfiniteValuesLieAtTheEndsOfTheTimeLine) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(Valid(-inf).Linear(), -inf);
  EXPECT_TRUE(Valid(-inf).IsEarlierThan(Valid(-657434.0)));
  EXPECT_TRUE(Valid(inf).IsLaterThan(Valid(2958465.0)));
}

TEST(DateTimeTest, CalendarDateDropsTheTimeOfDay) {
  EXPECT_EQ(Valid(38504.75).CalendarDate().value, 38504.0);
  EXPECT_EQ(Valid(38504.999999).CalendarDate().value, 38505.0);
  EXPECT_EQ(Valid(-1.25).CalendarDate().value, -1.0);
  EXPECT_EQ(Valid(38504.75).DayNumber(), 38504);
}

}  // namespace
}  // namespace tallyer
