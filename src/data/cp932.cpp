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
// One open converter per direction and thread, reused for every call: an
// iconv_t keeps conversion state, so threads must not share one.
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
    const unsigned hi = unsigned{static_cast<unsigned char>(rest[0])} |
                        unsigned{static_cast<unsigned char>(rest[1])} << 8;
    const unsigned lo = unsigned{static_cast<unsigned char>(rest[2])} |
                        unsigned{static_cast<unsigned char>(rest[3])} << 8;
    if (hi >= 0xD800 && hi <= 0xDBFF && lo >= 0xDC00 && lo <= 0xDFFF) return 4;
  }
  return 2;
}
#endif

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

#ifdef _WIN32
constexpr char32_t kInvalid = 0xFFFFFFFF;

// The code point at the start of `rest` and its length in `n`. An invalid
// sequence (overlong, a surrogate, beyond U+10FFFF, cut short) is kInvalid and
// spans its lead byte and the continuation bytes after it, as with iconv.
char32_t DecodeUtf8(std::string_view rest, size_t& n) {
  const auto b = [&](size_t i) { return static_cast<unsigned char>(rest[i]); };
  const unsigned char lead = b(0);
  if (lead < 0x80) {
    n = 1;
    return lead;
  }
  size_t length = 0;
  char32_t c = 0;
  char32_t least = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, c = lead & 0x1F, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, c = lead & 0x0F, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, c = lead & 0x07, least = 0x10000;
  }
  size_t i = 1;
  for (; i < length && i < rest.size() && (b(i) & 0xC0) == 0x80; ++i) c = (c << 6) | (b(i) & 0x3F);
  if (length == 0 || i < length || c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    n = SkipUtf8Char(rest);
    return kInvalid;
  }
  n = length;
  return c;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

char32_t Utf16Unit(std::string_view utf16le, size_t i) {
  return static_cast<unsigned char>(utf16le[2 * i]) |
         static_cast<char32_t>(static_cast<unsigned char>(utf16le[2 * i + 1])) << 8;
}

// Code points to CP932 through Windows' own table, without its best-fit
// guesses (é is no e), plus the one-way mappings that the C library's CP932
// has as well, so that both builds write the same bytes. Anything else CP932
// lacks becomes one '?' per code point.
class Cp932Encoder {
 public:
  void Add(char32_t c) {
    if (const char* mapped = OneWay(c)) {
      Flush();
      out_ += mapped;
    } else if (c == kInvalid || c > 0xFFFF || (c >= 0xD800 && c <= 0xDFFF) || WindowsOnly(c)) {
      Flush();
      out_.push_back('?');
    } else {
      run_.push_back(static_cast<wchar_t>(c));
    }
  }
  std::string Finish() {
    Flush();
    return std::move(out_);
  }

 private:
  // Characters that only Windows' table gives the single bytes 0x80, 0xA0
  // and 0xFD-0xFF, which no other CP932 converter defines.
  static bool WindowsOnly(char32_t c) { return c == 0x80 || (c >= 0xF8F0 && c <= 0xF8F3); }
  static const char* OneWay(char32_t c) {
    switch (c) {
      case 0x301C: return "\x81\x60";  // WAVE DASH as FULLWIDTH TILDE
      case 0x2016: return "\x81\x61";  // DOUBLE VERTICAL LINE as PARALLEL TO
      case 0x2212: return "\x81\x7C";  // MINUS SIGN as FULLWIDTH HYPHEN-MINUS
      case 0x00A2: return "\x81\x91";  // CENT SIGN
      case 0x00A3: return "\x81\x92";  // POUND SIGN
      case 0x00AC: return "\x81\xCA";  // NOT SIGN
      case 0x2014: return "\x81\x5C";  // EM DASH as HORIZONTAL BAR
      case 0x00A5: return "\x5C";       // YEN SIGN as the backslash byte
      case 0x203E: return "\x7E";       // OVERLINE as the tilde byte
      default: return nullptr;
    }
  }
  void Flush() {
    if (run_.empty()) return;
    const int length = static_cast<int>(run_.size());
    const int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, run_.data(), length, nullptr, 0,
                                      "?", nullptr);
    const size_t at = out_.size();
    out_.resize(at + static_cast<size_t>(n));
    WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, run_.data(), length, out_.data() + at, n, "?",
                        nullptr);
    run_.clear();
  }

  std::string out_;
  std::wstring run_;
};
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
  Cp932Encoder encoder;
  for (size_t i = 0; i < units; ++i) {
    const char32_t unit = Utf16Unit(utf16le, i);
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units) {
      const char32_t low = Utf16Unit(utf16le, i + 1);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        encoder.Add(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        ++i;
        continue;
      }
    }
    encoder.Add(unit);
  }
  return encoder.Finish();
#else
  thread_local Converter converter("CP932", "UTF-16LE");
  return converter.Convert(utf16le, "?", SkipUtf16Unit);
#endif
}

#ifdef _WIN32
std::string Cp932ToUtf8(std::string_view cp932) {
  std::string out;
  out.reserve(cp932.size() * 3 / 2);
  for (std::size_t i = 0; i < cp932.size();) {
    const auto c = static_cast<unsigned char>(cp932[i]);
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      ++i;
      continue;
    }
    const std::size_t n = SkipCp932Char(cp932.substr(i));
    wchar_t wide = 0;
    // Windows maps 0x80, 0xA0 and 0xFD-0xFF to characters of its own that no
    // other CP932 converter knows; they count as undefined, as on every build.
    const bool undefined = n == 1 && (c == 0x80 || c == 0xA0 || c >= 0xFD);
    if (undefined || MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, cp932.data() + i,
                                         static_cast<int>(n), &wide, 1) != 1) {
      wide = 0xFFFD;
    }
    AppendUtf8(out, wide);
    i += n;
  }
  return out;
}

std::string Utf8ToCp932(std::string_view utf8) {
  Cp932Encoder encoder;
  for (std::size_t i = 0; i < utf8.size();) {
    std::size_t n = 0;
    const char32_t c = DecodeUtf8(utf8.substr(i), n);
    encoder.Add(c);
    i += n;
  }
  return encoder.Finish();
}
#else
std::string Cp932ToUtf8(std::string_view cp932) {
  thread_local Converter converter("UTF-8", "CP932");
  return converter.Convert(cp932, "\xEF\xBF\xBD", SkipCp932Char);
}

std::string Utf8ToCp932(std::string_view utf8) {
  thread_local Converter converter("CP932", "UTF-8");
  return converter.Convert(utf8, "?", SkipUtf8Char);
}
#endif

}  // namespace tallyer
