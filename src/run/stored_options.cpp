#include "run/stored_options.h"

#include <climits>
#include <cstdio>
#include <string_view>

namespace tallyer {
namespace {

// Reads a decimal integer from the start of `piece` as the C library's strtol
// does: leading blanks and one sign allowed, reading stops at the first
// non-digit, no digits give 0. Saturates instead of overflowing.
int ReadNumber(std::string_view piece) {
  std::size_t i = 0;
  while (i < piece.size() && (piece[i] == ' ' || (piece[i] >= '\t' && piece[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < piece.size() && (piece[i] == '+' || piece[i] == '-')) negative = piece[i++] == '-';
  long long value = 0;
  for (; i < piece.size() && piece[i] >= '0' && piece[i] <= '9'; ++i) {
    if (value <= INT_MAX) value = value * 10 + (piece[i] - '0');
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

// The characters from `from` up to (not including) `to`; positions past the
// end of the text read as empty. to = npos: to the end.
std::string_view Piece(std::string_view text, std::size_t from, std::size_t to) {
  if (from >= text.size()) return {};
  return text.substr(from, to == std::string_view::npos ? to : to - from);
}

constexpr std::size_t kToEnd = std::string_view::npos;

}  // namespace

std::string FormatTimestamp(const DateTime& value, bool withTime) {
  const CalendarParts p = value.Parts();
  char buffer[64];
  const int n = withTime ? std::snprintf(buffer, sizeof buffer, "%04d%02d%02d%02d%02d", p.year,
                                         p.month, p.day, p.hour, p.minute)
                         : std::snprintf(buffer, sizeof buffer, "%04d%02d%02d", p.year, p.month, p.day);
  return std::string(buffer, static_cast<std::size_t>(n));
}

DateTime ParseTimestamp(const std::string& text) {
  const std::string_view t = text;
  const std::size_t length = t.size();
  const int year = ReadNumber(Piece(t, 0, 4));
  const int month = ReadNumber(Piece(t, 4, 6));
  if (length <= 8) {
    const int day = length >= 7 ? ReadNumber(Piece(t, 6, kToEnd)) : 1;
    return DateTime::FromParts(year, month, day);
  }
  const int day = ReadNumber(Piece(t, 6, 8));
  const int hour = ReadNumber(Piece(t, 8, 10));
  const int minute = ReadNumber(Piece(t, 10, 12));
  const int second = length >= 13 ? ReadNumber(Piece(t, 12, kToEnd)) : 0;
  return DateTime::FromParts(year, month, day, hour, minute, second);
}

void SaveRunOptions(SettingsStore& store, const TallySettings& s) {
  store.WriteText("date1", FormatTimestamp(s.firstDate, false));
  store.WriteText("date2", FormatTimestamp(s.lastDate, false));
  store.WriteText("Cl", s.contentText);
  store.WriteInt("Everyone", s.everyone ? 1 : 0);
  store.WriteInt("Combo", s.mode);
  store.WriteInt("Time", s.bandOnly ? 1 : 0);
  store.WriteInt("String", s.contentOnly ? 1 : 0);
  store.WriteInt("Same", s.exactMatch ? 1 : 0);
  store.WriteInt("Overlap", s.noOverlap ? 1 : 0);
  store.WriteInt("NoTemp", s.noTentative ? 1 : 0);
  store.WriteInt("Hankaku", s.ignoreCaseWidth ? 1 : 0);
  store.WriteInt("Format", s.durationFormat);
}

void LoadStoredOptions(SettingsStore& store, TallySettings& s) {
  const std::string date1 = store.ReadText("date1", std::string());
  if (!date1.empty()) s.firstDate = ParseTimestamp(date1);
  const std::string date2 = store.ReadText("date2", std::string());
  if (!date2.empty()) s.lastDate = ParseTimestamp(date2);
  s.contentText = store.ReadText("Cl", std::string());
  s.everyone = store.ReadInt("Everyone", 0) != 0;
  s.mode = store.ReadInt("Combo", 0);
  s.bandOnly = store.ReadInt("Time", 0) != 0;
  s.contentOnly = store.ReadInt("String", 0) != 0;
  s.exactMatch = store.ReadInt("Same", 0) != 0;
  s.noOverlap = store.ReadInt("Overlap", 0) != 0;
  s.ignoreCaseWidth = store.ReadInt("Hankaku", 0) != 0;
  s.noTentative = store.ReadInt("NoTemp", 0) != 0;
  s.durationFormat = store.ReadInt("Format", 0);
}

void LoadStoredBand(SettingsStore& store, AppValues& values) {
  values.bandStart = ParseTimestamp(store.ReadText("time1", "200001011730"));
  values.bandEnd = ParseTimestamp(store.ReadText("time2", "200001012359"));
}

void SaveStoredBand(SettingsStore& store, const AppValues& values) {
  store.WriteText("time1", FormatTimestamp(values.bandStart, true));
  store.WriteText("time2", FormatTimestamp(values.bandEnd, true));
}

}  // namespace tallyer
