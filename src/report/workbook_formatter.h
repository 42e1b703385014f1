#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

#include "report/formatter.h"

namespace tallyer {

// The workbook (.xlsx) of a result, for spreadsheets: sheet 集計 with the
// heading block, a row per member row, the team rows and SUM totals; with a
// breakdown, sheet 期間別 with members down and units across. Counts are
// numbers and durations days shown [h]:mm, whatever the duration form.
class WorkbookFormatter : public Formatter {
 public:
  bool WritesNamedFile() const override { return true; }
  bool WriteFile(const TallyResult& result, const std::filesystem::path& path) const override;
};

// Rows sheet 集計 takes for the result.
std::size_t WorkbookSummaryRows(const TallyResult& result);

// What the user is told when the result has more rows than a sheet holds
// (CP932, %1 the target); none when it fits. Such a workbook is not written:
// a sheet cut short would show wrong totals.
std::optional<std::string> WorkbookTooLongMessage(const TallyResult& result,
                                                  const std::filesystem::path& target);

}  // namespace tallyer
