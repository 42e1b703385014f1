#pragma once

#include <string>

#include "data/date_time.h"
#include "run/settings_store.h"
#include "run/app_values.h"

namespace tallyer {

// "%04d%02d%02d%02d%02d" with the time of day, "%04d%02d%02d" without.
std::string FormatTimestamp(const DateTime& value, bool withTime);
// The inverse of FormatTimestamp, tolerant of both forms; fields that form no
// date-time give the invalid status.
DateTime ParseTimestamp(const std::string& text);

// Saves the options of a run, in the order the run driver writes them.
void SaveRunOptions(SettingsStore& store, const TallySettings& settings);
// Reads the stored options into `settings` in the dialog's order; the dates
// only when stored (otherwise `settings` keeps its defaults).
void LoadStoredOptions(SettingsStore& store, TallySettings& settings);

// The stored time band ("time1", "time2") read at start-up and saved at exit.
void LoadStoredBand(SettingsStore& store, AppValues& values);
void SaveStoredBand(SettingsStore& store, const AppValues& values);

}  // namespace tallyer
