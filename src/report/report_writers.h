#pragma once

#include <filesystem>
#include <string>

#include "data/date_time.h"
#include "tally/member_result.h"

namespace tallyer {

class CTypeColors;
class TallyContext;
class UiServices;

// Head of the document: HTML up to and including "<table>\n"; CSV the group
// line and the option lines.
void AppendReportHead(std::string& doc, const TallyContext& context, bool csv);

// Writes the document to `outputPath` (CSV) or `htmlReportPath` (when
// outputPath is empty) through a temporary file beside the target, replaced
// only when complete. On failure shows the file error message and returns false.
bool WriteReportFile(const std::string& doc, const std::filesystem::path& outputPath,
                     const std::filesystem::path& htmlReportPath, UiServices& ui);

// The message shown when the report file could not be written, by FileError
// cause, with the path in place of %1 (CP932).
std::string ReportFileErrorMessage(int cause, const std::filesystem::path& path);

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

// The writers of the four modes; false when the file could not be written.
struct ReportOutput {
  std::filesystem::path outputPath;      // empty: HTML to htmlReportPath
  std::filesystem::path htmlReportPath;
  int durationFormat = 0;
  UiServices* ui = nullptr;
};
bool WriteTotalsReport(const TallyContext& context, const ReportOutput& out, bool noOverlap,
                       const DateTime& firstDate, const DateTime& lastDate);
bool WriteColorReport(const TallyContext& context, const ReportOutput& out);
bool WriteTypeReport(const TallyContext& context, const ReportOutput& out,
                     const std::filesystem::path& typeFilePath);
bool WriteContentReport(const TallyContext& context, const ReportOutput& out);

}  // namespace tallyer
