#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>

namespace tallyer {

// Slots for the cell fills of a workbook, one per distinct colour in the
// order first asked for. Each fill is a cell format of its own and a
// workbook's formats are limited, so only the first kMaxFills colours get one.
class FillPalette {
 public:
  static constexpr std::size_t kMaxFills = 1000;

  // The colour's slot (0, 1, … in first-seen order), or none when the
  // palette was full before the colour was first asked for.
  std::optional<std::size_t> Slot(std::uint32_t colour);

 private:
  std::unordered_map<std::uint32_t, std::size_t> slots_;
};

}  // namespace tallyer
