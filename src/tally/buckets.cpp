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

void ColorTally::Add(std::uint32_t color, long long minutes, int count) {
  // Neighbouring schedules mostly share a colour, so the last one is tried
  // first; the others are hashed, as a damaged month can give a member any
  // number of colours.
  if (last_ >= totals_.size() || totals_[last_].color != color) {
    const auto [it, added] = indexOf_.emplace(color, totals_.size());
    if (added) totals_.push_back({color});
    last_ = it->second;
  }
  totals_[last_].minutes += minutes;
  totals_[last_].count += count;
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

std::uint32_t ContentIds::Of(PooledText content) {
  const auto at = idAt_.find(content.Pointer());
  if (at != idAt_.end()) return at->second;
  std::uint32_t id = 0;
  const auto it = idOf_.find(content.View());
  if (it != idOf_.end()) {
    id = it->second;
  } else {
    id = static_cast<std::uint32_t>(texts_.size());
    texts_.emplace_back(content.View());
    idOf_.emplace(texts_.back(), id);
  }
  idAt_.emplace(content.Pointer(), id);
  return id;
}

std::uint32_t& ContentTally::IndexOf(std::uint32_t id) {
  if (id >= kTabled) return hashed_.try_emplace(id, kNone).first->second;
  if (id >= tabled_.size()) tabled_.resize(id + 1, kNone);
  return tabled_[id];
}

void ContentTally::Add(std::uint32_t id, long long minutes, int count) {
  // A member's neighbouring schedules often share a content.
  if (last_ >= rows_.size() || rows_[last_].id != id) {
    std::uint32_t& index = IndexOf(id);
    if (index == kNone) {
      index = static_cast<std::uint32_t>(rows_.size());
      rows_.push_back({id, 0, 0});
    }
    last_ = index;
  }
  rows_[last_].minutes += minutes;
  rows_[last_].count += count;
}

void ContentTally::Prefetch(const std::vector<std::uint32_t>& ids) const {
#if defined(__GNUC__) || defined(__clang__)
  for (const std::uint32_t id : ids) {
    if (id < tabled_.size()) __builtin_prefetch(&tabled_[id]);
  }
  for (const std::uint32_t id : ids) {
    if (id < tabled_.size() && tabled_[id] != kNone) __builtin_prefetch(&rows_[tabled_[id]]);
  }
#else
  (void)ids;
#endif
}

Buckets<std::string> ContentTally::Ordered(const ContentIds& ids) const {
  Buckets<std::string> texts;
  for (const Row& row : rows_) Append(texts, ids.Text(row.id), row.minutes, row.count);
  return texts;
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
  ContentIds ids;
  ContentTally tally;
  for (std::size_t k = 0; k < result.schedules.size(); ++k) {
    PrefetchAhead(result.schedules, k);
    tally.Add(ids.Of(result.schedules[k]->content), ScheduleMinutes(*result.schedules[k]));
  }
  return tally.Ordered(ids);
}

}  // namespace tallyer
