#pragma once

#include <cstdint>
#include <vector>

#include "data/pooled_text.h"
#include "tally/tally_result.h"

namespace tallyer {

// One month's schedules summed per listed member, as a run adds them up:
// made on the thread that read the month, so that the run's own thread only
// adds a few sums per member instead of walking every record.
struct MemberMonth {
  template <typename Key>
  struct Part {
    Key key;
    TallyFigures figures;
  };
  // A schedule's minute interval on the day it starts on (overlap-free minutes).
  struct Span {
    long long day;
    int from;
    int to;
  };

  TallyFigures figures;                    // minutes as the schedules' own
  std::vector<Part<std::uint32_t>> colors;  // by colour (modes 2 and 3)
  std::vector<Part<PooledText>> contents;   // by content, first seen first (mode 4)
  std::vector<Part<int>> cells;             // by breakdown unit
  std::vector<Span> spans;                  // mode 1 without overlap, in record order
};

struct MonthSums {
  std::vector<MemberMonth> members;  // members[i] sums results[i]
};

}  // namespace tallyer
