#include "data/clock.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string_view>

namespace tallyer {
namespace {

std::optional<DateTime> LocalTimeOf(std::time_t instant) {
  std::tm local{};
#ifdef _WIN32
  if (localtime_s(&local, &instant) != 0) return std::nullopt;
#else
  if (localtime_r(&instant, &local) == nullptr) return std::nullopt;
#endif
  // A leap second reads as the second before it.
  const DateTime t = DateTime::FromParts(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                         local.tm_hour, local.tm_min, std::min(local.tm_sec, 59));
  if (!t.IsValid()) return std::nullopt;
  return t;
}

// The value of SOURCE_DATE_EPOCH: a decimal count of seconds and nothing
// else; anything else is ignored, as if it were not set.
std::optional<std::time_t> SourceDateEpoch() {
  const char* text = std::getenv("SOURCE_DATE_EPOCH");
  if (text == nullptr) return std::nullopt;
  const std::string_view digits(text);
  long long seconds = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), seconds);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || seconds < 0)
    return std::nullopt;
  return static_cast<std::time_t>(seconds);
}

}  // namespace

DateTime LocalNow() {
  if (const auto now = LocalTimeOf(std::time(nullptr))) return *now;
  return DateTime{0.0, DateTime::kInvalid};
}

DateTime GenerationTime() {
  if (const auto epoch = SourceDateEpoch()) {
    if (const auto t = LocalTimeOf(*epoch)) return *t;
  }
  return LocalNow();
}

}  // namespace tallyer
