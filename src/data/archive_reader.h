#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "data/date_time.h"

namespace tallyer {

// Sequential reader of the scheduler's binary archives: little-endian values
// and length-prefixed strings read through a 4096-byte buffer, or from bytes
// already in memory. A value is delivered whole or not at all: reading past
// the end raises ArchiveError (end of file), an operating-system failure
// raises FileError.
class ArchiveReader {
 public:
  static constexpr std::size_t kBufferSize = 4096;

  ArchiveReader() = default;
  ~ArchiveReader();
  ArchiveReader(const ArchiveReader&) = delete;
  ArchiveReader& operator=(const ArchiveReader&) = delete;

  // Opens the file read-only, positioned at offset 0; raises FileError.
  void Open(const std::filesystem::path& path);
  // Reads from `bytes`, which must outlive the reading: string views point
  // into them.
  void OpenBytes(std::string_view bytes);
  void Close();

  // The value readers are inline: a month file is millions of them, and all
  // but one in a thousand find their bytes already in the buffer.
  std::uint8_t ReadU8() {
    Require(1);
    return buf_[begin_++];
  }
  std::uint16_t ReadU16() {
    Require(2);
    const unsigned char* p = buf_ + begin_;
    begin_ += 2;
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
  }
  std::uint32_t ReadU32() {
    Require(4);
    const unsigned char* p = buf_ + begin_;
    begin_ += 4;
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
  }
  std::int32_t ReadI32() { return static_cast<std::int32_t>(ReadU32()); }
  double ReadF64() {
    Require(8);
    const std::uint64_t low = ReadU32();
    const std::uint64_t high = ReadU32();
    return std::bit_cast<double>(low | high << 32);
  }
  // The next string as CP932 text (wide strings are converted).
  std::string ReadString();
  // The same into `out`, reusing its storage.
  void ReadString(std::string& out);
  // The next string as a view that is valid until the next read: into the
  // buffer when the string lies there whole, else into `scratch`.
  std::string_view ReadStringView(std::string& scratch) {
    // Most strings are short, narrow and already buffered with their prefix.
    if (begin_ < end_) {
      const std::size_t length = buf_[begin_];
      if (length < 0xFF && end_ - begin_ > length) {
        const std::string_view view(reinterpret_cast<const char*>(buf_ + begin_ + 1), length);
        begin_ += 1 + length;
        return view;
      }
    }
    ReadString(scratch);
    return scratch;
  }
  DateTime ReadDateTime() {
    Require(12);  // status and value arrive together or not at all
    DateTime t;
    t.status = ReadI32();
    t.value = ReadF64();
    return t;
  }
  std::uint32_t ReadColor() { return ReadU32(); }
  void SkipU32(std::int64_t n);
  void SkipStrings(std::int64_t n);

 private:
  // Makes sure the buffer holds `n` bytes from the read position (n <= buffer size).
  void Require(std::size_t n) {
    if (end_ - begin_ < n) Refill(n);
  }
  // Require's slow path: keeps the unread bytes and reads behind them.
  void Refill(std::size_t n);
  // Reads a string's length by the prefix rule; sets `wide`.
  std::uint32_t ReadLength(bool& wide);
  // Copies `n` bytes to `out` (or drops them when out is null); raises end of
  // file, before touching `out`, when fewer bytes are left.
  void ReadBytes(std::uint64_t n, std::string* out);
  std::uint64_t BytesLeft();

  int fd_ = -1;
  std::array<unsigned char, kBufferSize> buffer_{};
  const unsigned char* buf_ = buffer_.data();  // buffer_, or the bytes given to OpenBytes
  std::size_t begin_ = 0;  // read position inside the buffer
  std::size_t end_ = 0;    // end of the valid bytes in the buffer
  std::uint64_t fileOffset_ = 0;  // file offset of buffer_[end_]
  std::string wideScratch_;
};

// Reads the whole file into the first `length` bytes of `bytes` (reusing its
// storage, which may be longer) with one read, so that a month is parsed from
// memory; a file cut meanwhile gives what was there. Raises FileError, with
// `length` what was read before. No memory mapping: a file truncated while
// mapped would crash the program.
void ReadWholeFile(const std::filesystem::path& path, std::vector<char>& bytes, std::size_t& length);

}  // namespace tallyer
