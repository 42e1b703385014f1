#include "data/chain_index.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace tallyer {
namespace {

// The index as a plain list of pairs scanned from the front, as it is defined.
struct PairList {
  std::vector<int> keys, values;
  void Add(int k, int v) { keys.push_back(k); values.push_back(v); }
  std::vector<int> ValuesOf(int key) const {
    std::vector<int> out;
    for (std::size_t i = 0; i < keys.size(); ++i)
      if (keys[i] == key) out.push_back(values[i]);
    return out;
  }
};

std::vector<int> Walk(const ChainIndex& index, int key) {
  std::vector<int> out;
  int pos = -5;
  for (int v = index.First(key, pos); v != -1; v = index.Next(key, pos)) out.push_back(v);
  return out;
}

TEST(ChainIndexTest, AnswersEachKeyInRegistrationOrderLikeTheListOfPairs) {
  std::mt19937 rng(7);
  ChainIndex index;
  PairList pairs;
  for (int n = 0; n < 400; ++n) {
    const int key = static_cast<int>(rng() % 30);
    const int value = static_cast<int>(rng() % 1000);
    index.Add(key, value);
    pairs.Add(key, value);
  }
  for (int key = 0; key < 35; ++key) {
    const std::vector<int> expected = pairs.ValuesOf(key);
    EXPECT_EQ(index.CountOf(key), static_cast<int>(expected.size())) << key;
    EXPECT_EQ(Walk(index, key), expected) << key;
  }
}

TEST(ChainIndexTest, EmptyKeysAndClearedIndexGiveNothing) {
  ChainIndex index;
  int pos = 3;
  EXPECT_EQ(index.First(0, pos), -1);
  EXPECT_EQ(pos, 3);  // untouched when there is nothing
  EXPECT_EQ(index.CountOf(-1), 0);
  index.Add(4, 9);
  EXPECT_EQ(index.CountOf(2), 0);
  EXPECT_EQ(index.First(2, pos), -1);
  EXPECT_EQ(index.First(4, pos), 9);
  EXPECT_EQ(index.Next(4, pos), -1);
  EXPECT_EQ(index.Next(4, pos), -1);
  index.Clear();
  EXPECT_EQ(index.CountOf(4), 0);
  EXPECT_EQ(index.First(4, pos), -1);
}

TEST(ChainIndexTest, NextResumesFromAKeptPosition) {
  ChainIndex index;
  for (int v : {10, 11, 12}) index.Add(1, v);
  int pos = 0;
  EXPECT_EQ(index.First(1, pos), 10);
  int resume = pos;
  EXPECT_EQ(index.Next(1, resume), 11);
  index.Add(1, 13);
  EXPECT_EQ(index.Next(1, resume), 12);
  EXPECT_EQ(index.Next(1, resume), 13);
  EXPECT_EQ(index.Next(1, resume), -1);
}

}  // namespace
}  // namespace tallyer
