#include "data/cp932.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace tallyer {
namespace {

#ifndef _WIN32
// One open converter per direction, reused for every call (the core is single-threaded
// per process; fuzzers and tests call from one thread as well).
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts `in`; at an input sequence that cannot be converted, appends
  // `substitute` and skips `skip(rest)` bytes of input.
  template <typename Skip>
  std::string Convert(std::string_view in, std::string_view substitute, Skip skip) {
    std::string out;
    if (cd_ == reinterpret_cast<iconv_t>(-1)) return out;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    out.resize(in.size() * 2 + 16);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char* dst = out.data();
    size_t dstLeft = out.size();
    while (srcLeft > 0) {
      if (iconv(cd_, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1)) break;
      if (errno == E2BIG) {
        const size_t used = out.size() - dstLeft;
        out.resize(out.size() * 2);
        dst = out.data() + used;
        dstLeft = out.size() - used;
        continue;
      }
      // EILSEQ (no such character) or EINVAL (incomplete at the end).
      const size_t used = out.size() - dstLeft;
      if (dstLeft < substitute.size() + 8) {
        out.resize(out.size() * 2 + substitute.size());
        dst = out.data() + used;
        dstLeft = out.size() - used;
      }
      std::memcpy(dst, substitute.data(), substitute.size());
      dst += substitute.size();
      dstLeft -= substitute.size();
      const size_t n = std::min(srcLeft, skip(std::string_view(src, srcLeft)));
      src += n;
      srcLeft -= n;
    }
    out.resize(out.size() - dstLeft);
    return out;
  }

 private:
  iconv_t cd_;
};

size_t SkipUtf16Unit(std::string_view rest) {
  if (rest.size() >= 4) {
    const unsigned hi = static_cast<unsigned char>(rest[0]) | static_cast<unsigned char>(rest[1]) << 8;
    const unsigned lo = static_cast<unsigned char>(rest[2]) | static_cast<unsigned char>(rest[3]) << 8;
    if (hi >= 0xD800 && hi <= 0xDBFF && lo >= 0xDC00 && lo <= 0xDFFF) return 4;
  }
  return 2;
}

// A lead byte takes the next byte with it only when that byte can be a second
// byte: a comma, quote or line end after a lone lead byte stays itself.
size_t SkipCp932Char(std::string_view rest) {
  if (rest.size() < 2 || !IsLeadByte(static_cast<unsigned char>(rest[0]))) return 1;
  const auto trail = static_cast<unsigned char>(rest[1]);
  return (trail >= 0x40 && trail <= 0xFC && trail != 0x7F) ? 2 : 1;
}

size_t SkipUtf8Char(std::string_view rest) {
  size_t n = 1;
  while (n < rest.size() && (static_cast<unsigned char>(rest[n]) & 0xC0) == 0x80) ++n;
  return n;
}
#endif

}  // namespace

std::string Utf16leToCp932(std::string_view utf16le) {
  size_t units = utf16le.size() / 2;
  for (size_t i = 0; i < units; ++i) {
    if (utf16le[2 * i] == 0 && utf16le[2 * i + 1] == 0) {
      units = i;
      break;
    }
  }
  utf16le = utf16le.substr(0, units * 2);
#ifdef _WIN32
  std::wstring wide(units, L'\0');
  std::memcpy(wide.data(), utf16le.data(), units * 2);
  const int n = WideCharToMultiByte(932, 0, wide.data(), static_cast<int>(units), nullptr, 0, "?", nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(932, 0, wide.data(), static_cast<int>(units), out.data(), n, "?", nullptr);
  return out;
#else
  static Converter converter("CP932", "UTF-16LE");
  return converter.Convert(utf16le, "?", SkipUtf16Unit);
#endif
}

#ifdef _WIN32
std::string Cp932ToUtf8(std::string_view cp932) {
  const int wn = MultiByteToWideChar(932, 0, cp932.data(), static_cast<int>(cp932.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(wn), L'\0');
  MultiByteToWideChar(932, 0, cp932.data(), static_cast<int>(cp932.size()), wide.data(), wn);
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wn, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wn, out.data(), n, nullptr, nullptr);
  return out;
}

std::string Utf8ToCp932(std::string_view utf8) {
  const int wn = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(wn), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), wn);
  const int n = WideCharToMultiByte(932, 0, wide.data(), wn, nullptr, 0, "?", nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(932, 0, wide.data(), wn, out.data(), n, "?", nullptr);
  return out;
}
#else
std::string Cp932ToUtf8(std::string_view cp932) {
  static Converter converter("UTF-8", "CP932");
  return converter.Convert(cp932, "\xEF\xBF\xBD", SkipCp932Char);
}

std::string Utf8ToCp932(std::string_view utf8) {
  static Converter converter("CP932", "UTF-8");
  return converter.Convert(utf8, "?", SkipUtf8Char);
}
#endif

}  // namespace tallyer
