#include "data/file_error.h"

#include <cerrno>

namespace tallyer {

// The causes are those of the platform the scheduler runs on; POSIX errors are
// mapped to the nearest one:
//   ENOENT                                  -> 2  file not found
//   ENOTDIR, ENAMETOOLONG, ELOOP, EINVAL    -> 3  bad path
//   EMFILE, ENFILE                          -> 4  too many open files
//   EACCES, EPERM, EROFS, EISDIR            -> 5  access denied
//   EBADF                                   -> 6  invalid file
//   EBUSY                                   -> 7  remove current directory (in use)
//   ESPIPE, EOVERFLOW                       -> 9  bad seek
//   EIO, ENXIO, ENODEV                      -> 10 hardware I/O
//   ETXTBSY                                 -> 11 sharing violation
//   EAGAIN, EWOULDBLOCK, EDEADLK, ENOLCK    -> 12 lock violation
//   ENOSPC, EDQUOT, EFBIG                   -> 13 disk full
//   0                                       -> 0  none
//   anything else                           -> 1  generic
int FileErrorCauseFromErrno(int error) {
  switch (error) {
    case 0:
      return kCauseNone;
    case ENOENT:
      return kCauseFileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL:
      return kCauseBadPath;
    case EMFILE:
    case ENFILE:
      return kCauseTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return kCauseAccessDenied;
    case EBADF:
      return kCauseInvalidFile;
    case EBUSY:
      return kCauseRemoveCurrentDir;
    case ESPIPE:
    case EOVERFLOW:
      return kCauseBadSeek;
    case EIO:
    case ENXIO:
    case ENODEV:
      return kCauseHardIO;
    case ETXTBSY:
      return kCauseSharingViolation;
#if EWOULDBLOCK != EAGAIN
    case EWOULDBLOCK:
#endif
    case EAGAIN:
    case EDEADLK:
    case ENOLCK:
      return kCauseLockViolation;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG:
      return kCauseDiskFull;
    default:
      return kCauseGeneric;
  }
}

}  // namespace tallyer

#ifdef _WIN32
#include <windows.h>

namespace tallyer {

int FileErrorCauseFromWin32(unsigned long error) {
  switch (error) {
    case NO_ERROR:
      return kCauseNone;
    case ERROR_FILE_NOT_FOUND:
      return kCauseFileNotFound;
    case ERROR_PATH_NOT_FOUND:  // also a file used as a folder
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
      return kCauseBadPath;
    case ERROR_TOO_MANY_OPEN_FILES:
      return kCauseTooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_NETWORK_ACCESS_DENIED:
      return kCauseAccessDenied;
    case ERROR_INVALID_HANDLE:
      return kCauseInvalidFile;
    case ERROR_CURRENT_DIRECTORY:
      return kCauseRemoveCurrentDir;
    case ERROR_CANNOT_MAKE:
      return kCauseDirectoryFull;
    case ERROR_NEGATIVE_SEEK:
    case ERROR_SEEK_ON_DEVICE:
      return kCauseBadSeek;
    case ERROR_SEEK:
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_CRC:
    case ERROR_NOT_READY:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_IO_DEVICE:
      return kCauseHardIO;
    case ERROR_SHARING_VIOLATION:
      return kCauseSharingViolation;
    case ERROR_LOCK_VIOLATION:
    case ERROR_DRIVE_LOCKED:
      return kCauseLockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return kCauseDiskFull;
    case ERROR_HANDLE_EOF:
      return kCauseEndOfFile;
    default:
      return kCauseGeneric;
  }
}

int FileErrorCauseFromWin32(unsigned long error, const std::filesystem::path& path) {
  if (error != ERROR_PATH_NOT_FOUND) return FileErrorCauseFromWin32(error);
  std::error_code ec;
  for (std::filesystem::path p = path.parent_path(); !p.empty(); p = p.parent_path()) {
    const auto status = std::filesystem::status(p, ec);
    if (std::filesystem::exists(status)) {
      return std::filesystem::is_directory(status) ? kCauseFileNotFound : kCauseBadPath;
    }
    if (p == p.parent_path()) break;
  }
  return kCauseBadPath;
}

}  // namespace tallyer
#endif
