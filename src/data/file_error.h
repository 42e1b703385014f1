#pragma once

#include <filesystem>

namespace tallyer {

// Causes of a FileError. The numbers are those written to the diagnostic log.
enum FileErrorCause : int {
  kCauseNone = 0,
  kCauseGeneric = 1,
  kCauseFileNotFound = 2,
  kCauseBadPath = 3,
  kCauseTooManyOpenFiles = 4,
  kCauseAccessDenied = 5,
  kCauseInvalidFile = 6,
  kCauseRemoveCurrentDir = 7,
  kCauseDirectoryFull = 8,
  kCauseBadSeek = 9,
  kCauseHardIO = 10,
  kCauseSharingViolation = 11,
  kCauseLockViolation = 12,
  kCauseDiskFull = 13,
  kCauseEndOfFile = 14,
};

// The file could not be opened or read at the operating-system level.
struct FileError {
  int cause = kCauseGeneric;
};

// The archive could not be decoded; the only cause raised is 3, end of file.
struct ArchiveError {
  static constexpr int kEndOfFile = 3;
  int cause = kEndOfFile;
};

// Maps an errno value to a FileError cause.
int FileErrorCauseFromErrno(int error);

#ifdef _WIN32
// Maps a Win32 error code (GetLastError) to a FileError cause; errno folds
// several of them into one, such as a sharing violation into "access denied".
int FileErrorCauseFromWin32(unsigned long error);
// The same for a failure on `path`. Windows reports a missing folder and a
// file used as a folder alike; as on other systems, the first is "file not
// found" and only the second "bad path".
int FileErrorCauseFromWin32(unsigned long error, const std::filesystem::path& path);
#endif

}  // namespace tallyer
