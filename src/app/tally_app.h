#pragma once

#include <filesystem>

#include "run/tally_settings.h"

namespace tallyer {

class DiagnosticLog;
class FileDialogs;
class SettingsStore;

// The application object: restores the time band, decides where the HTML
// report goes, runs the main dialog as the only window and saves the time band
// when that dialog closes.
class CTallyApp {
 public:
  explicit CTallyApp(SettingsStore& store) : store_(store) {}

  // Start-up for the program file `programFile`; the report goes to its
  // folder, or to `appDataFolder` when the program's folder is not writable.
  void InitInstance(const std::filesystem::path& programFile,
                    const std::filesystem::path& appDataFolder);
  // Exit: stores the time band of the last run (or the one read at start).
  void ExitInstance();

  // The whole life of the program: start-up, the dialog, exit. Returns the exit code.
  int Exec(FileDialogs& files, DiagnosticLog& log);

  AppValues& Values() { return values_; }

 private:
  SettingsStore& store_;
  AppValues values_;
};

// "Planwell_Output.html" in `programFolder` when the user may write there (a
// system-wide install may not), otherwise in `appDataFolder`, created if missing.
std::filesystem::path HtmlReportPath(const std::filesystem::path& programFolder,
                                     const std::filesystem::path& appDataFolder);

}  // namespace tallyer
