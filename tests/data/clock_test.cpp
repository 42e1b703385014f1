#include "data/clock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace tallyer {
namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value != nullptr) ::setenv(name, value, 1); else ::unsetenv(name);
    ::tzset();
  }
  ~ScopedEnv() {
    if (old_) ::setenv(name_, old_->c_str(), 1); else ::unsetenv(name_);
    ::tzset();
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

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
