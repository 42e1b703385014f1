#include "report/color_text.h"

#include <cstdio>

namespace tallyer {

std::string ColorText(std::uint32_t color) {
  char buffer[16];
  const int n = std::snprintf(buffer, sizeof buffer, "\"#%02x%02x%02x\"", color & 0xFFu,
                              (color >> 8) & 0xFFu, (color >> 16) & 0xFFu);
  return std::string(buffer, static_cast<std::size_t>(n));
}

bool UseWhiteText(std::uint32_t color) {
  // R + 2.3 G + B < 573, in integers so that the border case 573 stays black.
  const long red = color & 0xFFu;
  const long green = (color >> 8) & 0xFFu;
  const long blue = (color >> 16) & 0xFFu;
  return 10 * red + 23 * green + 10 * blue < 5730;
}

}  // namespace tallyer
