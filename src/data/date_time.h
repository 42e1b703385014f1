#pragma once

#include <cmath>
#include <cstdint>

namespace tallyer {

// Calendar parts of a date-time, to the nearest second. Every part is -1 when
// the value has none (a status other than valid, or outside 0100-01-01..9999-12-31).
struct CalendarParts {
  int year = -1;
  int month = -1;
  int day = -1;
  int hour = -1;
  int minute = -1;
  int second = -1;
  int dayOfWeek = -1;  // 1 = Sunday .. 7 = Saturday
  int dayOfYear = -1;  // 1..366
};

// A date-time as the scheduler stores it: days since 1899-12-30 00:00, the
// fraction being the time of day (for negative values the whole part counts
// days toward the past and the absolute fraction is still the time of day).
struct DateTime {
  enum Status : std::int32_t { kValid = 0, kInvalid = 1, kNull = 2 };

  double value = 0.0;
  std::int32_t status = kValid;

  // The date-time of the given parts; the invalid status (value 0) when a part
  // lies outside year 100..9999, month 1..12, day 1..days of the month,
  // hour 0..23, minute 0..59, second 0..59.
  static DateTime FromParts(int year, int month, int day, int hour = 0, int minute = 0,
                            int second = 0);

  bool IsValid() const { return status == kValid; }
  CalendarParts Parts() const;
  // Whether Parts() gives a date (the status is valid and the value in range).
  bool HasCalendarParts() const;
  // The time of day in seconds as Parts() gives it (hour * 3600 + minute * 60
  // + second), or -1 without calendar parts; cheaper than Parts().
  int SecondOfDay() const;

  // The calendar day number of the rounded value (day 0 = 1899-12-30); only
  // meaningful for values that have calendar parts.
  std::int64_t DayNumber() const;

  // The value on a time line that grows with time, also below zero
  // (-1.25, 1899-12-29 06:00, lies on it at -0.75).
  double Linear() const {
    // -infinity stays itself (its "time of day" would be infinity minus infinity).
    if (value >= 0 || std::isinf(value)) return value;
    const double day = std::trunc(value);
    return day + (day - value);
  }

  // Chronological comparisons, time of day included.
  bool IsLaterThan(const DateTime& other) const { return Linear() > other.Linear(); }
  bool IsEarlierThan(const DateTime& other) const { return Linear() < other.Linear(); }

  // Same status and same value.
  bool operator==(const DateTime& other) const {
    return status == other.status && value == other.value;
  }

  // The calendar date of this value at 00:00.
  DateTime CalendarDate() const;
  DateTime PlusDays(double days) const { return DateTime{value + days, status}; }
};

int DaysInMonth(int year, int month);

}  // namespace tallyer
