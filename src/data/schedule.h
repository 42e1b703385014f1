#pragma once

#include <cstdint>

#include "data/date_time.h"
#include "data/pooled_text.h"

namespace tallyer {

// One schedule record of a month file, as far as the tally uses it. The texts
// are CP932 and held by the text pool of the month file that read them (or by
// other storage that outlives the record), so that repeated texts are stored once.
// The record's other fields (lead word, third date-time, third to fifth texts)
// are read past but not kept: a run holds millions of records.
struct CSchedule {
  static constexpr std::uint32_t kTentative = 0x1000;
  static constexpr std::uint32_t kNoLink = 0xFFFFFFFFu;

  DateTime start;
  DateTime end;
  PooledText content;
  PooledText memberKey;
  std::int32_t position = 0;  // the record's place in its month file
  std::uint32_t color = 0;
  std::uint32_t link = kNoLink;
  // The file's u32 narrowed to the bits anything looks at: the kind byte and
  // the tentative bit 0x1000 (it keeps a record at 64 bytes).
  std::uint16_t kindFlags = 0;
  bool superseded = false;

  // The record kind: 0 ordinary, anything else a revision of record `link`.
  std::uint32_t Kind() const { return kindFlags & 0xFFu; }
  bool IsTentative() const { return (kindFlags & kTentative) != 0; }
};

#if UINTPTR_MAX == 0xFFFFFFFFFFFFFFFFu
static_assert(sizeof(CSchedule) <= 64, "a schedule record grew: millions of them make up a run's memory");
#endif

}  // namespace tallyer
