#include "data/type_colors.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <limits>

namespace tallyer {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The usual decimal conversion: leading white space, an optional sign, digits
// up to the first other character; no digits give 0. Out-of-range values stick
// at the 32-bit limits, as the C library's conversion does there.
std::int32_t DecimalValue(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::int64_t value = 0;
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > kLimit) value = kLimit;
  }
  if (negative) return static_cast<std::int32_t>(-value);
  return static_cast<std::int32_t>(std::min(value, kLimit - 1));
}

std::uint32_t LowByte(std::int32_t v) { return static_cast<std::uint32_t>(v) & 0xFF; }

}  // namespace

void CTypeColors::Load(const std::filesystem::path& path) {
  names.clear();
  colors.clear();
  if (path.empty()) return;
  // Read as bytes: the names are CP932 and line ends are handled here.
  std::ifstream in(path, std::ios::binary);
  if (!in) return;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto tab = line.find('\t');
    if (tab == std::string::npos) continue;
    names.push_back(line.substr(0, tab));
    colors.push_back(ParseColor(std::string_view(line).substr(tab + 1)));
  }
}

std::string CTypeColors::NameOf(std::uint32_t color) const {
  for (std::size_t i = 0; i < colors.size(); ++i) {
    if (colors[i] == color) return names[i];
  }
  return {};
}

std::uint32_t ParseColor(std::string_view text) {
  const auto first = text.find(',');
  if (first == std::string_view::npos) return kWhite;
  const std::string_view rest = text.substr(first + 1);
  const auto second = rest.find(',');
  if (second == std::string_view::npos) return kWhite;
  const std::uint32_t red = LowByte(DecimalValue(text.substr(0, first)));
  const std::uint32_t green = LowByte(DecimalValue(rest.substr(0, second)));
  const std::uint32_t blue = LowByte(DecimalValue(rest.substr(second + 1)));
  return red + green * 0x100 + blue * 0x10000;
}

}  // namespace tallyer
