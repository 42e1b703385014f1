#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>
#include <system_error>

#include "data/file_error.h"
#include "report/report_file_platform.h"

namespace tallyer::platform {
namespace {

namespace fs = std::filesystem;

// A failure always has a cause, also for an errno the mapping does not know.
int CauseOf(int error) {
  const int cause = FileErrorCauseFromErrno(error);
  return cause == kCauseNone ? kCauseGeneric : cause;
}

// Writes all bytes, continuing after partial writes; returns a FileError cause.
// A write that stores nothing although bytes remain means the disk is full.
int WriteAll(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return CauseOf(errno);
    }
    if (n == 0) return kCauseDiskFull;
    done += static_cast<std::size_t>(n);
  }
  return kCauseNone;
}

// A library that writes named files tells only whether it managed.
int WriteNamed(const ReportContent& content, const fs::path& path) {
  return content.writeNamedFile(path) ? kCauseNone : kCauseGeneric;
}

// Devices and pipes (a terminal, /dev/stdout) cannot be replaced: they are
// written directly, as is a report in a folder where no file can be created.
int WriteInPlace(const ReportContent& content, const fs::path& target) {
  const int fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) return CauseOf(errno);
  if (content.writeNamedFile) {
    ::close(fd);
    return WriteNamed(content, target);
  }
  const int cause = WriteAll(fd, content.bytes);
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

// Fills the temporary file: the bytes through `fd`, or a named file's library
// writing it by its name, after which it is opened again to be synced.
int FillTemporary(int& fd, const ReportContent& content, const fs::path& temporary) {
  if (!content.writeNamedFile) return WriteAll(fd, content.bytes);
  ::close(fd);
  fd = -1;
  if (const int cause = WriteNamed(content, temporary); cause != kCauseNone) return cause;
  fd = ::open(temporary.c_str(), O_WRONLY | O_CLOEXEC);
  return fd < 0 ? CauseOf(errno) : kCauseNone;
}

}  // namespace

// The report goes to a temporary file that replaces the target only when
// complete, so that a failed write leaves the previous report as it was.
int WriteReportFile(const fs::path& requested, const ReportContent& content) {
  fs::path target = requested;
  std::error_code ec;
  if (fs::is_symlink(target, ec)) {
    const fs::path resolved = fs::canonical(target, ec);
    if (!ec) target = resolved;
  }
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists && !S_ISREG(existing.st_mode) && !S_ISDIR(existing.st_mode)) {
    return WriteInPlace(content, target);
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
  int fd = CreateTemporary(target, temporary);
  if (fd < 0) {
    // A writable report in a folder that takes no new files can only be
    // written in place; refusing it would fail where a direct write succeeds.
    const int error = errno;
    if (exists && (error == EACCES || error == EPERM)) return WriteInPlace(content, target);
    return CauseOf(error);
  }
  int cause = FillTemporary(fd, content, temporary);
  // A replaced report keeps the permissions the user gave it.
  if (cause == kCauseNone && exists) ::fchmod(fd, existing.st_mode & 07777);
  if (cause == kCauseNone && ::fsync(fd) != 0 && errno != EINVAL) cause = CauseOf(errno);
  if (fd >= 0 && ::close(fd) != 0 && cause == kCauseNone && errno != EINTR) cause = CauseOf(errno);
  if (cause == kCauseNone && ::rename(temporary.c_str(), target.c_str()) != 0) {
    cause = CauseOf(errno);
  }
  if (cause != kCauseNone) ::unlink(temporary.c_str());
  return cause;
}

}  // namespace tallyer::platform
