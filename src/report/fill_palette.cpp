#include "report/fill_palette.h"

namespace tallyer {

std::optional<std::size_t> FillPalette::Slot(std::uint32_t colour) {
  if (const auto found = slots_.find(colour); found != slots_.end()) return found->second;
  if (slots_.size() >= kMaxFills) return std::nullopt;
  const std::size_t slot = slots_.size();
  slots_.emplace(colour, slot);
  return slot;
}

}  // namespace tallyer
