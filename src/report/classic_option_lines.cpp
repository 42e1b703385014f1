#include <cstdio>
#include <string>

#include "data/cp932.h"
#include "report/classic_report.h"
#include "report/duration_text.h"
#include "report/report_text.h"

namespace tallyer {
namespace {

const std::string kPeriodLabel = Utf8ToCp932("期間：");
const std::string kBetween = Utf8ToCp932(" ～ ");
const std::string kContentLabel = Utf8ToCp932("次の文字列を含む：");
const std::string kBandLabel = Utf8ToCp932("次の時間帯のみ：");

std::string TimeOfDay(const DateTime& value) {
  const CalendarParts p = value.Parts();
  char buffer[32];
  const int n = std::snprintf(buffer, sizeof buffer, "%d:%02d", p.hour, p.minute);
  return std::string(buffer, static_cast<std::size_t>(n));
}

std::string PeriodLine(const TallySettings& s) {
  return kPeriodLabel + FormatDateText(s.firstDate, true, true) + kBetween +
         FormatDateText(s.lastDate, true, true);
}

std::string BandLine(const TallySettings& s) {
  return kBandLabel + TimeOfDay(s.bandStart) + kBetween + TimeOfDay(s.bandEnd);
}

}  // namespace

std::string ClassicCsvOptionLines(const TallySettings& s) {
  std::string lines = PeriodLine(s) + "\r\n";
  if (s.contentOnly) {
    // The whole line is one field, as every inserted text is.
    AppendCsvField(lines, kContentLabel + s.contentText);
    lines += "\r\n";
  }
  if (s.bandOnly) lines += BandLine(s) + "\r\n";
  return lines;
}

std::string ClassicHtmlOptionLines(const TallySettings& s) {
  std::string lines = PeriodLine(s) + "<br>\n";
  if (s.contentOnly) {
    lines += kContentLabel;
    AppendHtmlText(lines, s.contentText);
    lines += "<br>\n";
  }
  if (s.bandOnly) lines += BandLine(s) + "<br>\n";
  return lines;
}

}  // namespace tallyer
