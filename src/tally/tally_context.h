#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/group.h"
#include "data/month_file.h"
#include "data/problem.h"
#include "data/schedule.h"
#include "data/text_pool.h"
#include "tally/member_result.h"
#include "tally/period_loader.h"

namespace tallyer {

// Everything a run works on: the group, the month file object, the schedules
// of the current run and the member results. One lives for the whole program.
class TallyContext {
 public:
  TallyContext();
  TallyContext(const TallyContext&) = delete;
  TallyContext& operator=(const TallyContext&) = delete;

  void ClearRun();
  // Clears the previous run, then loads every month the period touches, once
  // each and in calendar order, resolving its revision chains (see
  // PeriodLoader). Returns the faulty link of each month that has one.
  std::vector<Problem> LoadPeriod(const DateTime& firstDate, const DateTime& lastDate);
  // Keeps the countable schedules that start on a day of the period.
  void KeepPeriod(const DateTime& firstDate, const DateTime& lastDate);
  void KeepContent(const std::string& contentText, bool exactMatch, bool ignoreCaseWidth);
  // Keeps the schedules that touch the daily band of their start day, clipped to it.
  void ClipToBand(const DateTime& bandStart, const DateTime& bandEnd);
  void DropTentative();
  void BuildMemberResults(const std::vector<std::string>& selectedKeys, bool everyone);
  // The members a run lists, in group order: the visible ones, all or those
  // whose key is selected.
  std::vector<const CMember*> ListedMembers(const std::vector<std::string>& selectedKeys,
                                            bool everyone) const;

  TextPool texts;  // declared first: the schedules below point into it
  std::vector<std::unique_ptr<TextPool>> workerTexts;  // one per worker of the run's loader
  std::size_t workers = DefaultWorkerCount();  // threads that read the months; 1: none
  CMonthFile monthFile;
  CGroup group;
  std::vector<CSchedule> schedules;
  std::vector<MemberResult> memberResults;
  std::string optionLines;
};

// Resolves the revision chains of the month just loaded: marks superseded
// records and rewrites links to the chain's root. Returns what the user is to
// be told of the month's first faulty link, if it has one.
std::optional<Problem> ResolveChains(CMonthFile& monthFile);

}  // namespace tallyer
