#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>

namespace tallyer {

// Stores each distinct text once; the views it hands out stay valid until Clear().
class TextPool {
 public:
  std::string_view Intern(std::string_view text) {
    if (text.empty()) return {};
    auto it = texts_.find(text);
    if (it == texts_.end()) it = texts_.emplace(text).first;
    return *it;
  }
  void Clear() { texts_.clear(); }
  std::size_t Size() const { return texts_.size(); }

 private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  std::unordered_set<std::string, Hash, std::equal_to<>> texts_;
};

}  // namespace tallyer
