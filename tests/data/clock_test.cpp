#include "data/clock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "support/scoped_env.h"

namespace tallyer {
namespace {

using testing::ScopedEnv;

std::string Text(const DateTime& t) {
  const CalendarParts p = t.Parts();
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day, p.hour,
                p.minute, p.second);
  return buffer;
}

TEST(Clock, LocalNowIsAValidDateTime) {
  EXPECT_TRUE(LocalNow().IsValid());
  EXPECT_GE(LocalNow().Parts().year, 2000);
}

TEST(Clock, SourceDateEpochFixesTheGenerationTimeInTheLocalZone) {
  ScopedEnv epoch("SOURCE_DATE_EPOCH", "1700000000");  // 2023-11-14 22:13:20 UTC
  {
    ScopedEnv zone("TZ", "UTC0");
    EXPECT_EQ(Text(GenerationTime()), "2023-11-14 22:13:20");
  }
  ScopedEnv zone("TZ", "JST-9");
  EXPECT_EQ(Text(GenerationTime()), "2023-11-15 07:13:20");
  // The real clock, which the default period follows, is not moved.
  EXPECT_GE(LocalNow().Parts().year, 2000);
}

TEST(Clock, WithoutAUsableSourceDateEpochTheGenerationTimeIsNow) {
  for (const char* value : {static_cast<const char*>(nullptr), "", "12ab", "-5", "1e9", " 17"}) {
    ScopedEnv epoch("SOURCE_DATE_EPOCH", value);
    const DateTime before = LocalNow();
    const DateTime made = GenerationTime();
    const DateTime after = LocalNow();
    EXPECT_FALSE(made.IsEarlierThan(before)) << (value ? value : "(unset)");
    EXPECT_FALSE(made.IsLaterThan(after)) << (value ? value : "(unset)");
  }
}

}  // namespace
}  // namespace tallyer
