#pragma once

#include <cstddef>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "data/type_colors.h"
#include "report/json_report.h"
#include "run/app_values.h"
#include "run/run.h"
#include "run/settings_store.h"
#include "support/recording_run_host.h"
#include "tally/result_builder.h"
#include "tally/tally_context.h"

namespace tallyer::testing {

// The result of a run as the programs make it, month by month with
// `workers` threads reading the months; made at time 0.
inline TallyResult StreamedResult(const TallySettings& settings, std::size_t workers) {
  TallyContext context;
  context.workers = workers;
  EXPECT_EQ(context.group.ReadFile(settings.groupPath), std::nullopt);
  AppValues app;
  MemorySettingsStore store;
  RecordingRunHost host;
  TallyResult result;
  EXPECT_EQ(TallyRun(settings, context, app, store, host, result), RunOutcome::kDone);
  result.generatedAt = DateTime{};
  return result;
}

// The result of all of the period's schedules in memory at once, filtered as
// the settings say; made at time 0.
inline TallyResult AtOnceResult(const TallySettings& settings) {
  TallyContext context;
  EXPECT_EQ(context.group.ReadFile(settings.groupPath), std::nullopt);
  context.LoadPeriod(settings.firstDate, settings.lastDate);
  context.KeepPeriod(settings.firstDate, settings.lastDate);
  if (settings.contentOnly) {
    context.KeepContent(settings.contentText, settings.exactMatch, settings.ignoreCaseWidth);
  }
  if (settings.bandOnly) context.ClipToBand(settings.bandStart, settings.bandEnd);
  if (settings.noTentative) context.DropTentative();
  context.BuildMemberResults(settings.selectedKeys, settings.everyone);
  CTypeColors types;
  if (settings.mode == kModeType) types.Load(settings.typeFilePath);
  return BuildTallyResult(context, settings, &types, DateTime{});
}

inline std::string JsonOf(const TallyResult& result) {
  std::ostringstream out;
  JsonFormatter().Write(result, out);
  return out.str();
}

}  // namespace tallyer::testing
