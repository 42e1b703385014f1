#include "report/rgb_color.h"

#include <cmath>
#include <cstdio>

namespace tallyer {
namespace {

double LinearChannel(std::uint8_t value) {
  const double c = value / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

}  // namespace

Rgb RgbOfStoredColor(std::uint32_t color) {
  return Rgb{static_cast<std::uint8_t>(color & 0xFFu),
             static_cast<std::uint8_t>((color >> 8) & 0xFFu),
             static_cast<std::uint8_t>((color >> 16) & 0xFFu)};
}

std::string HexText(Rgb color) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", color.red, color.green, color.blue);
  return std::string(buffer, 7);
}

double RelativeLuminance(Rgb color) {
  return 0.2126 * LinearChannel(color.red) + 0.7152 * LinearChannel(color.green) +
         0.0722 * LinearChannel(color.blue);
}

double ContrastRatio(Rgb a, Rgb b) {
  const double la = RelativeLuminance(a);
  const double lb = RelativeLuminance(b);
  return la > lb ? (la + 0.05) / (lb + 0.05) : (lb + 0.05) / (la + 0.05);
}

Rgb TextColorOn(Rgb background) {
  return ContrastRatio(background, kBlack) >= ContrastRatio(background, kWhite) ? kBlack
                                                                                : kWhite;
}

}  // namespace tallyer
