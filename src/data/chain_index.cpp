#include "data/chain_index.h"

namespace tallyer {

void ChainIndex::Add(int key, int value) {
  if (key < 0) return;
  const auto k = static_cast<std::size_t>(key);
  if (k >= byKey_.size()) byKey_.resize(k + 1);
  byKey_[k].push_back(value);
}

int ChainIndex::CountOf(int key) const {
  if (key < 0 || static_cast<std::size_t>(key) >= byKey_.size()) return 0;
  return static_cast<int>(byKey_[static_cast<std::size_t>(key)].size());
}

int ChainIndex::First(int key, int& pos) const {
  if (CountOf(key) == 0) return -1;
  pos = 0;
  return Next(key, pos);
}

int ChainIndex::Next(int key, int& pos) const {
  if (pos < 0 || pos >= CountOf(key)) return -1;
  return byKey_[static_cast<std::size_t>(key)][static_cast<std::size_t>(pos++)];
}

}  // namespace tallyer
