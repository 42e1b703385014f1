#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tallyer {

// A type colour file (*.type): type names and their colours 0x00BBGGRR, in file order.
class CTypeColors {
 public:
  // Empties the lists, then reads the file; nothing is reported.
  void Load(const std::filesystem::path& path);
  int Count() const { return static_cast<int>(colors.size()); }
  std::uint32_t ColorAt(int i) const { return colors[static_cast<std::size_t>(i)]; }
  // The name of the first entry with this colour, or the empty text.
  std::string NameOf(std::uint32_t color) const;

  std::vector<std::string> names;
  std::vector<std::uint32_t> colors;
};

// "red,green,blue" to 0x00BBGGRR; white when a comma is missing.
std::uint32_t ParseColor(std::string_view text);

}  // namespace tallyer
