#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "data/pooled_text.h"
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

// A member's running totals per colour, added schedule by schedule.
class ColorTally {
 public:
  void Add(std::uint32_t color, long long minutes);
  // With a type table its colours first, in table order (duplicates too),
  // then the other colours ascending; without one all colours ascending.
  Buckets<std::uint32_t> Ordered(const CTypeColors* types) const;

 private:
  struct Total {
    std::uint32_t color;
    long long minutes = 0;
    int count = 0;
  };
  std::vector<Total> totals_;  // in order of first occurrence
  std::unordered_map<std::uint32_t, std::size_t> indexOf_;
  std::size_t last_ = 0;
};

// A member's running totals per content text, in order of first occurrence.
// It keeps copies of its texts, so the pool a schedule's content came from
// may be cleared; ForgetPool() must then come before the next Add.
class ContentTally {
 public:
  void Add(PooledText content, long long minutes);
  // Forgets the pooled addresses it looked texts up by.
  void ForgetPool() { indexAt_.clear(); }
  const Buckets<std::string>& Totals() const { return buckets_; }
  Buckets<std::string> Take() { return std::move(buckets_); }

 private:
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  Buckets<std::string> buckets_;
  std::unordered_map<std::string, int, TextHash, std::equal_to<>> indexOf_;
  // Pooled contents of equal text are one string: its address answers most
  // lookups without hashing the text.
  std::unordered_map<const std::string*, int> indexAt_;
};

// By colour, ordered as ColorTally::Ordered.
Buckets<std::uint32_t> ColorBuckets(const MemberResult& result, const CTypeColors* types);

// By content text, in order of first occurrence.
Buckets<std::string> ContentBuckets(const MemberResult& result);

}  // namespace tallyer
