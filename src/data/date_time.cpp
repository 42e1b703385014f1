#include "data/date_time.h"

#include <algorithm>
#include <cmath>

namespace tallyer {
namespace {

constexpr double kHalfSecond = 1.0 / 172800.0;
constexpr double kLowestValue = -657434.0;  // 0100-01-01 00:00
constexpr double kHighestValue = 2958465.0;  // 9999-12-31 00:00
constexpr std::int64_t kUnixEpochDay = 25569;  // 1970-01-01 as a day number

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2));
}

bool HasParts(const DateTime& t) {
  return t.status == DateTime::kValid && t.value >= kLowestValue && t.value <= kHighestValue;
}

double Rounded(double value) { return value > 0 ? value + kHalfSecond : value - kHalfSecond; }

}  // namespace

int DaysInMonth(int year, int month) {
  switch (month) {
    case 2:
      return (year % 4 == 0 && (year % 100 != 0 || year % 400 == 0)) ? 29 : 28;
    case 4: case 6: case 9: case 11:
      return 30;
    default:
      return 31;
  }
}

DateTime DateTime::FromParts(int year, int month, int day, int hour, int minute, int second) {
  if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month) || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
      second < 0 || second > 59) {
    return DateTime{0.0, kInvalid};
  }
  const double dayNumber = static_cast<double>(
      DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) + kUnixEpochDay);
  const double fraction = (hour * 3600 + minute * 60 + second) / 86400.0;
  return DateTime{dayNumber >= 0 ? dayNumber + fraction : dayNumber - fraction, kValid};
}

std::int64_t DateTime::DayNumber() const {
  if (!HasParts(*this)) return 0;
  return static_cast<std::int64_t>(std::trunc(Rounded(value)));
}

bool DateTime::HasCalendarParts() const { return HasParts(*this); }

int DateTime::SecondOfDay() const {
  if (!HasParts(*this)) return -1;
  double whole = 0;
  const int seconds = static_cast<int>(std::modf(std::fabs(Rounded(value)), &whole) * 86400.0);
  return seconds > 86399 ? 86399 : seconds;
}

CalendarParts DateTime::Parts() const {
  CalendarParts p;
  if (!HasParts(*this)) return p;  // also NaN, which fails both bounds
  const double rounded = Rounded(value);
  const std::int64_t dayNumber = static_cast<std::int64_t>(std::trunc(rounded));
  const int seconds = SecondOfDay();
  CivilFromDays(dayNumber - kUnixEpochDay, p.year, p.month, p.day);
  p.hour = seconds / 3600;
  p.minute = seconds / 60 % 60;
  p.second = seconds % 60;
  // Day 0, 1899-12-30, was a Saturday.
  p.dayOfWeek = static_cast<int>(((dayNumber % 7) + 7 + 6) % 7) + 1;
  p.dayOfYear = static_cast<int>(dayNumber - kUnixEpochDay - DaysFromCivil(p.year, 1, 1)) + 1;
  return p;
}

DateTime DateTime::CalendarDate() const {
  if (!HasParts(*this)) return *this;
  return DateTime{static_cast<double>(DayNumber()), status};
}

}  // namespace tallyer
