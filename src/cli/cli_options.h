#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "data/date_time.h"
#include "tally/tally_settings.h"

namespace tallyer::cli {

// Where a report goes: a file, or standard output for "-".
struct ReportTarget {
  std::filesystem::path path;
  bool toStdout = false;
};

// Everything the command line asks for.
struct CliRequest {
  // Every option of the run; `selectedKeys`/`everyone` come from --member,
  // `outputPath` is set per run by the caller.
  TallySettings settings;
  std::vector<std::string> memberArguments;  // --member values as typed (UTF-8)
  std::filesystem::path typeFileArgument;    // --type-file as typed, for outputs that show it
  std::optional<ReportTarget> csv;
  std::optional<ReportTarget> html;
  std::optional<ReportTarget> json;
  std::optional<ReportTarget> xlsx;  // never standard output
  std::optional<ReportTarget> report;  // the summary page
};

// What the caller does after parsing.
enum class ParseResult { kProceed, kHelpShown /* or the version */, kUsageError };

// Parses the command line into `request`; `now` gives the default period.
// Help goes to `out`, usage errors (in UTF-8) to `err`.
ParseResult ParseCommandLine(int argc, const char* const* argv, const DateTime& now,
                             CliRequest& request, std::ostream& out, std::ostream& err);

}  // namespace tallyer::cli
