#include "tally/buckets.h"

#include <algorithm>
#include <unordered_set>

#include "data/type_colors.h"
#include "tally/schedule_prefetch.h"

namespace tallyer {
namespace {

template <typename Key>
void Append(Buckets<Key>& buckets, const Key& key, long long minutes, int count) {
  buckets.keys.push_back(key);
  buckets.minutes.push_back(minutes);
  buckets.counts.push_back(count);
}

}  // namespace

void ColorTally::Add(std::uint32_t color, long long minutes) {
  // Neighbouring schedules mostly share a colour, so the last one is tried
  // first; the others are hashed, as a damaged month can give a member any
  // number of colours.
  if (last_ >= totals_.size() || totals_[last_].color != color) {
    const auto [it, added] = indexOf_.emplace(color, totals_.size());
    if (added) totals_.push_back({color});
    last_ = it->second;
  }
  totals_[last_].minutes += minutes;
  ++totals_[last_].count;
}

Buckets<std::uint32_t> ColorTally::Ordered(const CTypeColors* types) const {
  std::vector<Total> rest = totals_;
  Buckets<std::uint32_t> buckets;
  if (types != nullptr) {
    // Every colour of the table, in table order; a colour listed twice counts
    // in its first place only.
    std::vector<bool> taken(totals_.size(), false);
    for (std::uint32_t color : types->colors) {
      const auto it = indexOf_.find(color);
      if (it == indexOf_.end() || taken[it->second]) {
        Append(buckets, color, 0, 0);
      } else {
        const Total& t = totals_[it->second];
        Append(buckets, color, t.minutes, t.count);
        taken[it->second] = true;
      }
    }
    const std::unordered_set<std::uint32_t> listed(types->colors.begin(), types->colors.end());
    std::erase_if(rest, [&](const Total& t) { return listed.contains(t.color); });
  }
  // The colours outside the table, ascending.
  std::sort(rest.begin(), rest.end(), [](const Total& a, const Total& b) { return a.color < b.color; });
  for (const Total& t : rest) Append(buckets, t.color, t.minutes, t.count);
  return buckets;
}

void ContentTally::Add(PooledText content, long long minutes) {
  int i = -1;
  const auto at = indexAt_.find(content.Pointer());
  if (at != indexAt_.end()) {
    i = at->second;
  } else {
    const auto it = indexOf_.find(content.View());
    if (it != indexOf_.end()) {
      i = it->second;
    } else {
      i = buckets_.Size();
      indexOf_.emplace(std::string(content.View()), i);
      Append(buckets_, std::string(content.View()), 0, 0);
    }
    indexAt_.emplace(content.Pointer(), i);
  }
  buckets_.minutes[static_cast<std::size_t>(i)] += minutes;
  ++buckets_.counts[static_cast<std::size_t>(i)];
}

Buckets<std::uint32_t> ColorBuckets(const MemberResult& result, const CTypeColors* types) {
  ColorTally tally;
  for (std::size_t k = 0; k < result.schedules.size(); ++k) {
    PrefetchAhead(result.schedules, k);
    tally.Add(result.schedules[k]->color, ScheduleMinutes(*result.schedules[k]));
  }
  return tally.Ordered(types);
}

Buckets<std::string> ContentBuckets(const MemberResult& result) {
  ContentTally tally;
  for (std::size_t k = 0; k < result.schedules.size(); ++k) {
    PrefetchAhead(result.schedules, k);
    tally.Add(result.schedules[k]->content, ScheduleMinutes(*result.schedules[k]));
  }
  return tally.Take();
}

}  // namespace tallyer
