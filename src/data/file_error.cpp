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
