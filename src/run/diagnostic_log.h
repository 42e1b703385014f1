#pragma once

#include <chrono>
#include <filesystem>
#include <string>

namespace tallyer {

// Support diagnostics: time-stamped lines appended to a fixed log file, only
// when that file already exists at the first decision of the process. Lines of
// concurrent processes are kept whole by an advisory lock on the log file.
class DiagnosticLog {
 public:
  static constexpr std::chrono::milliseconds kLockWait{10000};

  explicit DiagnosticLog(std::filesystem::path path) : path_(std::move(path)) {}

  // Logs `text` directly followed by `number` in decimal (CP932 text).
  void LogNumber(const std::string& text, long long number);
  // Appends "ZanboApp(M/D H:MM:SS):" + text + CR LF. Never reports failures.
  void WriteLogLine(const std::string& text);

  // 0 not yet decided, 1 enabled, 2 disabled.
  int State() const { return state_; }
  const std::filesystem::path& Path() const { return path_; }

  // How long a line waits for another process's lock before it is written anyway.
  void SetLockWait(std::chrono::milliseconds wait) { lockWait_ = wait; }

 private:
  std::filesystem::path path_;
  int state_ = 0;
  std::chrono::milliseconds lockWait_ = kLockWait;
};

// The prefix of a log line for the given local time: "ZanboApp(M/D H:MM:SS):".
std::string LogLinePrefix(int month, int day, int hour, int minute, int second);

// The program's log file: zanbo.log in $XDG_STATE_HOME (default
// ~/.local/state); on Windows c:\zanbo.log. Empty when there is no home folder.
std::filesystem::path DefaultLogPath();

// The process-wide log at DefaultLogPath().
DiagnosticLog& ProcessLog();

}  // namespace tallyer
