#include "report/duration_text.h"

#include <gtest/gtest.h>

#include <limits>

#include "data/cp932.h"

namespace tallyer {
namespace {

struct DurationCase {
  long long minutes;
  int format;
  const char* expected;  // UTF-8
};

class FormatDurationTest : public ::testing::TestWithParam<DurationCase> {};

TEST_P(FormatDurationTest, WritesTheFormOfTheRun) {
  const DurationCase& c = GetParam();
  EXPECT_EQ(FormatDuration(c.minutes, c.format), Utf8ToCp932(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    AllForms, FormatDurationTest,
    ::testing::Values(DurationCase{0, 0, "0時間00分"}, DurationCase{45, 0, "0時間45分"},
                      DurationCase{59, 0, "0時間59分"}, DurationCase{60, 0, "1時間00分"},
                      DurationCase{61, 0, "1時間01分"}, DurationCase{1500, 0, "25時間00分"},
                      DurationCase{0, 1, "0:00"}, DurationCase{45, 1, "0:45"},
                      DurationCase{59, 1, "0:59"}, DurationCase{60, 1, "1:00"},
                      DurationCase{61, 1, "1:01"}, DurationCase{1500, 1, "25:00"},
                      DurationCase{0, 2, "0分"}, DurationCase{45, 2, "45分"},
                      DurationCase{61, 2, "61分"}, DurationCase{1500, 2, "1500分"},
                      DurationCase{0, 3, "0"}, DurationCase{45, 3, "45"},
                      DurationCase{61, 3, "61"}, DurationCase{1500, 3, "1500"},
                      // Truncation toward zero: a negative hour part and remainder.
                      DurationCase{-61, 0, "-1時間-1分"}, DurationCase{-61, 1, "-1:-1"},
                      DurationCase{-5, 1, "0:-5"}, DurationCase{-61, 2, "-61分"},
                      // Hours have no upper limit.
                      DurationCase{6000000000LL, 1, "100000000:00"},
                      // No form selected: every duration text is empty.
                      DurationCase{0, -1, ""}, DurationCase{150, 4, ""},
                      DurationCase{150, 1000, ""}));

TEST(FormatDurationBytes, UnitsAreCp932) {
  EXPECT_EQ(FormatDuration(150, 0), "2\x8e\x9e\x8a\xd4" "30\x95\xaa");
}

struct DateCase {
  int year, month, day;
  bool withYear, withWeekday;
  const char* expected;  // UTF-8
};

class FormatDateTextTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(FormatDateTextTest, WritesUnpaddedDateAndWeekday) {
  const DateCase& c = GetParam();
  EXPECT_EQ(FormatDateText(DateTime::FromParts(c.year, c.month, c.day, 13, 45), c.withYear,
                           c.withWeekday),
            Utf8ToCp932(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Dates, FormatDateTextTest,
    ::testing::Values(DateCase{2005, 6, 1, true, true, "2005年6月1日(水)"},
                      DateCase{2005, 6, 30, true, true, "2005年6月30日(木)"},
                      DateCase{2005, 4, 1, true, true, "2005年4月1日(金)"},
                      DateCase{2005, 4, 30, true, true, "2005年4月30日(土)"},
                      DateCase{2005, 6, 5, true, true, "2005年6月5日(日)"},
                      DateCase{2005, 6, 6, true, true, "2005年6月6日(月)"},
                      DateCase{2005, 6, 7, true, true, "2005年6月7日(火)"},
                      DateCase{2005, 12, 31, false, true, "12月31日(土)"},
                      DateCase{2005, 12, 31, true, false, "2005年12月31日"},
                      DateCase{2005, 1, 2, false, false, "1月2日"}));

TEST(FormatDateTextBytes, PeriodDateIsCp932WithAsciiParentheses) {
  EXPECT_EQ(FormatDateText(DateTime::FromParts(2005, 6, 1), true, true),
            "2005\x94N6\x8c\x8e" "1\x93\xfa(\x90\x85)");
}

TEST(FormatDateTextBytes, ValueWithoutCalendarPartsHasNoWeekdayLetter) {
  const DateTime invalid{0.0, DateTime::kInvalid};
  EXPECT_EQ(FormatDateText(invalid, false, true), Utf8ToCp932("-1月-1日()"));
  for (double v : {std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::infinity(), 1e300,
                   -9.3e18, 2958466.375}) {
    EXPECT_EQ(FormatDateText(DateTime{v, DateTime::kValid}, true, true), Utf8ToCp932("-1年-1月-1日()"));
  }
}

}  // namespace
}  // namespace tallyer
