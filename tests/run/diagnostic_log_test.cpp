#include "run/diagnostic_log.h"

#ifdef _WIN32
#include <windows.h>

#include <thread>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "support/temp_dir.h"
#include "support/text_match.h"

namespace tallyer {
namespace {

using testing::TempDir;

const char* const kLinePattern = "ZanboApp\\([0-9]{1,2}/[0-9]{1,2} [0-9]{1,2}:[0-9]{2}:[0-9]{2}\\):";

TEST(LogLinePrefixTest, MonthDayAndHourHaveNoPaddingMinutesAndSecondsTwoDigits) {
  EXPECT_EQ(LogLinePrefix(1, 5, 7, 3, 9), "ZanboApp(1/5 7:03:09):");
  EXPECT_EQ(LogLinePrefix(12, 31, 23, 59, 5), "ZanboApp(12/31 23:59:05):");
  EXPECT_EQ(LogLinePrefix(6, 1, 0, 0, 0), "ZanboApp(6/1 0:00:00):");
}

class DiagnosticLogTest : public ::testing::Test {
 protected:
  TempDir dir_;
  std::filesystem::path file_ = dir_ / "zanbo.log";
};

TEST_F(DiagnosticLogTest, WithoutTheFileNothingIsCreatedEver) {
  DiagnosticLog log(file_);
  for (int i = 0; i < 3; ++i) log.LogNumber("CGroup::ReadFile() ex->m_cause=", 2);
  EXPECT_EQ(log.State(), 2);
  EXPECT_FALSE(std::filesystem::exists(file_));
  // Creating the file later does not switch this process's log on.
  testing::WriteBytes(file_, "");
  log.LogNumber("x", 1);
  EXPECT_EQ(testing::ReadBytes(file_), "");
}

TEST_F(DiagnosticLogTest, WithTheFileLinesAreAppendedWithCrLf) {
  testing::WriteBytes(file_, "earlier\r\n");
  DiagnosticLog log(file_);
  log.LogNumber("CGroup::ReadFile() ex->m_cause=", 2);
  log.LogNumber("negative=", -17);
  EXPECT_EQ(log.State(), 1);
  EXPECT_THAT(testing::ReadBytes(file_),
              testing::MatchesStdRegex(std::string("earlier\r\n") + kLinePattern +
                                      "CGroup::ReadFile\\(\\) ex->m_cause=2\r\n" + kLinePattern +
                                      "negative=-17\r\n"));
}

TEST_F(DiagnosticLogTest, TheTextIsWrittenAsItsBytes) {
  testing::WriteBytes(file_, "");
  DiagnosticLog log(file_);
  log.WriteLogLine("\x83\x65\x83\x58\x83\x67");  // CP932 text passes unchanged
  const std::string content = testing::ReadBytes(file_);
  EXPECT_THAT(content, ::testing::EndsWith("):\x83\x65\x83\x58\x83\x67\r\n"));
}

TEST_F(DiagnosticLogTest, AFileDeletedAfterTheDecisionIsNotRecreated) {
  testing::WriteBytes(file_, "");
  DiagnosticLog log(file_);
  log.LogNumber("a", 1);
  std::filesystem::remove(file_);
  log.LogNumber("b", 2);  // must neither fail nor create the file
  EXPECT_EQ(log.State(), 1);
  EXPECT_FALSE(std::filesystem::exists(file_));
}

#ifdef _WIN32
// Holds the mutex that every copy of the program takes, from another thread,
// until released.
class MutexHolder {
 public:
  MutexHolder()
      : thread_([this] {
          HANDLE mutex = CreateMutexW(nullptr, TRUE, L"Zanbo_Log_Mutex");
          SetEvent(held_);
          WaitForSingleObject(release_, INFINITE);
          ReleaseMutex(mutex);
          CloseHandle(mutex);
        }) {
    WaitForSingleObject(held_, INFINITE);
  }
  ~MutexHolder() {
    SetEvent(release_);
    thread_.join();
    CloseHandle(held_);
    CloseHandle(release_);
  }

 private:
  HANDLE held_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE release_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread thread_;
};

TEST_F(DiagnosticLogTest, TheLineIsWrittenEvenWhenAnotherWriterKeepsTheMutex) {
  testing::WriteBytes(file_, "");
  MutexHolder other;
  DiagnosticLog log(file_);
  log.SetLockWait(std::chrono::milliseconds(0));
  log.LogNumber("locked=", 1);
  EXPECT_THAT(testing::ReadBytes(file_), testing::MatchesStdRegex(std::string(kLinePattern) + "locked=1\r\n"));
}

TEST(DefaultLogPathTest, IsTheFixedFileOnDriveC) {
  EXPECT_EQ(DefaultLogPath(), std::filesystem::path(L"c:\\zanbo.log"));
}
#else
TEST_F(DiagnosticLogTest, TheLineIsWrittenEvenWhenAnotherWriterKeepsTheLock) {
  testing::WriteBytes(file_, "");
  const int other = ::open(file_.c_str(), O_RDWR);
  ASSERT_GE(other, 0);
  ASSERT_EQ(::flock(other, LOCK_EX), 0);
  DiagnosticLog log(file_);
  log.SetLockWait(std::chrono::milliseconds(0));
  log.LogNumber("locked=", 1);
  ::close(other);
  EXPECT_THAT(testing::ReadBytes(file_), testing::MatchesStdRegex(std::string(kLinePattern) + "locked=1\r\n"));
}

TEST_F(DiagnosticLogTest, TheLockIsReleasedAfterEachLine) {
  testing::WriteBytes(file_, "");
  DiagnosticLog log(file_);
  log.LogNumber("n=", 1);
  const int other = ::open(file_.c_str(), O_RDWR);
  ASSERT_GE(other, 0);
  EXPECT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
  ::close(other);
}

// Sets an environment variable for the scope and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) ::setenv(name, value, 1); else ::unsetenv(name);
  }
  ~ScopedEnv() {
    if (old_) ::setenv(name_, old_->c_str(), 1); else ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(DefaultLogPathTest, LivesInTheUsersStateFolder) {
  {
    ScopedEnv state("XDG_STATE_HOME", "/tmp/state");
    EXPECT_EQ(DefaultLogPath(), "/tmp/state/zanbo.log");
  }
  {
    ScopedEnv state("XDG_STATE_HOME", nullptr);
    ScopedEnv home("HOME", "/home/u");
    EXPECT_EQ(DefaultLogPath(), "/home/u/.local/state/zanbo.log");
  }
  {
    ScopedEnv state("XDG_STATE_HOME", "relative/dir");  // not absolute: ignored
    ScopedEnv home("HOME", "/home/u");
    EXPECT_EQ(DefaultLogPath(), "/home/u/.local/state/zanbo.log");
  }
  {
    ScopedEnv state("XDG_STATE_HOME", nullptr);
    ScopedEnv home("HOME", nullptr);
    EXPECT_EQ(DefaultLogPath(), "");
    DiagnosticLog log(DefaultLogPath());
    log.LogNumber("x", 1);
    EXPECT_EQ(log.State(), 2);
  }
}
#endif

}  // namespace
}  // namespace tallyer
