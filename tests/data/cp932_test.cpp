#include "data/cp932.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "support/archive_writer.h"

namespace tallyer {
namespace {

std::string Utf16le(std::u16string_view units) {
  std::string out;
  for (char16_t u : units) {
    out.push_back(static_cast<char>(u & 0xFF));
    out.push_back(static_cast<char>(u >> 8));
  }
  return out;
}

struct Mapping {
  const char* utf8;
  const char* cp932;
};

class MicrosoftVariantTest : public ::testing::TestWithParam<Mapping> {};

// The characters where the Microsoft code page differs from plain Shift_JIS, and
// samples of the NEC special row and the IBM extension rows.
TEST_P(MicrosoftVariantTest, ConvertsBothWaysToTheMicrosoftCodes) {
  const Mapping& m = GetParam();
  EXPECT_EQ(Utf8ToCp932(m.utf8), m.cp932);
  EXPECT_EQ(Cp932ToUtf8(m.cp932), m.utf8);
  EXPECT_EQ(Utf16leToCp932(Utf16le(testing::Utf8ToUtf16(m.utf8))), m.cp932);
}

class Cp932OneWayTest : public ::testing::TestWithParam<Mapping> {};

TEST_P(Cp932OneWayTest, EncodesToTheNearCode) {
  const Mapping& m = GetParam();
  EXPECT_EQ(Utf8ToCp932(m.utf8), m.cp932);
  EXPECT_EQ(Utf16leToCp932(Utf16le(testing::Utf8ToUtf16(m.utf8))), m.cp932);
  // Built by appending: GCC 12 falsely warns about "a" + std::string(...).
  std::string text("a");
  text.append(m.utf8).append("会");
  std::string expected("a");
  expected.append(m.cp932).append("\x89\xEF");
  EXPECT_EQ(Utf8ToCp932(text), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, MicrosoftVariantTest,
    ::testing::Values(Mapping{"～", "\x81\x60"}, Mapping{"－", "\x81\x7C"}, Mapping{"∥", "\x81\x61"},
                      Mapping{"￢", "\x81\xCA"}, Mapping{"①", "\x87\x40"}, Mapping{"㈱", "\x87\x8A"},
                      Mapping{"№", "\x87\x82"}, Mapping{"ⅰ", "\xFA\x40"}, Mapping{"纊", "\xFA\x5C"},
                      Mapping{"髙", "\xFB\xFC"}, Mapping{"ｱ", "\xB1"}, Mapping{"会議", "\x89\xEF\x8B\x63"},
                      Mapping{"abc", "abc"}));

// Characters CP932 has no code for that the C library's converter writes as a
// near code all the same; every build does so.
INSTANTIATE_TEST_SUITE_P(
    OneWay, Cp932OneWayTest,
    ::testing::Values(Mapping{"〜", "\x81\x60"}, Mapping{"‖", "\x81\x61"}, Mapping{"−", "\x81\x7C"},
                      Mapping{"¢", "\x81\x91"}, Mapping{"£", "\x81\x92"}, Mapping{"¬", "\x81\xCA"},
                      Mapping{"—", "\x81\x5C"}, Mapping{"¥", "\x5C"}, Mapping{"‾", "\x7E"}));

TEST(Cp932Test, NecAndIbmRowsRoundTrip) {
  // Every character of the NEC row 13 and of the IBM extension rows comes back
  // as the same character (a few have a preferred code elsewhere in the table).
  int characters = 0;
  for (int lead : {0x87, 0xFA, 0xFB, 0xFC}) {
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
      const std::string utf8 = Cp932ToUtf8(code);
      if (utf8 == "\xEF\xBF\xBD") continue;  // unassigned
      ++characters;
      const std::string back = Utf8ToCp932(utf8);
      ASSERT_EQ(back.size(), 2u) << std::hex << lead << trail;
      EXPECT_EQ(Cp932ToUtf8(back), utf8) << std::hex << lead << trail;
    }
  }
  EXPECT_EQ(characters, 83 + 388);  // row 13 and the IBM extension as the code page has them
}

TEST(Cp932Test, UnrepresentableCharactersBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp932("aéb"), "a?b");  // no best fit: é is no e
  EXPECT_EQ(Utf8ToCp932("ÀÅßø∞"), "????\x81\x87");
  EXPECT_EQ(Utf8ToCp932("😀😀"), "??");  // one per code point, not per UTF-16 unit
  // What Windows' table alone gives the bytes 0x80, 0xA0 and 0xFD-0xFF.
  EXPECT_EQ(Utf8ToCp932("\u0080\uF8F0\uF8F1\uF8F2\uF8F3"), "?????");
  // Invalid UTF-8: one mark for a bad lead byte and the continuation bytes after it.
  EXPECT_EQ(Utf8ToCp932("a\xC0\x80" "b"), "a?b");
  EXPECT_EQ(Utf8ToCp932("a\xED\xA0\x80" "b"), "a?b");  // a surrogate
  EXPECT_EQ(Utf8ToCp932("a\xE4\xBC"), "a?");         // cut short
  EXPECT_EQ(Utf8ToCp932("a\x80\x80" "b"), "a?b");
  EXPECT_EQ(Utf8ToCp932("x😀y"), "x?y");
  EXPECT_EQ(Utf16leToCp932(Utf16le(u"x😀y")), "x?y");
  EXPECT_EQ(Utf16leToCp932(Utf16le(u"é")), "?");
  // A lone surrogate is no character either.
  EXPECT_EQ(Utf16leToCp932(Utf16le(std::u16string(1, char16_t{0xD800}) + u"a")), "?a");
}

TEST(Cp932Test, WideConversionStopsAtTheFirstNul) {
  EXPECT_EQ(Utf16leToCp932(Utf16le(std::u16string(u"ab\0cd", 5))), "ab");
  EXPECT_EQ(Utf16leToCp932(Utf16le(std::u16string(u"\0ab", 3))), "");
  EXPECT_EQ(Utf16leToCp932(""), "");
  EXPECT_EQ(Utf16leToCp932(std::string("A\0B", 3)), "A");  // an odd last byte is no unit
}

TEST(Cp932Test, BytesThatAreNotCp932BecomeReplacementCharacters) {
  EXPECT_EQ(Cp932ToUtf8("a\x81"), "a\xEF\xBF\xBD");
  EXPECT_EQ(Cp932ToUtf8(std::string("\x00z", 2)), std::string("\x00z", 2));
  // A lead byte without its second byte: at the end, or before a byte that
  // cannot follow it, which stays itself.
  EXPECT_EQ(Cp932ToUtf8("\x82"), "\xEF\xBF\xBD");
  EXPECT_EQ(Cp932ToUtf8("\x81\x81\x81"), "\xEF\xBC\x9D\xEF\xBF\xBD");
  EXPECT_EQ(Cp932ToUtf8("\x82\"a"), "\xEF\xBF\xBD\"a");
  EXPECT_EQ(Cp932ToUtf8("\x82,\x82\r\n"), "\xEF\xBF\xBD,\xEF\xBF\xBD\r\n");
  EXPECT_EQ(Cp932ToUtf8("\x85\x40z"), "\xEF\xBF\xBDz");  // a pair of no character is one
  // Single bytes the table leaves undefined, which Windows' own converter
  // would turn into characters of its private area.
  for (const char* b : {"\x80", "\xA0", "\xFD", "\xFE", "\xFF"}) {
    EXPECT_EQ(Cp932ToUtf8(std::string("<") + b + ">"), "<\xEF\xBF\xBD>") << std::hex << +b[0];
  }
  EXPECT_EQ(Cp932ToUtf8("\x81\x7F"), "\xEF\xBF\xBD\x7F");  // 0x7F is no second byte
}

// A digest of both directions over the whole table: every code point of the
// Basic Multilingual Plane to CP932, every byte and byte pair to UTF-8. Both
// builds must give the Linux build's value.
TEST(Cp932Test, WholeTableIsTheSameOnEveryBuild) {
  std::uint64_t hash = 0xcbf29ce484222325u;
  const auto add = [&hash](const std::string& bytes) {
    for (unsigned char c : bytes) hash = (hash ^ c) * 0x100000001b3u;
    hash = (hash ^ 0xFF) * 0x100000001b3u;
  };
  for (char16_t c = 1; c != 0; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    add(Utf16leToCp932(Utf16le(std::u16string(1, c))));
  }
  for (int lead = 0; lead < 256; ++lead) {
    add(Cp932ToUtf8(std::string(1, static_cast<char>(lead))));
    if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
    for (int trail = 0; trail < 256; ++trail) {
      add(Cp932ToUtf8(std::string{static_cast<char>(lead), static_cast<char>(trail)}));
    }
  }
  EXPECT_EQ(hash, 0x56c71cc80c421897u) << std::hex << hash;
}

TEST(Cp932Test, LeadBytes) {
  EXPECT_TRUE(IsLeadByte(0x81));
  EXPECT_TRUE(IsLeadByte(0x9F));
  EXPECT_TRUE(IsLeadByte(0xE0));
  EXPECT_TRUE(IsLeadByte(0xFC));
  EXPECT_FALSE(IsLeadByte(0x80));
  EXPECT_FALSE(IsLeadByte(0xA0));
  EXPECT_FALSE(IsLeadByte(0xB1));  // half-width katakana is one byte
  EXPECT_FALSE(IsLeadByte(0xFD));
  EXPECT_FALSE(IsLeadByte('\\'));
}

}  // namespace
}  // namespace tallyer
