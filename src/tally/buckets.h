#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "tally/member_result.h"

namespace tallyer {

class CTypeColors;

// One member's time broken down by a key, in report order.
template <typename Key>
struct Buckets {
  std::vector<Key> keys;
  std::vector<long long> minutes;
  std::vector<int> counts;
  int Size() const { return static_cast<int>(keys.size()); }
};

// By colour: with a type table its colours first, in table order (duplicates
// too), then the other colours ascending; without one all colours ascending.
Buckets<std::uint32_t> ColorBuckets(const MemberResult& result, const CTypeColors* types);

// By content text, in order of first occurrence.
Buckets<std::string_view> ContentBuckets(const MemberResult& result);

}  // namespace tallyer
