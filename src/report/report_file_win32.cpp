// The report file on Windows: the same rules as on POSIX systems (a temporary
// file beside the target, flushed, then moved over it), with Win32 calls on
// wide paths, in binary, and the causes taken from GetLastError.
#include <windows.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "data/file_error.h"
#include "report/report_file_platform.h"

namespace tallyer::platform {
namespace {

namespace fs = std::filesystem;

// A failure always has a cause.
int LastCause(const fs::path& path) {
  const int cause = FileErrorCauseFromWin32(GetLastError(), path);
  return cause == kCauseNone ? kCauseGeneric : cause;
}

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() { Close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return h_; }
  void Reset(HANDLE h) {
    Close();
    h_ = h;
  }
  bool Close() {
    const bool ok = !Valid() || CloseHandle(h_) != 0;
    h_ = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE h_;
};

// Opened for writing with no sharing: no other program may open the report
// while it is written.
HANDLE OpenForWriting(const fs::path& path, DWORD disposition) {
  return CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                     nullptr);
}

// Writes all bytes; a write that stores nothing means the disk is full.
int WriteAll(HANDLE h, std::string_view bytes, const fs::path& path) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(h, bytes.data() + done, chunk, &written, nullptr)) return LastCause(path);
    if (written == 0) return kCauseDiskFull;
    done += written;
  }
  return kCauseNone;
}

// Devices (NUL, CON, a named pipe) cannot be replaced and are written directly,
// as is a report in a folder where no file can be created.
int WriteInPlace(const ReportContent& content, const fs::path& target) {
  Handle h(OpenForWriting(target, OPEN_EXISTING));
  if (!h.Valid()) return LastCause(target);
  if (GetFileType(h.Get()) == FILE_TYPE_DISK && !SetEndOfFile(h.Get())) return LastCause(target);
  if (content.writeNamedFile) {
    h.Close();
    return content.writeNamedFile(target) ? kCauseNone : kCauseGeneric;
  }
  return WriteAll(h.Get(), content.bytes, target);
}

// Fills the temporary file: the bytes through `h`, or a library writing it by
// its name, after which it is opened again to be flushed.
int FillTemporary(Handle& h, const ReportContent& content, const fs::path& temporary) {
  if (!content.writeNamedFile) return WriteAll(h.Get(), content.bytes, temporary);
  h.Close();
  if (!content.writeNamedFile(temporary)) return kCauseGeneric;
  h.Reset(OpenForWriting(temporary, OPEN_EXISTING));
  return h.Valid() ? kCauseNone : LastCause(temporary);
}

// Creates a fresh file beside the target; CREATE_NEW fails on an existing name.
HANDLE CreateTemporary(const fs::path& target, fs::path& temporary) {
  static std::atomic<unsigned> counter{0};
  for (;;) {
    std::wstring name(L".tallyer-report-");
    name += std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter++) + L".tmp";
    temporary = target.parent_path() / name;
    const HANDLE h = OpenForWriting(temporary, CREATE_NEW);
    if (h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return h;
  }
}

bool IsDevice(const fs::path& target) {
  Handle h(CreateFileW(target.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return h.Valid() && GetFileType(h.Get()) != FILE_TYPE_DISK;
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
  const DWORD attributes = GetFileAttributesW(target.c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (IsDevice(target)) return WriteInPlace(content, target);
  if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    // A read-only report is refused as a direct write to it would be, and one
    // that another program holds open (a spreadsheet) gives its sharing violation.
    if (attributes & FILE_ATTRIBUTE_READONLY) return kCauseAccessDenied;
    Handle probe(OpenForWriting(target, OPEN_EXISTING));
    if (!probe.Valid()) return LastCause(target);
  }

  fs::path temporary;
  Handle h(CreateTemporary(target, temporary));
  if (!h.Valid()) {
    const DWORD error = GetLastError();
    if (exists && error == ERROR_ACCESS_DENIED) return WriteInPlace(content, target);
    SetLastError(error);
    return LastCause(temporary);
  }
  int cause = FillTemporary(h, content, temporary);
  if (cause == kCauseNone && !FlushFileBuffers(h.Get())) cause = LastCause(temporary);
  if (!h.Close() && cause == kCauseNone) cause = LastCause(temporary);
  // A replaced report keeps its attributes (hidden, archive).
  if (cause == kCauseNone && exists && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    SetFileAttributesW(temporary.c_str(), attributes);
  }
  if (cause == kCauseNone &&
      !MoveFileExW(temporary.c_str(), target.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    cause = LastCause(target);
  }
  if (cause != kCauseNone) DeleteFileW(temporary.c_str());
  return cause;
}

}  // namespace tallyer::platform
