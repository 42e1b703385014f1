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
  void Add(std::uint32_t color, long long minutes, int count = 1);
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

// Numbers each distinct content text once, in order of first sight, keeping
// a copy of it. A pooled text is found by its address first, so the pool it
// came from may be cleared; ForgetPool() must then come before the next Of().
class ContentIds {
 public:
  std::uint32_t Of(PooledText content);
  void ForgetPool() { idAt_.clear(); }
  const std::string& Text(std::uint32_t id) const { return texts_[id]; }

 private:
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  std::vector<std::string> texts_;
  std::unordered_map<std::string, std::uint32_t, TextHash, std::equal_to<>> idOf_;
  std::unordered_map<const std::string*, std::uint32_t> idAt_;
};

// A member's running totals per content (numbered by a ContentIds shared by
// the members), in order of first occurrence.
class ContentTally {
 public:
  void Add(std::uint32_t id, long long minutes, int count = 1);
  // Asks for the memory the Add of each of `ids` will touch, so that its
  // misses overlap instead of coming one after the other.
  void Prefetch(const std::vector<std::uint32_t>& ids) const;
  Buckets<std::string> Ordered(const ContentIds& ids) const;

 private:
  static constexpr std::uint32_t kNone = UINT32_MAX;
  // The first contents are looked up in a table (a few kilobytes a member);
  // only damaged files number more, which a hash answers.
  static constexpr std::uint32_t kTabled = 4096;
  std::uint32_t& IndexOf(std::uint32_t id);

  // One row in one place: a member's rows are cold whenever its next month
  // comes, and three arrays would cost three misses instead of one.
  struct Row {
    std::uint32_t id;
    int count;
    long long minutes;
  };
  std::vector<Row> rows_;              // in order of first occurrence
  std::vector<std::uint32_t> tabled_;  // by id, kNone when not seen
  std::unordered_map<std::uint32_t, std::uint32_t> hashed_;
  std::uint32_t last_ = kNone;  // the index of the last content added
};

// By colour, ordered as ColorTally::Ordered.
Buckets<std::uint32_t> ColorBuckets(const MemberResult& result, const CTypeColors* types);

// By content text, in order of first occurrence.
Buckets<std::string> ContentBuckets(const MemberResult& result);

}  // namespace tallyer
