#include <ostream>
#include <string>

#include "data/cp932.h"
#include "report/classic_report.h"
#include "report/color_text.h"
#include "report/duration_text.h"
#include "report/report_text.h"

namespace tallyer {
namespace {

const std::string kGroupLabel = Utf8ToCp932("グループ名：");
const std::string kCountUnit = Utf8ToCp932("件");

// Modes 2 and 3: member, colour, [type,] count, duration; a colour-only row
// among several writes its count with "件", the one row of a member a bare count.
void AppendColorRows(std::string& doc, const MemberTally& member, int form) {
  AppendCsvField(doc, member.name);
  if (member.rows.empty()) {
    doc += ",,0,\r\n";
    return;
  }
  const bool group = member.rows.size() >= 2;
  for (const TallyRow& row : member.rows) {
    doc += ',' + ColorText(row.color);
    if (!row.typeName.empty()) {
      doc += ',';
      AppendCsvField(doc, row.typeName);
      doc += ',' + std::to_string(row.figures.count);
    } else {
      doc += ',' + std::to_string(row.figures.count);
      if (group) doc += kCountUnit;
    }
    doc += ',' + FormatDuration(row.figures.minutes, form) + "\r\n";
  }
}

// Mode 4: member, content, count, duration.
void AppendContentRows(std::string& doc, const MemberTally& member, int form) {
  AppendCsvField(doc, member.name);
  if (member.rows.empty()) {
    doc += ",,0," + FormatDuration(0, form) + "\r\n";
    return;
  }
  for (const TallyRow& row : member.rows) {
    doc += ',';
    AppendCsvField(doc, row.content);
    doc += ',' + std::to_string(row.figures.count) + ',' + FormatDuration(row.figures.minutes, form) +
           "\r\n";
  }
}

}  // namespace

std::string ClassicCsvDocument(const TallyResult& result) {
  const TallySettings& s = result.settings;
  std::string doc;
  // The whole group line is one field, so a comma in the name stays inside it.
  AppendCsvField(doc, kGroupLabel + result.groupName);
  doc += "\r\n";
  doc += ClassicCsvOptionLines(s);
  for (const MemberTally& member : result.members) {
    switch (s.mode) {
      case kModeColor:
      case kModeType:
        AppendColorRows(doc, member, s.durationFormat);
        break;
      case kModeContent:
        AppendContentRows(doc, member, s.durationFormat);
        break;
      default:
        AppendCsvField(doc, member.name);
        doc += ',' + std::to_string(member.figures.count) + ',' +
               FormatDuration(member.figures.minutes, s.durationFormat) + "\r\n";
        break;
    }
  }
  return doc;
}

void ClassicCsvFormatter::Write(const TallyResult& result, std::ostream& out) const {
  out << ClassicCsvDocument(result);
}

}  // namespace tallyer
