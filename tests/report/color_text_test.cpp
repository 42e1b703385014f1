#include "report/color_text.h"

#include <gtest/gtest.h>

namespace tallyer {
namespace {

constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return r | (g << 8) | (b << 16);
}

TEST(ColorText, QuotedLowerCaseHexInRedGreenBlueOrder) {
  EXPECT_EQ(ColorText(Rgb(0, 128, 255)), "\"#0080ff\"");
  EXPECT_EQ(ColorText(Rgb(255, 0, 0)), "\"#ff0000\"");
  EXPECT_EQ(ColorText(0), "\"#000000\"");
  EXPECT_EQ(ColorText(Rgb(255, 255, 255)), "\"#ffffff\"");
  EXPECT_EQ(ColorText(Rgb(0xab, 0xcd, 0xef)), "\"#abcdef\"");
}

TEST(ColorText, IgnoresTheHighByte) {
  EXPECT_EQ(ColorText(0xFF000000u | Rgb(1, 2, 3)), "\"#010203\"");
}

struct ShadeCase {
  std::uint32_t r, g, b;
  bool white;
};

class UseWhiteTextTest : public ::testing::TestWithParam<ShadeCase> {};

TEST_P(UseWhiteTextTest, DarkColoursTakeWhiteText) {
  const ShadeCase& c = GetParam();
  EXPECT_EQ(UseWhiteText(Rgb(c.r, c.g, c.b)), c.white);
}

INSTANTIATE_TEST_SUITE_P(
    Colours, UseWhiteTextTest,
    ::testing::Values(ShadeCase{255, 255, 255, false}, ShadeCase{255, 255, 0, false},
                      ShadeCase{0, 255, 0, false}, ShadeCase{0, 250, 0, false},
                      ShadeCase{192, 192, 192, false}, ShadeCase{255, 0, 0, true},
                      ShadeCase{0, 0, 255, true}, ShadeCase{128, 128, 128, true},
                      ShadeCase{0, 249, 0, true}, ShadeCase{0, 0, 0, true},
                      // The border: a sum of exactly 573 is black.
                      ShadeCase{89, 210, 0, true}, ShadeCase{90, 210, 0, false},
                      ShadeCase{0, 210, 90, false}, ShadeCase{0, 210, 89, true}));

TEST(UseWhiteText, AgreesWithTheDoublePrecisionRuleForEveryColour) {
  for (std::uint32_t r = 0; r < 256; r += 3) {
    for (std::uint32_t g = 0; g < 256; ++g) {
      for (std::uint32_t b = 0; b < 256; b += 5) {
        const bool expected = 2.3 * g + b + r < 573.0;
        ASSERT_EQ(UseWhiteText(Rgb(r, g, b)), expected) << r << "," << g << "," << b;
      }
    }
  }
}

}  // namespace
}  // namespace tallyer
