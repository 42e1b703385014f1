#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "data/date_time.h"
#include "data/problem.h"
#include "tally/member_result.h"

namespace tallyer {

class CTypeColors;
class TallyContext;

// Head of the document: HTML up to and including "<table>\n"; CSV the group
// line and the option lines.
void AppendReportHead(std::string& doc, const TallyContext& context, bool csv);

// Rows of one member result.
void AppendTotalsRow(std::string& doc, const MemberResult& result, bool csv, int durationFormat,
                     bool noOverlap, const DateTime& firstDate, const DateTime& lastDate);
void AppendColorRows(std::string& doc, const MemberResult& result, bool csv, int durationFormat,
                     const CTypeColors* types);
void AppendContentRows(std::string& doc, const MemberResult& result, bool csv, int durationFormat);

// Whole documents of the four modes, as written to the file.
std::string TotalsDocument(const TallyContext& context, bool csv, int durationFormat,
                           bool noOverlap, const DateTime& firstDate, const DateTime& lastDate);
std::string ColorDocument(const TallyContext& context, bool csv, int durationFormat,
                          const CTypeColors* types);
std::string ContentDocument(const TallyContext& context, bool csv, int durationFormat);

// The writers of the four modes; what the user is to be told when the file
// could not be written (see WriteReportFile).
struct ReportOutput {
  std::filesystem::path outputPath;      // empty: HTML to htmlReportPath
  std::filesystem::path htmlReportPath;
  int durationFormat = 0;

  bool IsCsv() const { return !outputPath.empty(); }
  const std::filesystem::path& Target() const { return IsCsv() ? outputPath : htmlReportPath; }
};
std::optional<Problem> WriteTotalsReport(const TallyContext& context, const ReportOutput& out,
                                         bool noOverlap, const DateTime& firstDate,
                                         const DateTime& lastDate);
std::optional<Problem> WriteColorReport(const TallyContext& context, const ReportOutput& out);
std::optional<Problem> WriteTypeReport(const TallyContext& context, const ReportOutput& out,
                                       const std::filesystem::path& typeFilePath);
std::optional<Problem> WriteContentReport(const TallyContext& context, const ReportOutput& out);

}  // namespace tallyer
