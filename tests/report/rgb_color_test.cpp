#include "report/rgb_color.h"

#include <gtest/gtest.h>

namespace tallyer {
namespace {

TEST(RgbColor, StoredColoursAreRedInTheLowByte) {
  EXPECT_EQ(RgbOfStoredColor(0x00FF8000u), (Rgb{0x00, 0x80, 0xFF}));
  EXPECT_EQ(RgbOfStoredColor(0xFF0000FFu), (Rgb{0xFF, 0x00, 0x00}));  // high byte ignored
  EXPECT_EQ(HexText(RgbOfStoredColor(0x00FF8000u)), "#0080ff");
  EXPECT_EQ(HexText(Rgb{0xAB, 0xCD, 0xEF}), "#abcdef");
}

TEST(RgbColor, ContrastRatiosOfWellKnownPairs) {
  EXPECT_NEAR(ContrastRatio(kBlack, kWhite), 21.0, 1e-9);
  EXPECT_NEAR(ContrastRatio(kWhite, kBlack), 21.0, 1e-9);
  EXPECT_NEAR(ContrastRatio(kWhite, kWhite), 1.0, 1e-9);
  // #767676 is the lightest grey with 4.5:1 on white.
  EXPECT_NEAR(ContrastRatio(Rgb{0x76, 0x76, 0x76}, kWhite), 4.54, 0.005);
  EXPECT_LT(ContrastRatio(Rgb{0x77, 0x77, 0x77}, kWhite), 4.5);
  // Orange with white text, as the classic page writes it.
  EXPECT_NEAR(ContrastRatio(Rgb{0xFF, 0x80, 0x00}, kWhite), 2.52, 0.005);
}

struct TextCase {
  Rgb background;
  Rgb text;
};

class TextColorOnTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextColorOnTest, PicksTheHigherContrast) {
  EXPECT_EQ(HexText(TextColorOn(GetParam().background)), HexText(GetParam().text))
      << HexText(GetParam().background);
}

INSTANTIATE_TEST_SUITE_P(
    Backgrounds, TextColorOnTest,
    ::testing::Values(TextCase{kWhite, kBlack}, TextCase{kBlack, kWhite},
                      TextCase{{0xFF, 0x80, 0x00}, kBlack},  // 8.3:1 against 2.5:1
                      TextCase{{0xFF, 0x00, 0x00}, kBlack},  // 5.3:1 against 4.0:1
                      TextCase{{0x00, 0x00, 0xFF}, kWhite}, TextCase{{0x80, 0x80, 0x80}, kBlack},
                      TextCase{{0x00, 0x80, 0xFF}, kBlack}, TextCase{{0x4E, 0x79, 0xA7}, kBlack},
                      TextCase{{0x9C, 0x75, 0x5F}, kBlack}, TextCase{{0x80, 0x00, 0x80}, kWhite},
                      TextCase{{0x00, 0x64, 0x00}, kWhite},
                      // Either side of the grey where both ratios meet (about 4.58:1).
                      TextCase{{0x75, 0x75, 0x75}, kWhite}, TextCase{{0x76, 0x76, 0x76}, kBlack}));

TEST(TextColorOn, FollowsTheLuminanceBorderForEveryColour) {
  // Both ratios are equal where (L + 0.05)² = 0.0525; at or above it black wins.
  for (int r = 0; r < 256; r += 5) {
    for (int g = 0; g < 256; ++g) {
      for (int b = 0; b < 256; b += 3) {
        const Rgb color{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                        static_cast<std::uint8_t>(b)};
        const double l = RelativeLuminance(color);
        const Rgb expected = (l + 0.05) * (l + 0.05) >= 0.0525 ? kBlack : kWhite;
        ASSERT_EQ(TextColorOn(color), expected) << HexText(color);
      }
    }
  }
}

}  // namespace
}  // namespace tallyer
