#include "run/default_period.h"

#include <gtest/gtest.h>

#include <string>

#include "support/calendar_text.h"

namespace tallyer {
namespace {

using testing::CalendarText;


struct DateCase {
  DateTime given;
  const char* expected;
};

class OneMonthBackTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(OneMonthBackTest, KeepsTheDayWhereTheMonthHasIt) {
  EXPECT_EQ(CalendarText(OneMonthBack(GetParam().given)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Calendar, OneMonthBackTest,
    ::testing::Values(DateCase{DateTime::FromParts(2005, 1, 31), "2004-12-31 00:00:00"},
                      DateCase{DateTime::FromParts(2005, 7, 15, 9, 30), "2005-06-15 00:00:00"},
                      DateCase{DateTime::FromParts(2005, 7, 31), "2005-06-30 00:00:00"},
                      DateCase{DateTime::FromParts(2005, 3, 30), "2005-02-28 00:00:00"},
                      DateCase{DateTime::FromParts(2004, 3, 31), "2004-02-29 00:00:00"},
                      DateCase{DateTime::FromParts(1900, 3, 29), "1900-02-28 00:00:00"},
                      DateCase{DateTime::FromParts(2000, 3, 31), "2000-02-29 00:00:00"}));

class DefaultFirstDateTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(DefaultFirstDateTest, IsTomorrowOneMonthBackAtMidnight) {
  EXPECT_EQ(CalendarText(DefaultFirstDate(GetParam().given)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Calendar, DefaultFirstDateTest,
    ::testing::Values(
        DateCase{DateTime::FromParts(2025, 6, 14, 15, 20, 5), "2025-05-15 00:00:00"},
        // Tomorrow is 31 March; February has fewer days.
        DateCase{DateTime::FromParts(2025, 3, 30, 8, 0), "2025-02-28 00:00:00"},
        DateCase{DateTime::FromParts(2024, 3, 30, 8, 0), "2024-02-29 00:00:00"},
        DateCase{DateTime::FromParts(2025, 7, 30, 12, 0), "2025-06-30 00:00:00"},
        // January goes back to December of the year before, same day.
        DateCase{DateTime::FromParts(2025, 1, 15, 10, 0), "2024-12-16 00:00:00"},
        DateCase{DateTime::FromParts(2025, 1, 30, 10, 0), "2024-12-31 00:00:00"},
        // Tomorrow already lies in the next month or year.
        DateCase{DateTime::FromParts(2024, 12, 31, 23, 59, 59), "2024-12-01 00:00:00"},
        DateCase{DateTime::FromParts(2025, 3, 31, 0, 0), "2025-03-01 00:00:00"}));

}  // namespace
}  // namespace tallyer
