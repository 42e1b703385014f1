#include "data/archive_reader.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "data/cp932.h"
#include "data/file_error.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace tallyer {
namespace {

// The few file calls the reader needs, so that the rest stays platform-neutral.
// The open takes no lock: the scheduler may have the file open meanwhile.
int OpenReadOnly(const std::filesystem::path& path) {
#ifdef _WIN32
  // CreateFileW rather than _wopen: the cause of a failure comes from
  // GetLastError, which errno would fold (a sharing violation into EACCES).
  const HANDLE h = CreateFileW(path.c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
                               nullptr);
  if (h == INVALID_HANDLE_VALUE) throw FileError{FileErrorCauseFromWin32(GetLastError(), path)};
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_RDONLY | _O_BINARY);
  if (fd < 0) CloseHandle(h);
  return fd;
#else
  return ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
#endif
}

long long ReadSome(int fd, unsigned char* to, std::size_t n) {
  for (;;) {
#ifdef _WIN32
    const long long r = _read(fd, to, static_cast<unsigned>(n));
#else
    const long long r = ::read(fd, to, n);
#endif
    if (r >= 0 || errno != EINTR) return r;
  }
}

// The current size of the open file, or -1.
long long FileSize(int fd) {
#ifdef _WIN32
  struct _stat64 st;
  if (_fstat64(fd, &st) != 0) return -1;
#else
  struct stat st;
  if (::fstat(fd, &st) != 0) return -1;
#endif
  return static_cast<long long>(st.st_size);
}

void CloseFile(int fd) {
#ifdef _WIN32
  _close(fd);
#else
  ::close(fd);
#endif
}

#ifdef _WIN32
// The C library keeps the Win32 error of its failed call in _doserrno.
[[noreturn]] void ThrowFileError() { throw FileError{FileErrorCauseFromWin32(_doserrno)}; }
#else
[[noreturn]] void ThrowFileError() { throw FileError{FileErrorCauseFromErrno(errno)}; }
#endif
[[noreturn]] void ThrowEndOfFile() { throw ArchiveError{ArchiveError::kEndOfFile}; }

constexpr std::uint16_t kWideMarker = 0xFFFE;
constexpr std::uint16_t kLongLength = 0xFFFF;

}  // namespace

ArchiveReader::~ArchiveReader() { Close(); }

void ArchiveReader::Open(const std::filesystem::path& path) {
  Close();
  fd_ = OpenReadOnly(path);
  if (fd_ < 0) ThrowFileError();
}

void ArchiveReader::OpenBytes(std::string_view bytes) {
  Close();
  buf_ = reinterpret_cast<const unsigned char*>(bytes.data());
  end_ = bytes.size();
}

void ArchiveReader::Close() {
  if (fd_ >= 0) CloseFile(fd_);
  fd_ = -1;
  buf_ = buffer_.data();
  begin_ = end_ = 0;
  fileOffset_ = 0;
}

void ArchiveReader::Refill(std::size_t n) {
  if (buf_ != buffer_.data()) ThrowEndOfFile();  // bytes in memory: all there is
  if (fd_ < 0) throw FileError{kCauseInvalidFile};
  // Keep the bytes of a value that straddles the buffer's end and refill behind them.
  const std::size_t kept = end_ - begin_;
  std::memmove(buffer_.data(), buffer_.data() + begin_, kept);
  begin_ = 0;
  end_ = kept;
  while (end_ < n) {
    const long long r = ReadSome(fd_, buffer_.data() + end_, kBufferSize - end_);
    if (r < 0) ThrowFileError();
    if (r == 0) ThrowEndOfFile();
    end_ += static_cast<std::size_t>(r);
    fileOffset_ += static_cast<std::uint64_t>(r);
  }
}

