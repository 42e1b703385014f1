#pragma once

#include <cstdint>
#include <string_view>

#include "data/date_time.h"

namespace tallyer {

class CMonthFile;

// One schedule record of a month file. The texts are CP932 and point into the
// text pool of the month file that read them (or to other storage that
// outlives the record), so that repeated texts are stored once.
struct CSchedule {
  static constexpr std::uint32_t kTentative = 0x1000;
  static constexpr std::uint32_t kNoLink = 0xFFFFFFFFu;

  // The small fields come first, together, so that no padding is spent on
  // them: a run holds millions of records.
  const CMonthFile* monthFile = nullptr;
  std::int32_t position = 0;
  std::uint32_t leadWord = 0;
  std::uint32_t kindFlags = 0;
  std::uint32_t color = 0;
  std::uint32_t link = kNoLink;
  bool superseded = false;
  DateTime start;
  DateTime end;
  DateTime date3;
  std::string_view content;
  std::string_view memberKey;
  std::string_view text3, text4, text5;

  // The record kind: 0 ordinary, anything else a revision of record `link`.
  std::uint32_t Kind() const { return kindFlags & 0xFF; }
  bool IsTentative() const { return (kindFlags & kTentative) != 0; }
};

}  // namespace tallyer
