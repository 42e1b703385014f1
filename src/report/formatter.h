#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>

#include "data/problem.h"
#include "tally/tally_result.h"

namespace tallyer {

// One output format of a tally result. Adding a format is adding a
// formatter: the run hands every output the same result.
//
// Most formats write to a stream. A format whose library can only write a
// file it opens by name (a workbook library) answers WritesNamedFile() and
// writes the path the report writer hands it instead.
class Formatter {
 public:
  virtual ~Formatter() = default;

  virtual bool WritesNamedFile() const { return false; }
  // Stream formats: the output's bytes.
  virtual void Write(const TallyResult& result, std::ostream& out) const;
  // Named-file formats: writes the file at `path` whole; false when it could not.
  virtual bool WriteFile(const TallyResult& result, const std::filesystem::path& path) const;
};

// Writes a formatter's output to the file `target` through the one report
// writer (see WriteReportFile); what the user is to be told when it failed.
std::optional<Problem> WriteReport(const Formatter& formatter, const TallyResult& result,
                                   const std::filesystem::path& target);

// Writes a formatter's output to a stream (standard output); a named-file
// format passes through a temporary file. False when the output could not
// be made or the stream failed.
bool WriteReport(const Formatter& formatter, const TallyResult& result, std::ostream& out);

}  // namespace tallyer
