#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>

#include "data/cp932.h"
#include "data/file_error.h"
#include "report/report_writers.h"
#include "run/ui_services.h"

namespace tallyer {
namespace {

namespace fs = std::filesystem;

// A failure always has a cause, also for an errno the mapping does not know.
int CauseOf(int error) {
  const int cause = FileErrorCauseFromErrno(error);
  return cause == kCauseNone ? kCauseGeneric : cause;
}

std::string Cp932Path(const fs::path& path) {
  const std::u8string utf8 = path.u8string();
  return Utf8ToCp932(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}

// Writes all bytes, continuing after partial writes; returns a FileError cause.
// A write that stores nothing although bytes remain means the disk is full.
int WriteAll(int fd, const std::string& doc) {
  std::size_t done = 0;
  while (done < doc.size()) {
    const ssize_t n = ::write(fd, doc.data() + done, doc.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return CauseOf(errno);
    }
    if (n == 0) return kCauseDiskFull;
    done += static_cast<std::size_t>(n);
  }
  return kCauseNone;
}

// Devices and pipes (a terminal, /dev/stdout) cannot be replaced: they are
// written directly, as is a report in a folder where no file can be created.
int WriteInPlace(const std::string& doc, const fs::path& target) {
  const int fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) return CauseOf(errno);
  const int cause = WriteAll(fd, doc);
  ::close(fd);
  return cause;
}

// Creates a fresh file beside the target that no one else has open. Its name
// is short whatever the target's: a target name near the file system's limit
// must not make the temporary name too long.
int CreateTemporary(const fs::path& target, fs::path& temporary) {
  static std::atomic<unsigned> counter{0};
  for (;;) {
    std::string name(".tallyer-report-");
    name += std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
    temporary = target.parent_path() / name;
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
}

// The document goes to a temporary file that replaces the target only when
// complete, so that a failed write leaves the previous report as it was.
int WriteReplacing(const std::string& doc, fs::path target) {
  std::error_code ec;
  if (fs::is_symlink(target, ec)) {
    const fs::path resolved = fs::canonical(target, ec);
    if (!ec) target = resolved;
  }
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists && !S_ISREG(existing.st_mode) && !S_ISDIR(existing.st_mode)) {
    return WriteInPlace(doc, target);
  }
  if (exists && S_ISREG(existing.st_mode)) {
    // A file that may not be written is refused as a direct write to it would
    // be, not replaced behind its back by the rename below.
    if ((existing.st_mode & 0222) == 0) return kCauseAccessDenied;
    const int probe = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (probe < 0) return CauseOf(errno);
    ::close(probe);
  }

  fs::path temporary;
  const int fd = CreateTemporary(target, temporary);
  if (fd < 0) {
    // A writable report in a folder that takes no new files can only be
    // written in place; refusing it would fail where a direct write succeeds.
    const int error = errno;
    if (exists && (error == EACCES || error == EPERM)) return WriteInPlace(doc, target);
    return CauseOf(error);
  }
  int cause = WriteAll(fd, doc);
  // A replaced report keeps the permissions the user gave it.
  if (cause == kCauseNone && exists) ::fchmod(fd, existing.st_mode & 07777);
  if (cause == kCauseNone && ::fsync(fd) != 0 && errno != EINVAL) cause = CauseOf(errno);
  if (::close(fd) != 0 && cause == kCauseNone && errno != EINTR) cause = CauseOf(errno);
  if (cause == kCauseNone && ::rename(temporary.c_str(), target.c_str()) != 0) {
    cause = CauseOf(errno);
  }
  if (cause != kCauseNone) ::unlink(temporary.c_str());
  return cause;
}

}  // namespace

std::string ReportFileErrorMessage(int cause, const fs::path& path) {
  const char* text = nullptr;
  switch (cause) {
    case kCauseFileNotFound: text = "%1 が見つかりませんでした。"; break;
    case kCauseBadPath: text = "%1 には無効なﾊﾟｽが含まれています。"; break;
    case kCauseTooManyOpenFiles: text = "開いているﾌｧｲﾙが多すぎるため、%1 を開けませんでした。"; break;
    case kCauseAccessDenied: text = "%1 へのｱｸｾｽは拒否されました。"; break;
    case kCauseInvalidFile: text = "%1 へ無効なﾌｧｲﾙ ﾊﾝﾄﾞﾙが関連付けられていました。"; break;
    case kCauseDirectoryFull: text = "%1 を作成できませんでした。そのﾃﾞｨﾚｸﾄﾘはいっぱいです。"; break;
    case kCauseHardIO: text = "%1 へのｱｸｾｽ中にﾊｰﾄﾞｳｪｱ I/O ｴﾗｰが報告されました。"; break;
    case kCauseSharingViolation: text = "%1 へのｱｸｾｽ中に共有違反が発生しました。"; break;
    case kCauseLockViolation: text = "%1 へのｱｸｾｽ中にﾛｯｸ違反が発生しました。"; break;
    case kCauseDiskFull: text = "%1 へのｱｸｾｽ中にﾃﾞｨｽｸがいっぱいになりました。"; break;
    default: text = "%1 へのｱｸｾｽ中に不明なｴﾗｰが発生しました。"; break;
  }
  std::string message = Utf8ToCp932(text);
  const std::size_t at = message.find("%1");
  message.replace(at, 2, Cp932Path(path));
  return message;
}

bool WriteReportFile(const std::string& doc, const fs::path& outputPath,
                     const fs::path& htmlReportPath, UiServices& ui) {
  const fs::path& target = outputPath.empty() ? htmlReportPath : outputPath;
  const int cause = WriteReplacing(doc, target);
  if (cause == kCauseNone) return true;
  ui.ShowMessage(ReportFileErrorMessage(cause, target), MessageKind::kExclamation);
  return false;
}

}  // namespace tallyer
