#include "report/duration_text.h"

#include <cstdio>

#include "data/cp932.h"

namespace tallyer {
namespace {

// The Japanese units are appended, never put into a printf format, so that the
// CP932 bytes are not read under whatever locale the process runs in.
const std::string kHours = Utf8ToCp932("時間");
const std::string kMinutes = Utf8ToCp932("分");
const std::string kYear = Utf8ToCp932("年");
const std::string kMonth = Utf8ToCp932("月");
const std::string kDay = Utf8ToCp932("日");
// Sunday first, as CalendarParts counts the days of the week.
const std::string kWeekdayLetters[7] = {
    Utf8ToCp932("日"), Utf8ToCp932("月"), Utf8ToCp932("火"), Utf8ToCp932("水"),
    Utf8ToCp932("木"), Utf8ToCp932("金"), Utf8ToCp932("土")};

std::string Number(long long value, const char* format = "%lld") {
  char buffer[32];
  const int n = std::snprintf(buffer, sizeof buffer, format, value);
  return std::string(buffer, static_cast<std::size_t>(n));
}

}  // namespace

std::string FormatDuration(long long minutes, int durationFormat) {
  // Division and remainder truncate toward zero (a negative total shows a
  // negative remainder); hours are never padded and run past 24.
  switch (durationFormat) {
    case 0:
      return Number(minutes / 60) + kHours + Number(minutes % 60, "%02lld") + kMinutes;
    case 1:
      return Number(minutes / 60) + ':' + Number(minutes % 60, "%02lld");
    case 2:
      return Number(minutes) + kMinutes;
    case 3:
      return Number(minutes);
    default:
      return std::string();
  }
}

std::string FormatDateText(const DateTime& date, bool withYear, bool withWeekday) {
  const CalendarParts parts = date.Parts();
  std::string text;
  if (withYear) text += Number(parts.year) + kYear;
  text += Number(parts.month) + kMonth + Number(parts.day) + kDay;
  if (withWeekday) {
    text += '(';
    // A value without calendar parts has no weekday: the parentheses stay empty.
    if (parts.dayOfWeek >= 1 && parts.dayOfWeek <= 7) text += kWeekdayLetters[parts.dayOfWeek - 1];
    text += ')';
  }
  return text;
}

}  // namespace tallyer
