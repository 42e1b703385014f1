#pragma once

#include <iosfwd>
#include <string>

#include "report/formatter.h"
#include "tally/tally_settings.h"

namespace tallyer {

// The classic reports, byte for byte what stored files and the scheduler's
// users rely on: CP932, a head with the group name and the option lines,
// then each member's rows in the layout of its mode.

// The CSV file: CR LF line ends, text fields quoted where needed and
// prefixed with "'" where a spreadsheet would run them.
class ClassicCsvFormatter : public Formatter {
 public:
  void Write(const TallyResult& result, std::ostream& out) const override;
};

// The HTML page: a table, LF line ends, texts escaped.
class ClassicHtmlFormatter : public Formatter {
 public:
  void Write(const TallyResult& result, std::ostream& out) const override;
};

// The option lines below the group line: the period; the content filter
// when on; the time band when on. Each ends in CR LF (CSV) or "<br>" LF (HTML).
std::string ClassicCsvOptionLines(const TallySettings& settings);
std::string ClassicHtmlOptionLines(const TallySettings& settings);

// The whole documents, as written to the file.
std::string ClassicCsvDocument(const TallyResult& result);
std::string ClassicHtmlDocument(const TallyResult& result);

}  // namespace tallyer
