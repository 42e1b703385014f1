#include "report/duration_text.h"

#include <charconv>

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

// "%lld" of the value; with `twoDigits`, "%02lld" (a lone digit gets a
// leading zero; a minus sign already makes two characters). Without printf:
// reports format a duration for every row.
void AppendNumber(std::string& text, long long value, bool twoDigits = false) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (twoDigits && result.ptr - buffer == 1) text += '0';
  text.append(buffer, result.ptr);
}

std::string Number(long long value) {
  std::string text;
  AppendNumber(text, value);
  return text;
}

}  // namespace

std::string FormatDuration(long long minutes, int durationFormat) {
  // Division and remainder truncate toward zero (a negative total shows a
  // negative remainder); hours are never padded and run past 24.
  std::string text;
  switch (durationFormat) {
    case 0:
      AppendNumber(text, minutes / 60);
      text += kHours;
      AppendNumber(text, minutes % 60, true);
      text += kMinutes;
      break;
    case 1:
      AppendNumber(text, minutes / 60);
      text += ':';
      AppendNumber(text, minutes % 60, true);
      break;
    case 2:
      AppendNumber(text, minutes);
      text += kMinutes;
      break;
    case 3:
      AppendNumber(text, minutes);
      break;
    default:
      break;
  }
  return text;
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
