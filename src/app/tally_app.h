#pragma once

#include <QStringList>
#include <filesystem>

#include "run/app_values.h"

namespace tallyer {

class DiagnosticLog;
class FileDialogs;
class SettingsStore;
class WindowSettings;

// The application object: restores the time band, decides where the HTML
// report goes, runs the main window and, however the program ends, saves the
// time band and the window's size and place.
class CTallyApp {
 public:
  explicit CTallyApp(SettingsStore& store) : store_(store) {}

  // Start-up for the program file `programFile`; the report goes to its
  // folder, or to `appDataFolder` when the program's folder is not writable.
  void InitInstance(const std::filesystem::path& programFile,
                    const std::filesystem::path& appDataFolder);
  // Exit: stores the time band of the last run (or the one read at start).
  void ExitInstance();

  // The whole life of the program: start-up, the window until it closes, exit.
  // `arguments` are the program's (its name first). Returns the exit code.
  int Exec(WindowSettings& windowSettings, FileDialogs& files, DiagnosticLog& log,
           const QStringList& arguments);

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
