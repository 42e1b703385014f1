#include "tally/buckets.h"

#include <algorithm>
#include <unordered_map>

#include "data/type_colors.h"
#include "tally/schedule_prefetch.h"

namespace tallyer {
namespace {

template <typename Key>
void Tally(Buckets<Key>& buckets, const std::unordered_map<Key, int>& indexOf,
           const MemberResult& result, Key (*keyOf)(const CSchedule&)) {
  buckets.minutes.assign(buckets.keys.size(), 0);
  buckets.counts.assign(buckets.keys.size(), 0);
  for (std::size_t k = 0; k < result.schedules.size(); ++k) {
    PrefetchAhead(result.schedules, k);
    const CSchedule* s = result.schedules[k];
    const auto i = static_cast<std::size_t>(indexOf.at(keyOf(*s)));
    buckets.minutes[i] += ScheduleMinutes(*s);
    ++buckets.counts[i];
  }
}

std::uint32_t ColorOf(const CSchedule& s) { return s.color; }
std::string_view ContentOf(const CSchedule& s) { return s.content; }

}  // namespace

Buckets<std::uint32_t> ColorBuckets(const MemberResult& result, const CTypeColors* types) {
  Buckets<std::uint32_t> buckets;
  std::unordered_map<std::uint32_t, int> indexOf;  // a colour's first bucket
  if (types != nullptr) {
    for (std::uint32_t color : types->colors) {
      indexOf.emplace(color, buckets.Size());
      buckets.keys.push_back(color);
    }
  }
  const std::size_t tableSize = buckets.keys.size();
  for (std::size_t k = 0; k < result.schedules.size(); ++k) {
    PrefetchAhead(result.schedules, k);
    const CSchedule* s = result.schedules[k];
    if (indexOf.emplace(s->color, -1).second) buckets.keys.push_back(s->color);
  }
  std::sort(buckets.keys.begin() + static_cast<std::ptrdiff_t>(tableSize), buckets.keys.end());
  for (std::size_t i = tableSize; i < buckets.keys.size(); ++i)
    indexOf[buckets.keys[i]] = static_cast<int>(i);
  Tally(buckets, indexOf, result, &ColorOf);
  return buckets;
}

Buckets<std::string_view> ContentBuckets(const MemberResult& result) {
  Buckets<std::string_view> buckets;
  std::unordered_map<std::string_view, int> indexOf;
  for (std::size_t k = 0; k < result.schedules.size(); ++k) {
    PrefetchAhead(result.schedules, k);
    const CSchedule* s = result.schedules[k];
    if (indexOf.emplace(s->content, buckets.Size()).second) buckets.keys.push_back(s->content);
  }
  Tally(buckets, indexOf, result, &ContentOf);
  return buckets;
}

}  // namespace tallyer
