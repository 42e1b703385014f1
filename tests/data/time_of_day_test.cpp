// The shortcuts to a date-time's day and time of day agree with its calendar parts.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "data/date_time.h"

namespace tallyer {
namespace {

std::vector<DateTime> Values() {
  std::vector<DateTime> values;
  for (double v : {0.0, 0.5, -0.25, -1.25, -1.75, 38504.999994, 38504.9999999, 38505.0000058,
                   -657434.0, -657434.5, -657433.999, 2958465.0, 2958465.5, 2958464.99999,
                   38504.0 + 1.0 / 1440, 38504.0 + 59.0 / 1440, 38504.0 + 1439.0 / 1440, -38504.75,
                   std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
    values.push_back(DateTime{v, DateTime::kValid});
  }
  for (int i = -3000; i <= 3000; ++i) values.push_back(DateTime{38504.0 + i * 0.0137, DateTime::kValid});
  values.push_back(DateTime{38504.5, DateTime::kInvalid});
  values.push_back(DateTime{38504.5, DateTime::kNull});
  return values;
}

TEST(TimeOfDayTest, SecondOfDayAndDayNumberMatchTheCalendarParts) {
  for (const DateTime& t : Values()) {
    const CalendarParts p = t.Parts();
    SCOPED_TRACE(t.value);
    ASSERT_EQ(t.HasCalendarParts(), p.year >= 0);
    if (p.year < 0) {
      EXPECT_EQ(t.SecondOfDay(), -1);
      continue;
    }
    EXPECT_EQ(t.SecondOfDay(), p.hour * 3600 + p.minute * 60 + p.second);
    // The day number names the same calendar day as the parts.
    const DateTime day = DateTime::FromParts(p.year, p.month, p.day);
    EXPECT_EQ(t.DayNumber(), day.DayNumber());
  }
}

}  // namespace
}  // namespace tallyer
