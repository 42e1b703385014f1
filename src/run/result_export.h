#pragma once

#include <filesystem>

#include "report/formatter.h"
#include "run/ui_services.h"
#include "tally/tally_settings.h"

namespace tallyer {

// Writing a result the program already holds to a file the user chose, as a
// run writes its report: the same refusals, the same report writer, the
// messages told through `ui`.

// Whether a report of a run with `settings` may go to `target`: false (the
// message shown) when the target is a file of the scheduler or one the run
// reads. Asked before the run, so that a refusal saves and writes nothing.
bool ReportTargetAllowed(const TallySettings& settings, const std::filesystem::path& target,
                         UiServices& ui);

// Checks the target against the result's run, then writes the formatter's
// output there; false (the message shown) when refused or not written.
bool ExportResult(const Formatter& formatter, const TallyResult& result,
                  const std::filesystem::path& target, UiServices& ui);

}  // namespace tallyer
