#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/date_time.h"
#include "data/group.h"
#include "tally/buckets.h"
#include "tally/member_result.h"
#include "tally/month_sums.h"
#include "tally/period_breakdown.h"
#include "tally/tally_result.h"

namespace tallyer {

class CTypeColors;

// Adds a run's schedules into its figures as they come, so that a run holds
// one month's records at a time however long its period:
//
//   TallyAccumulator sums(settings, types, members);
//   for each month file of the period, in calendar order:
//     sums.Summarise(its member results after every filter, part);  // any thread
//     sums.AddMonth(part, the month);
//   for each month of sums.MonthsToRevisit():
//     sums.Revisit(that month summarised again, the month);
//   TallyResult result = sums.Finish(groupName, generatedAt);
//
// The result equals the one made from all of the period's schedules at once
// (AddAll). Overlap-free minutes are summed per day once the day's month is
// added; a damaged file may hold records of another month's day, so those
// are kept aside and merged into their day: when they come before the day's
// month, as it is added; when they come after, by reading that month again.
class TallyAccumulator {
 public:
  // `members`: the listed members in report order; results[i] of every call
  // belongs to members[i]. `types`: the type colour table of the run in the
  // type mode, null otherwise; it must outlive the accumulator.
  TallyAccumulator(const TallySettings& settings, const CTypeColors* types,
                   std::vector<const CMember*> members);

  // The listed members, as given.
  std::vector<const CMember*> Members() const;
  // Forgets the addresses of texts it has seen: before adding schedules whose
  // texts may lie where freed texts of earlier months did.
  void ForgetTexts();

  // Sums one month's member results into `part` (its storage reused). Reads
  // only what the constructor set: safe on any thread while AddMonth runs.
  void Summarise(const std::vector<MemberResult>& results, MonthSums& part) const;
  // The sums of one month file, `month` being any day of its month. Months
  // come in calendar order, each once, every month of the period.
  void AddMonth(const MonthSums& part, const DateTime& month);
  // All of the period's schedules at once, in place of AddMonth.
  void AddAll(const std::vector<MemberResult>& results);

  // The months (their first days, ascending) a later month file held
  // overlap-free minutes of: each must be read again and given to Revisit.
  std::vector<DateTime> MonthsToRevisit() const;
  void Revisit(const MonthSums& part, const DateTime& month);

  TallyResult Finish(const std::string& groupName, const DateTime& generatedAt);

 private:
  // A schedule's minute interval on the day it starts on, for overlap-free minutes.
  struct Span {
    std::uint32_t member;
    long long day;
    int from;
    int to;
  };
  // A span a file of another month held: `late` when it came after its
  // day's month was added.
  struct Stray {
    Span span;
    bool late;
  };
  struct MemberSums {
    const CMember* member = nullptr;
    TallyFigures figures;          // minutes as the schedules' own
    long long overlapFree = 0;     // minutes with overlap counted once
    ColorTally colors;
    ContentTally contents;
    std::vector<TallyFigures> cells;  // per breakdown unit
  };

  void Add(const MonthSums& part, long long firstDay, long long lastDay);
  // Sums the overlap-free minutes of the days firstDay to lastDay.
  void CloseDays(long long firstDay, long long lastDay);
  void AddCovered(std::uint32_t member, long long day, long long minutes);

  TallySettings settings_;
  const CTypeColors* table_;  // the type table in the type mode, else null
  bool byColor_;
  bool byContent_;
  bool overlapFree_;
  std::optional<UnitOfDay> units_;
  std::vector<MemberSums> members_;
  ContentIds contentIds_;  // shared by the members' content tallies
  std::vector<std::uint32_t> ids_;  // of one member's month's contents
  std::vector<Span> open_;      // the spans of the days not yet summed
  std::vector<Stray> strays_;   // kept for the whole run: only damaged files make them
  long long closedBefore_;      // the days before it are summed
  // The calendar days of the period, which alone have overlap-free minutes.
  long long firstPeriodDay_ = 0;
  long long lastPeriodDay_ = -1;
};

}  // namespace tallyer
