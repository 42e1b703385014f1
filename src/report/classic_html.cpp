#include <ostream>
#include <string>

#include "data/cp932.h"
#include "report/classic_report.h"
#include "report/color_text.h"
#include "report/duration_text.h"
#include "report/report_text.h"

namespace tallyer {
namespace {

const std::string kHtmlHead = Utf8ToCp932(
    "<html><head>\n"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">\n"
    "<title>集計結果</title>\n"
    "<style type=\"text/css\">\n"
    "<!--\n"
    "table { border-collapse: collapse; border: none; }\n"
    "td { border: 1px solid gray; padding: 3px; vertical-align: top; }\n"
    "-->\n"
    "</style>\n"
    "</head>\n<body>\n");
const std::string kGroupLabel = Utf8ToCp932("グループ名：");
const std::string kCountUnit = Utf8ToCp932("件");
const char kTrailer[] = "</table>\n</body></html>";

// "<tr><td>name</td>", or "<tr><td rowspan=n>name</td>" before a group of rows.
void AppendMemberCell(std::string& doc, const MemberTally& member, std::size_t rows) {
  doc += rows >= 2 ? "<tr><td rowspan=" + std::to_string(rows) + ">" : std::string("<tr><td>");
  AppendHtmlText(doc, member.name);
  doc += "</td>";
}

// The count and duration cells that end every row.
void AppendTail(std::string& doc, long long count, const std::string& duration) {
  doc += "<td>" + std::to_string(count) + kCountUnit + "</td><td>" + duration + "</td></tr>\n";
}

// The row of a member without keys in modes 2 to 4.
void AppendEmptyRow(std::string& doc, const MemberTally& member, int form) {
  AppendMemberCell(doc, member, 1);
  doc += "<td>&nbsp;</td>";
  AppendTail(doc, 0, FormatDuration(0, form));
}

void AppendColorCell(std::string& doc, const TallyRow& row) {
  doc += "<td bgcolor=" + ColorText(row.color) + ">";
  if (row.typeName.empty()) {
    doc += "&nbsp;&nbsp;&nbsp;</td>";
    return;
  }
  doc += std::string("<font color=") + (UseWhiteText(row.color) ? "white" : "black") + ">";
  AppendHtmlText(doc, row.typeName);
  doc += "</font></td>";
}

void AppendContentCell(std::string& doc, const TallyRow& row) {
  doc += "<td>";
  AppendHtmlText(doc, row.content);
  doc += "&nbsp;</td>";
}

// Modes 2 to 4: the member cell spans its rows; every row after the first
// opens with "<tr>".
void AppendKeyRows(std::string& doc, const MemberTally& member, int form, bool byContent) {
  if (member.rows.empty()) {
    AppendEmptyRow(doc, member, form);
    return;
  }
  AppendMemberCell(doc, member, member.rows.size());
  bool first = true;
  for (const TallyRow& row : member.rows) {
    if (!first) doc += "<tr>";
    first = false;
    if (byContent) {
      AppendContentCell(doc, row);
    } else {
      AppendColorCell(doc, row);
    }
    AppendTail(doc, row.figures.count, FormatDuration(row.figures.minutes, form));
  }
}

}  // namespace

std::string ClassicHtmlDocument(const TallyResult& result) {
  const TallySettings& s = result.settings;
  std::string doc = kHtmlHead + kGroupLabel;
  AppendHtmlText(doc, result.groupName);
  doc += "<br>";  // the period line continues this line of the file
  doc += ClassicHtmlOptionLines(s);
  doc += "<table>\n";
  for (const MemberTally& member : result.members) {
    switch (s.mode) {
      case kModeColor:
      case kModeType:
      case kModeContent:
        AppendKeyRows(doc, member, s.durationFormat, s.mode == kModeContent);
        break;
      default:
        AppendMemberCell(doc, member, 1);
        AppendTail(doc, member.figures.count, FormatDuration(member.figures.minutes, s.durationFormat));
        break;
    }
  }
  doc += kTrailer;
  return doc;
}

void ClassicHtmlFormatter::Write(const TallyResult& result, std::ostream& out) const {
  out << ClassicHtmlDocument(result);
}

}  // namespace tallyer
