#pragma once

#include "run/app_values.h"
#include "run/run_host.h"
#include "run/settings_store.h"
#include "tally/tally_result.h"

namespace tallyer {

class TallyContext;

enum class RunOutcome {
  kRefused,          // the target or a validation was refused; nothing saved or written
  kUnreadableInput,  // the type colour file cannot be read; nothing saved or written
  kWriteFailed,  // the report file could not be written (the message was shown)
  kDone,
};

// One tally run: refuses a report target that is a file of the scheduler or
// of the run, and an unreadable type colour file; validates and saves the
// options, loads and filters the period, writes the report of the mode, then
// shows "出力しました。" (CSV) or opens the HTML page. Every outcome is told to
// the user through `host`.
RunOutcome Run(const TallySettings& settings, TallyContext& context, AppValues& app,
               SettingsStore& store, RunHost& host);

// The run up to its result, for a program that writes the outputs itself:
// refuses an unreadable type colour file and options that fail validation
// (the message shown), else saves the options, loads and filters the period
// and builds `result` once (the type colour file read once), moving the
// progress from 0 to 65. kDone when `result` was built.
RunOutcome TallyRun(const TallySettings& settings, TallyContext& context, AppValues& app,
                    SettingsStore& store, RunHost& host, TallyResult& result);

// The option lines of the classic report head (period; content filter; time band),
// ending in CR LF (CSV) or "<br>" LF (HTML).
std::string ComposeOptionLines(const TallySettings& settings, bool csv);

}  // namespace tallyer
