#include "cli/date_args.h"

#include <algorithm>
#include <ctime>

namespace tallyer::cli {
namespace {

// Reads exactly `count` decimal digits at `pos`; advances `pos`.
std::optional<int> Digits(std::string_view text, std::size_t& pos, std::size_t count) {
  if (pos + count > text.size()) return std::nullopt;
  int value = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const char c = text[pos + i];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  pos += count;
  return value;
}

bool Expect(std::string_view text, std::size_t& pos, char c) {
  if (pos >= text.size() || text[pos] != c) return false;
  ++pos;
  return true;
}

// "H:MM" or "HH:MM" at `pos`; false when hour or minute is out of range.
bool TimeOfDay(std::string_view text, std::size_t& pos, int& hour, int& minute) {
  std::size_t hourDigits = 0;
  while (pos + hourDigits < text.size() && hourDigits < 3 && text[pos + hourDigits] >= '0' &&
         text[pos + hourDigits] <= '9') {
    ++hourDigits;
  }
  if (hourDigits < 1 || hourDigits > 2) return false;
  const auto h = Digits(text, pos, hourDigits);
  if (!h || !Expect(text, pos, ':')) return false;
  const auto m = Digits(text, pos, 2);
  if (!m || *h > 23 || *m > 59) return false;
  hour = *h;
  minute = *m;
  return true;
}

}  // namespace

std::optional<DateTime> ParseDateArgument(std::string_view text) {
  std::size_t pos = 0;
  const auto year = Digits(text, pos, 4);
  if (!year || !Expect(text, pos, '-')) return std::nullopt;
  const auto month = Digits(text, pos, 2);
  if (!month || !Expect(text, pos, '-')) return std::nullopt;
  const auto day = Digits(text, pos, 2);
  if (!day) return std::nullopt;
  int hour = 0, minute = 0, second = 0;
  if (pos < text.size()) {
    if (!Expect(text, pos, 'T')) return std::nullopt;
    const auto h = Digits(text, pos, 2);
    if (!h || !Expect(text, pos, ':')) return std::nullopt;
    const auto m = Digits(text, pos, 2);
    if (!m) return std::nullopt;
    hour = *h;
    minute = *m;
    if (pos < text.size()) {
      if (!Expect(text, pos, ':')) return std::nullopt;
      const auto s = Digits(text, pos, 2);
      if (!s) return std::nullopt;
      second = *s;
    }
  }
  if (pos != text.size()) return std::nullopt;
  const DateTime value = DateTime::FromParts(*year, *month, *day, hour, minute, second);
  if (!value.IsValid()) return std::nullopt;
  return value;
}

std::optional<Band> ParseBandArgument(std::string_view text) {
  std::size_t pos = 0;
  int startHour = 0, startMinute = 0, endHour = 0, endMinute = 0;
  if (!TimeOfDay(text, pos, startHour, startMinute) || !Expect(text, pos, '-') ||
      !TimeOfDay(text, pos, endHour, endMinute) || pos != text.size()) {
    return std::nullopt;
  }
  return Band{DateTime::FromParts(2000, 1, 1, startHour, startMinute),
              DateTime::FromParts(2000, 1, 1, endHour, endMinute)};
}

}  // namespace tallyer::cli
