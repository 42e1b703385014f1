#include "data/cp932.h"

#include <gtest/gtest.h>

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

INSTANTIATE_TEST_SUITE_P(
    Codes, MicrosoftVariantTest,
    ::testing::Values(Mapping{"～", "\x81\x60"}, Mapping{"－", "\x81\x7C"}, Mapping{"∥", "\x81\x61"},
                      Mapping{"￢", "\x81\xCA"}, Mapping{"①", "\x87\x40"}, Mapping{"㈱", "\x87\x8A"},
                      Mapping{"№", "\x87\x82"}, Mapping{"ⅰ", "\xFA\x40"}, Mapping{"纊", "\xFA\x5C"},
                      Mapping{"髙", "\xFB\xFC"}, Mapping{"ｱ", "\xB1"}, Mapping{"会議", "\x89\xEF\x8B\x63"},
                      Mapping{"abc", "abc"}));

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
  EXPECT_EQ(Utf8ToCp932("aéb"), "a?b");
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
