#include <string>

#include "data/cp932.h"
#include "data/type_colors.h"
#include "report/report_file.h"
#include "report/report_text.h"
#include "report/report_writers.h"
#include "tally/tally_context.h"

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
const char kHtmlTrailer[] = "</table>\n</body></html>";

void AppendTrailer(std::string& doc, bool csv) {
  if (!csv) doc += kHtmlTrailer;
}

void AppendColorBody(std::string& doc, const TallyContext& context, bool csv, int durationFormat,
                     const CTypeColors* types) {
  for (const MemberResult& result : context.memberResults) {
    AppendColorRows(doc, result, csv, durationFormat, types);
  }
  AppendTrailer(doc, csv);
}

std::optional<Problem> Write(const std::string& doc, const ReportOutput& out) {
  return WriteReportFile(out.Target(), doc);
}

}  // namespace

void AppendReportHead(std::string& doc, const TallyContext& context, bool csv) {
  if (csv) {
    // The whole group line is one field, so a comma in the name stays inside it.
    AppendCsvField(doc, kGroupLabel + context.group.name);
    doc += "\r\n";
    doc += context.optionLines;
    return;
  }
  doc += kHtmlHead;
  doc += kGroupLabel;
  AppendHtmlText(doc, context.group.name);
  doc += "<br>";  // the period line continues this line of the file
  doc += context.optionLines;
  doc += "<table>\n";
}

std::string TotalsDocument(const TallyContext& context, bool csv, int durationFormat,
                           bool noOverlap, const DateTime& firstDate, const DateTime& lastDate) {
  std::string doc;
  AppendReportHead(doc, context, csv);
  for (const MemberResult& result : context.memberResults) {
    AppendTotalsRow(doc, result, csv, durationFormat, noOverlap, firstDate, lastDate);
  }
  AppendTrailer(doc, csv);
  return doc;
}

std::string ColorDocument(const TallyContext& context, bool csv, int durationFormat,
                          const CTypeColors* types) {
  std::string doc;
  AppendReportHead(doc, context, csv);
  AppendColorBody(doc, context, csv, durationFormat, types);
  return doc;
}

std::string ContentDocument(const TallyContext& context, bool csv, int durationFormat) {
  std::string doc;
  AppendReportHead(doc, context, csv);
  for (const MemberResult& result : context.memberResults) {
    AppendContentRows(doc, result, csv, durationFormat);
  }
  AppendTrailer(doc, csv);
  return doc;
}

std::optional<Problem> WriteTotalsReport(const TallyContext& context, const ReportOutput& out,
                                         bool noOverlap, const DateTime& firstDate,
                                         const DateTime& lastDate) {
  return Write(TotalsDocument(context, out.IsCsv(), out.durationFormat, noOverlap, firstDate, lastDate),
               out);
}

std::optional<Problem> WriteColorReport(const TallyContext& context, const ReportOutput& out) {
  return Write(ColorDocument(context, out.IsCsv(), out.durationFormat, nullptr), out);
}

std::optional<Problem> WriteTypeReport(const TallyContext& context, const ReportOutput& out,
                                       const std::filesystem::path& typeFilePath) {
  const bool csv = out.IsCsv();
  std::string doc;
  AppendReportHead(doc, context, csv);
  // The table is read after the head and lives only while this report is written.
  CTypeColors types;
  types.Load(typeFilePath);
  AppendColorBody(doc, context, csv, out.durationFormat, &types);
  return Write(doc, out);
}

std::optional<Problem> WriteContentReport(const TallyContext& context, const ReportOutput& out) {
  return Write(ContentDocument(context, out.IsCsv(), out.durationFormat), out);
}

}  // namespace tallyer
