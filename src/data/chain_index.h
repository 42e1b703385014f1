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
  void Add(int key, int value);
  int CountOf(int key) const;
  // -1 when the key has no value; otherwise sets pos and returns the first value.
  int First(int key, int& pos) const;
  // The next value for the key after `pos`, or -1.
  int Next(int key, int& pos) const;

 private:
  std::vector<std::vector<int>> byKey_;
};

}  // namespace tallyer
