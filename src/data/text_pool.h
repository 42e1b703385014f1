#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>

#include "data/pooled_text.h"

namespace tallyer {

// Stores each distinct text once; the handles it gives out stay valid until
// Clear(), and equal texts get the same handle.
class TextPool {
 public:
  PooledText Intern(std::string_view text) {
    if (text.empty()) return {};
    // Month files repeat a few hundred contents and one key per member over
    // and over: a cache of recent texts, large enough that few of them share
    // a slot, answers most of them without the hash set.
    const std::string*& recent = recent_[Slot(text)];
    if (recent != nullptr && *recent == text) return *recent;
    auto it = texts_.find(text);
    if (it == texts_.end()) it = texts_.emplace(text).first;
    recent = &*it;  // the set's nodes never move
    return *recent;
  }
  void Clear() {
    recent_.fill(nullptr);  // before the texts they point to go
    texts_.clear();
  }
  std::size_t Size() const { return texts_.size(); }

 private:
  static constexpr int kSlotBits = 12;

  // A cheap spread of the text over the cache: its length and first and last
  // eight bytes, which tell apart texts that share a beginning or an end.
  static std::size_t Slot(std::string_view s) {
    std::uint64_t head = 0, tail = 0;
    std::memcpy(&head, s.data(), s.size() < 8 ? s.size() : 8);
    if (s.size() > 8) std::memcpy(&tail, s.data() + s.size() - 8, 8);
    const std::uint64_t h = head * 0x9E3779B97F4A7C15u ^ (tail + s.size()) * 0xC2B2AE3D27D4EB4Fu;
    return static_cast<std::size_t>(h >> (64 - kSlotBits));
  }

  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  std::unordered_set<std::string, Hash, std::equal_to<>> texts_;
  std::array<const std::string*, std::size_t{1} << kSlotBits> recent_{};
};

}  // namespace tallyer
