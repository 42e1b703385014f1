#include "run/diagnostic_log.h"

#include <cstdio>
#include <cstdlib>
#include <system_error>

#include "data/clock.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace tallyer {
namespace {

#ifdef _WIN32
// Appends `line` under the system-wide mutex that every copy of the program shares.
void AppendLocked(const std::filesystem::path& path, const std::string& line,
                  std::chrono::milliseconds wait) {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, L"Zanbo_Log_Mutex");
  const bool owned =
      mutex != nullptr && WaitForSingleObject(mutex, static_cast<DWORD>(wait.count())) == WAIT_OBJECT_0;
  // Only an existing file is written: logging never creates it.
  const HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
  }
  if (owned) ReleaseMutex(mutex);
  if (mutex != nullptr) CloseHandle(mutex);
}
#else
// Waits for an exclusive advisory lock on the open log file, polling so that the
// wait can end; false when another process held it for the whole wait.
bool LockWithin(int fd, std::chrono::milliseconds wait) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
    if (errno != EWOULDBLOCK && errno != EINTR) return false;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    const timespec pause{0, 5'000'000};  // 5 ms
    ::nanosleep(&pause, nullptr);
  }
}

// Appends `line` with one write while holding the lock that all copies of the
// program take on the log file itself; writes anyway when the wait ran out.
void AppendLocked(const std::filesystem::path& path, const std::string& line,
                  std::chrono::milliseconds wait) {
  // Only an existing file is written: logging never creates it.
  const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  if (fd < 0) return;
  const bool locked = LockWithin(fd, wait);
  ssize_t r;
  do {
    r = ::write(fd, line.data(), line.size());
  } while (r < 0 && errno == EINTR);
  if (locked) ::flock(fd, LOCK_UN);
  ::close(fd);
}
#endif

}  // namespace

std::string LogLinePrefix(int month, int day, int hour, int minute, int second) {
  char prefix[64];
  std::snprintf(prefix, sizeof prefix, "ZanboApp(%d/%d %d:%02d:%02d):", month, day, hour, minute,
                second);
  return prefix;
}

void DiagnosticLog::LogNumber(const std::string& text, long long number) {
  if (state_ == 0) {
    std::error_code ec;
    state_ = !path_.empty() && std::filesystem::exists(path_, ec) ? 1 : 2;
  }
  if (state_ == 2) return;
  WriteLogLine(text + std::to_string(number));
}

void DiagnosticLog::WriteLogLine(const std::string& text) {
  const CalendarParts now = LocalNow().Parts();
  std::string line = LogLinePrefix(now.month, now.day, now.hour, now.minute, now.second);
  line += text;
  line += "\r\n";
  AppendLocked(path_, line, lockWait_);
}

std::filesystem::path DefaultLogPath() {
#ifdef _WIN32
  return std::filesystem::path("c:\\zanbo.log");
#else
  // The XDG base directory rule: state files of programs live in $XDG_STATE_HOME.
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state != nullptr && state[0] == '/') return std::filesystem::path(state) / "zanbo.log";
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0')
    return std::filesystem::path(home) / ".local" / "state" / "zanbo.log";
  return {};
#endif
}

DiagnosticLog& ProcessLog() {
  static DiagnosticLog log(DefaultLogPath());
  return log;
}

}  // namespace tallyer
