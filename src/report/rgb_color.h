#pragma once

#include <cstdint>
#include <string>

namespace tallyer {

// An sRGB colour of 8 bits a channel.
struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(Rgb, Rgb) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

// A colour as the scheduler's files store it, 0x00BBGGRR.
Rgb RgbOfStoredColor(std::uint32_t color);

// "#rrggbb", lower case.
std::string HexText(Rgb color);

// WCAG 2.x relative luminance, 0 (black) to 1 (white).
double RelativeLuminance(Rgb color);

// WCAG 2.x contrast ratio of two colours, 1 to 21, whichever is lighter.
double ContrastRatio(Rgb a, Rgb b);

// Black or white, whichever has the higher contrast ratio with the background;
// black when both are equal.
Rgb TextColorOn(Rgb background);

}  // namespace tallyer
