#pragma once

#include <cstddef>
#include <vector>

#include "data/schedule.h"

namespace tallyer {

// A member's schedules lie far apart in the run's list, so walking them waits
// on memory at every step; asking for the ones a few steps ahead hides most
// of that wait. Call once per step with the index about to be used.
inline void PrefetchAhead(const std::vector<const CSchedule*>& list, std::size_t i) {
#if defined(__GNUC__) || defined(__clang__)
  constexpr std::size_t kAhead = 8;
  if (i + kAhead < list.size()) {
    const CSchedule* s = list[i + kAhead];
    // Its first and last bytes: a record may straddle two cache lines.
    __builtin_prefetch(&s->start);
    __builtin_prefetch(&s->superseded);
  }
#else
  (void)list;
  (void)i;
#endif
}

}  // namespace tallyer
