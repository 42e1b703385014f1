#include <string>
#include <unordered_map>

#include "data/cp932.h"
#include "data/type_colors.h"
#include "report/color_text.h"
#include "report/duration_text.h"
#include "report/report_text.h"
#include "report/report_writers.h"
#include "tally/buckets.h"

namespace tallyer {
namespace {

const std::string kCountUnit = Utf8ToCp932("件");

const std::string& NameOf(const MemberResult& result) {
  static const std::string kNone;
  return result.member ? result.member->DisplayName() : kNone;
}

// "<tr><td>name</td>" or, for a group of rows, "<tr><td rowspan=n>name</td>";
// in CSV the name field, whose line the first key row continues.
void AppendMemberCell(std::string& doc, const MemberResult& result, bool csv, int rows) {
  if (csv) {
    AppendCsvField(doc, NameOf(result));
    return;
  }
  doc += rows >= 2 ? "<tr><td rowspan=" + std::to_string(rows) + ">" : std::string("<tr><td>");
  AppendHtmlText(doc, NameOf(result));
  doc += "</td>";
}

// The count and duration cells that end every HTML row: "<td>k件</td><td>d</td></tr>\n".
void AppendHtmlTail(std::string& doc, int count, const std::string& duration) {
  doc += "<td>" + std::to_string(count) + kCountUnit + "</td><td>" + duration + "</td></tr>\n";
}

// The row of a member without keys.
void AppendEmptyRow(std::string& doc, const MemberResult& result, bool csv,
                    const std::string& csvDuration, int durationFormat) {
  AppendMemberCell(doc, result, csv, 1);
  if (csv) {
    doc += ",,0," + csvDuration + "\r\n";
  } else {
    doc += "<td>&nbsp;</td>";
    AppendHtmlTail(doc, 0, FormatDuration(0, durationFormat));
  }
}

// One colour key from its colour cell to the row end. `inGroup`: the CSV count
// of a colour-only key in a group of rows carries "件".
void AppendColorKey(std::string& doc, std::uint32_t color, const std::string& typeName, int count,
                    const std::string& duration, bool csv, bool inGroup) {
  const std::string colorText = ColorText(color);
  if (csv) {
    doc += ',' + colorText;
    if (!typeName.empty()) {
      doc += ',';
      AppendCsvField(doc, typeName);
      doc += ',' + std::to_string(count);
    } else {
      doc += ',' + std::to_string(count);
      if (inGroup) doc += kCountUnit;
    }
    doc += ',' + duration + "\r\n";
    return;
  }
  doc += "<td bgcolor=" + colorText + ">";
  if (!typeName.empty()) {
    doc += std::string("<font color=") + (UseWhiteText(color) ? "white" : "black") + ">";
    AppendHtmlText(doc, typeName);
    doc += "</font></td>";
  } else {
    doc += "&nbsp;&nbsp;&nbsp;</td>";
  }
  AppendHtmlTail(doc, count, duration);
}

void AppendContentKey(std::string& doc, std::string_view content, int count,
                      const std::string& duration, bool csv) {
  if (csv) {
    doc += ',';
    AppendCsvField(doc, content);
    doc += ',' + std::to_string(count) + ',' + duration + "\r\n";
    return;
  }
  doc += "<td>";
  AppendHtmlText(doc, content);
  doc += "&nbsp;</td>";
  AppendHtmlTail(doc, count, duration);
}

}  // namespace

void AppendTotalsRow(std::string& doc, const MemberResult& result, bool csv, int durationFormat,
                     bool noOverlap, const DateTime& firstDate, const DateTime& lastDate) {
  const long long minutes =
      noOverlap ? result.MemberMinutesNoOverlap(firstDate, lastDate) : result.MemberMinutes();
  const std::string duration = FormatDuration(minutes, durationFormat);
  AppendMemberCell(doc, result, csv, 1);
  if (csv) {
    doc += ',' + std::to_string(result.MemberCount()) + ',' + duration + "\r\n";
  } else {
    AppendHtmlTail(doc, result.MemberCount(), duration);
  }
}

void AppendColorRows(std::string& doc, const MemberResult& result, bool csv, int durationFormat,
                     const CTypeColors* types) {
  const Buckets<std::uint32_t> buckets = ColorBuckets(result, types);
  const int n = buckets.Size();
  if (n == 0) {
    AppendEmptyRow(doc, result, csv, std::string(), durationFormat);
    return;
  }
  // NameOf searches the table from its start; for a long table that would be
  // a search per row, so the first name of each colour is looked up once here.
  std::unordered_map<std::uint32_t, const std::string*> nameOf;
  if (types != nullptr) {
    for (std::size_t i = 0; i < types->colors.size() && i < types->names.size(); ++i)
      nameOf.emplace(types->colors[i], &types->names[i]);
  }
  static const std::string kNoName;
  AppendMemberCell(doc, result, csv, n);
  for (int i = 0; i < n; ++i) {
    const auto at = static_cast<std::size_t>(i);
    if (i > 0 && !csv) doc += "<tr>";
    const auto named = nameOf.find(buckets.keys[at]);
    const std::string& typeName = named == nameOf.end() ? kNoName : *named->second;
    AppendColorKey(doc, buckets.keys[at], typeName, buckets.counts[at],
                   FormatDuration(buckets.minutes[at], durationFormat), csv, n >= 2);
  }
}

void AppendContentRows(std::string& doc, const MemberResult& result, bool csv, int durationFormat) {
  const Buckets<std::string_view> buckets = ContentBuckets(result);
  const int n = buckets.Size();
  if (n == 0) {
    AppendEmptyRow(doc, result, csv, FormatDuration(0, durationFormat), durationFormat);
    return;
  }
  AppendMemberCell(doc, result, csv, n);
  for (int i = 0; i < n; ++i) {
    const auto at = static_cast<std::size_t>(i);
    if (i > 0 && !csv) doc += "<tr>";
    AppendContentKey(doc, buckets.keys[at], buckets.counts[at],
                     FormatDuration(buckets.minutes[at], durationFormat), csv);
  }
}

}  // namespace tallyer