std::uint32_t ArchiveReader::ReadLength(bool& wide) {
  wide = false;
  for (;;) {
    const std::uint8_t small = ReadU8();
    if (small < 0xFF) return small;
    const std::uint16_t word = ReadU16();
    if (word == kLongLength) return ReadU32();
    if (word != kWideMarker) return word;
    // The writer never puts two markers in a row: such a file is damaged.
    if (wide) ThrowEndOfFile();
    wide = true;
  }
}

std::uint64_t ArchiveReader::BytesLeft() {
  const std::uint64_t buffered = end_ - begin_;
  if (buf_ != buffer_.data()) return buffered;
  if (fd_ < 0) throw FileError{kCauseInvalidFile};
  const long long size = FileSize(fd_);
  if (size < 0) ThrowFileError();
  const std::uint64_t unread =
      static_cast<std::uint64_t>(size) > fileOffset_ ? static_cast<std::uint64_t>(size) - fileOffset_ : 0;
  return buffered + unread;
}

void ArchiveReader::ReadBytes(std::uint64_t n, std::string* out) {
  const std::size_t buffered = end_ - begin_;
  if (n <= buffered) {
    if (out) out->assign(reinterpret_cast<const char*>(buf_ + begin_), n);
    begin_ += n;
    return;
  }
  // A damaged length must not make us allocate it: the file has to hold it first.
  if (n > BytesLeft()) ThrowEndOfFile();
  std::size_t done = 0;
  if (out) out->resize(n);
  while (done < n) {
    Require(1);
    const std::size_t take = std::min<std::uint64_t>(end_ - begin_, n - done);
    if (out) std::memcpy(out->data() + done, buf_ + begin_, take);
    begin_ += take;
    done += take;
  }
}

void ArchiveReader::ReadString(std::string& out) {
  bool wide = false;
  const std::uint64_t length = ReadLength(wide);
  if (!wide) {
    ReadBytes(length, &out);
    return;
  }
  ReadBytes(2 * length, &wideScratch_);
  out = Utf16leToCp932(wideScratch_);
}

std::string ArchiveReader::ReadString() {
  std::string s;
  ReadString(s);
  return s;
}

void ArchiveReader::SkipU32(std::int64_t n) {
  if (n <= 0) return;
  // More words than any file can hold (and whose byte count would overflow).
  if (static_cast<std::uint64_t>(n) > UINT64_MAX / 4) ThrowEndOfFile();
  ReadBytes(4 * static_cast<std::uint64_t>(n), nullptr);
}

void ArchiveReader::SkipStrings(std::int64_t n) {
  for (std::int64_t i = 0; i < n; ++i) {
    // Most strings are short, narrow and already buffered with their prefix.
    if (begin_ < end_ && buf_[begin_] < 0xFF && end_ - begin_ > buf_[begin_]) {
      begin_ += 1u + buf_[begin_];
      continue;
    }
    bool wide = false;
    const std::uint64_t length = ReadLength(wide);
    ReadBytes(wide ? 2 * length : length, nullptr);
  }
}

void ReadWholeFile(const std::filesystem::path& path, std::vector<char>& bytes, std::size_t& length) {
  length = 0;
  const int fd = OpenReadOnly(path);
  if (fd < 0) ThrowFileError();
  struct Closer {
    int fd;
    ~Closer() { CloseFile(fd); }
  } closer{fd};
  const long long size = FileSize(fd);
  if (size < 0) ThrowFileError();
  // The size read now bounds what is read, whatever the file does meanwhile.
  const auto wanted = static_cast<std::size_t>(size);
  // Grown with room to spare: the next months, a little larger or smaller,
  // then need neither a new block nor zeroed pages.
  if (bytes.size() < wanted) bytes.resize(wanted + wanted / 8);
  while (length < wanted) {
    const long long r = ReadSome(fd, reinterpret_cast<unsigned char*>(bytes.data()) + length, wanted - length);
    if (r < 0) ThrowFileError();  // what was read is still good
    if (r == 0) break;            // cut since its size was taken
    length += static_cast<std::size_t>(r);
  }
}

}  // namespace tallyer
