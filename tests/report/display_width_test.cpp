#include "report/display_width.h"

#include <gtest/gtest.h>

namespace tallyer {
namespace {

struct WidthCase {
  const char* text;
  int width;
};

class DisplayWidthTest : public ::testing::TestWithParam<WidthCase> {};

TEST_P(DisplayWidthTest, CountsWideCharactersTwice) {
  EXPECT_EQ(DisplayWidth(GetParam().text), GetParam().width) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Characters, DisplayWidthTest,
    ::testing::Values(WidthCase{"", 0}, WidthCase{"tanaka", 6}, WidthCase{"田中", 4},
                      WidthCase{"ひらがなカタカナ", 16},
                      WidthCase{"ｶﾀｶﾅ", 4},              // half-width katakana
                      WidthCase{"ＡＢＣ１", 8},          // full-width ASCII
                      WidthCase{"2時間30分", 9}, WidthCase{"期間：", 6},
                      WidthCase{"～", 2},                // U+FF5E, CP932's 0x8160
                      WidthCase{"　", 2},                // ideographic space
                      WidthCase{"한국", 4}, WidthCase{"#ff0000", 7},
                      WidthCase{"\xff\xfe", 2},          // invalid bytes, one each
                      WidthCase{"\xe4\xb8", 2},         // cut sequence
                      WidthCase{"\xc0\xaf", 2},         // overlong '/'
                      WidthCase{"\xed\xa0\x80", 3},     // a surrogate
                      WidthCase{"\xf4\x90\x80\x80", 4}));  // beyond U+10FFFF

}  // namespace
}  // namespace tallyer
