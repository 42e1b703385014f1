#pragma once

#include <string>
#include <string_view>

// Conversions between code page 932 (Microsoft's Shift_JIS) and Unicode, done
// with the platform's converter. Texts inside the core are CP932 bytes; these
// are used only at its edges.
namespace tallyer {

// A byte that starts a two-byte CP932 character.
inline bool IsLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// UTF-16LE bytes (two per code unit) to CP932. Stops at the first U+0000; a
// character that CP932 cannot represent becomes '?'.
std::string Utf16leToCp932(std::string_view utf16le);

// CP932 to UTF-8; a byte sequence that is not CP932 becomes U+FFFD.
std::string Cp932ToUtf8(std::string_view cp932);

// UTF-8 to CP932; a character that CP932 cannot represent (or invalid UTF-8)
// becomes '?'.
std::string Utf8ToCp932(std::string_view utf8);

}  // namespace tallyer
