#include <cstdio>
#include <string>

#include "data/cp932.h"
#include "report/duration_text.h"
#include "report/report_text.h"
#include "run/run.h"

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

void EndLine(std::string& lines, bool csv) { lines += csv ? "\r\n" : "<br>\n"; }

}  // namespace

std::string ComposeOptionLines(const TallySettings& settings, bool csv) {
  std::string lines = kPeriodLabel + FormatDateText(settings.firstDate, true, true) + kBetween +
                      FormatDateText(settings.lastDate, true, true);
  EndLine(lines, csv);
  if (settings.contentOnly) {
    // The user's text is escaped like every other inserted text: the whole
    // CSV line is one field, the HTML text has its markup characters escaped.
    if (csv) {
      AppendCsvField(lines, kContentLabel + settings.contentText);
    } else {
      lines += kContentLabel;
      AppendHtmlText(lines, settings.contentText);
    }
    EndLine(lines, csv);
  }
  if (settings.bandOnly) {
    lines += kBandLabel + TimeOfDay(settings.bandStart) + kBetween + TimeOfDay(settings.bandEnd);
    EndLine(lines, csv);
  }
  return lines;
}

}  // namespace tallyer
