#pragma once

#include <cstddef>
#include <vector>

namespace tallyer {

// The revision-chain index of one month: record positions registered under a
// key (the root record's position), answered in registration order without
// scanning the other keys' entries.
class ChainIndex {
 public:
  void Clear() { byKey_.clear(); }
  // Registers `value` under `key`; negative keys name no record and are ignored.
  void Add(int key, int value);
  int CountOf(int key) const;
  // -1 when the key has no value; otherwise sets pos and returns the first value.
  int First(int key, int& pos) const;
  // The key's next value, or -1 at the end. `pos` counts the key's values
  // already returned, so a caller may resume from any count it kept.
  int Next(int key, int& pos) const;

 private:
  std::vector<std::vector<int>> byKey_;
};

}  // namespace tallyer
