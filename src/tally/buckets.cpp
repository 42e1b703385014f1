#include "tally/buckets.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "data/type_colors.h"
#include "tally/schedule_prefetch.h"

namespace tallyer {
namespace {

// One key's running totals.
template <typename Key>
struct Total {
  Key key;
  long long minutes = 0;
  int count = 0;
};

// The member's totals per colour, in order of first occurrence. Neighbouring
// schedules mostly share a colour, so the last one is tried first; the others
// are hashed, as a damaged month can give a member any number of colours.
std::vector<Total<std::uint32_t>> ColorTotals(const MemberResult& result) {
  std::vector<Total<std::uint32_t>> totals;
  std::unordered_map<std::uint32_t, std::size_t> indexOf;
  std::size_t last = 0;
  for (std::size_t k = 0; k < result.schedules.size(); ++k) {
    PrefetchAhead(result.schedules, k);
    const CSchedule& s = *result.schedules[k];
    if (last >= totals.size() || totals[last].key != s.color) {
      const auto [it, added] = indexOf.emplace(s.color, totals.size());
      if (added) totals.push_back({s.color});
      last = it->second;
    }
    totals[last].minutes += ScheduleMinutes(s);
    ++totals[last].count;
  }
  return totals;
}

template <typename Key>
void Append(Buckets<Key>& buckets, const Key& key, long long minutes, int count) {
  buckets.keys.push_back(key);
  buckets.minutes.push_back(minutes);
  buckets.counts.push_back(count);
}

}  // namespace

Buckets<std::uint32_t> ColorBuckets(const MemberResult& result, const CTypeColors* types) {
  std::vector<Total<std::uint32_t>> totals = ColorTotals(result);
  Buckets<std::uint32_t> buckets;
  if (types != nullptr) {
    // Every colour of the table, in table order; a colour listed twice counts
    // in its first place only. Both lists may be long: looked up by hash.
    std::unordered_map<std::uint32_t, std::size_t> indexOf;
    for (std::size_t i = 0; i < totals.size(); ++i) indexOf.emplace(totals[i].key, i);
    std::vector<bool> taken(totals.size(), false);
    for (std::uint32_t color : types->colors) {
      const auto it = indexOf.find(color);
      if (it == indexOf.end() || taken[it->second]) {
        Append(buckets, color, 0, 0);
      } else {
        const Total<std::uint32_t>& t = totals[it->second];
        Append(buckets, color, t.minutes, t.count);
        taken[it->second] = true;
      }
    }
    const std::unordered_set<std::uint32_t> listed(types->colors.begin(), types->colors.end());
    std::erase_if(totals, [&](const auto& t) { return listed.contains(t.key); });
  }
  // The colours outside the table, ascending.
  std::sort(totals.begin(), totals.end(), [](const auto& a, const auto& b) { return a.key < b.key; });
  for (const auto& t : totals) Append(buckets, t.key, t.minutes, t.count);
  return buckets;
}

Buckets<std::string_view> ContentBuckets(const MemberResult& result) {
  Buckets<std::string_view> buckets;
  std::unordered_map<std::string_view, int> indexOf;
  // Pooled contents of equal text are one string: its address answers most
  // lookups without hashing the text.
  std::unordered_map<const std::string*, int> indexAt;
  for (std::size_t k = 0; k < result.schedules.size(); ++k) {
    PrefetchAhead(result.schedules, k);
    const CSchedule& s = *result.schedules[k];
    int i = -1;
    const auto at = indexAt.find(s.content.Pointer());
    if (at != indexAt.end()) {
      i = at->second;
    } else {
      const auto [it, added] = indexOf.emplace(s.content.View(), buckets.Size());
      if (added) Append(buckets, s.content.View(), 0, 0);
      i = it->second;
      indexAt.emplace(s.content.Pointer(), i);
    }
    buckets.minutes[static_cast<std::size_t>(i)] += ScheduleMinutes(s);
    ++buckets.counts[static_cast<std::size_t>(i)];
  }
  return buckets;
}

}  // namespace tallyer
