#include "cli/date_args.h"

#include <gtest/gtest.h>

#include <string>

#include "support/calendar_text.h"

namespace tallyer::cli {
namespace {

using testing::CalendarText;


struct DateCase {
  const char* argument;
  const char* expected;  // nullptr: refused
};

class DateArgumentTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(DateArgumentTest, ParsesTheThreeFormsOnly) {
  const DateCase& c = GetParam();
  const auto parsed = ParseDateArgument(c.argument);
  if (c.expected == nullptr) {
    EXPECT_FALSE(parsed.has_value()) << CalendarText(*parsed);
  } else {
    ASSERT_TRUE(parsed.has_value());
    EXPECT_TRUE(parsed->IsValid());
    EXPECT_EQ(CalendarText(*parsed), c.expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, DateArgumentTest,
    ::testing::Values(DateCase{"2005-06-01", "2005-06-01 00:00:00"},
                      DateCase{"2005-06-01T09:30", "2005-06-01 09:30:00"},
                      DateCase{"2005-06-01T23:59:59", "2005-06-01 23:59:59"},
                      DateCase{"2024-02-29", "2024-02-29 00:00:00"},
                      DateCase{"0100-01-01", "0100-01-01 00:00:00"},
                      DateCase{"2025-02-29", nullptr},      // no such day
                      DateCase{"2005-13-01", nullptr},
                      DateCase{"2005-06-31", nullptr},
                      DateCase{"2005-06-01T24:00", nullptr},
                      DateCase{"2005-06-01T12:60", nullptr},
                      DateCase{"2005-06-01T12:00:60", nullptr},
                      DateCase{"2005-6-1", nullptr},        // digits are not optional
                      DateCase{"2005/06/01", nullptr},
                      DateCase{"2005-06-01 09:30", nullptr},  // 'T' separates the time
                      DateCase{"2005-06-01T9:30", nullptr},
                      DateCase{"2005-06-01T09", nullptr},
                      DateCase{"2005-06-01T09:30:", nullptr},
                      DateCase{"2005-06-01x", nullptr},
                      DateCase{"0000-01-01", nullptr},
                      DateCase{"", nullptr}));

struct BandCase {
  const char* argument;
  const char* start;  // nullptr: refused
  const char* end;
};

class BandArgumentTest : public ::testing::TestWithParam<BandCase> {};

TEST_P(BandArgumentTest, GivesTimesOnTheBandDate) {
  const BandCase& c = GetParam();
  const auto band = ParseBandArgument(c.argument);
  if (c.start == nullptr) {
    EXPECT_FALSE(band.has_value());
  } else {
    ASSERT_TRUE(band.has_value());
    EXPECT_EQ(CalendarText(band->start), c.start);
    EXPECT_EQ(CalendarText(band->end), c.end);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, BandArgumentTest,
    ::testing::Values(BandCase{"09:00-18:00", "2000-01-01 09:00:00", "2000-01-01 18:00:00"},
                      BandCase{"9:05-17:30", "2000-01-01 09:05:00", "2000-01-01 17:30:00"},
                      BandCase{"00:00-23:59", "2000-01-01 00:00:00", "2000-01-01 23:59:00"},
                      // Refused later by the run, with the desktop program's message.
                      BandCase{"18:00-09:00", "2000-01-01 18:00:00", "2000-01-01 09:00:00"},
                      BandCase{"24:00-25:00", nullptr, nullptr},
                      BandCase{"09:60-10:00", nullptr, nullptr},
                      BandCase{"09:00", nullptr, nullptr},
                      BandCase{"09:00-", nullptr, nullptr},
                      BandCase{"09:00-18:00:00", nullptr, nullptr},
                      BandCase{"009:00-18:00", nullptr, nullptr},
                      BandCase{"09:0-18:00", nullptr, nullptr},
                      BandCase{"09:00~18:00", nullptr, nullptr},
                      BandCase{"", nullptr, nullptr}));

}  // namespace
}  // namespace tallyer::cli
