#pragma once

#include <iosfwd>
#include <string>

#include "cli/text_table.h"
#include "report/formatter.h"

namespace tallyer::cli {

// The result as a terminal table, with the columns of the classic report of
// its mode: member, [colour, [type,]] or [content,] count, time. Cells are
// UTF-8; control characters inside texts show as spaces.
TextTable ResultTable(const TallyResult& result);

// The breakdown by period: members down, units across, with row and column
// totals, durations in the run's form. Empty without a breakdown.
TextTable BreakdownTable(const TallyResult& result);

// The lines above the table in UTF-8: the group line, then the run's option
// lines of the CSV kind (CP932, ending in CR LF) with LF line ends.
std::string ResultHeading(const std::string& groupName, const std::string& optionLines);

// What tallyer-cli prints without an output option: the heading, an empty
// line and the table (the breakdown table when the run has one).
class TerminalTableFormatter : public Formatter {
 public:
  void Write(const TallyResult& result, std::ostream& out) const override;
};

}  // namespace tallyer::cli
