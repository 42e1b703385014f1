#pragma once

#include <string>
#include <vector>

#include "data/group.h"
#include "data/schedule.h"
#include "tally/member_result.h"
#include "tally/month_sums.h"
#include "tally/tally_settings.h"

namespace tallyer {

class TallyAccumulator;

// Keeps the countable schedules that start on a day of the period.
void KeepPeriod(std::vector<CSchedule>& schedules, const DateTime& firstDate, const DateTime& lastDate);
void KeepContent(std::vector<CSchedule>& schedules, const std::string& contentText, bool exactMatch,
                 bool ignoreCaseWidth);
// Keeps the schedules that touch the daily band of their start day, clipped to it.
void ClipToBand(std::vector<CSchedule>& schedules, const DateTime& bandStart, const DateTime& bandEnd);
void DropTentative(std::vector<CSchedule>& schedules);

// Splits schedules by member: results[i] gets the schedules of listed[i], in
// their order; a key shared by several members belongs to the first of them.
void SplitByMember(const std::vector<CSchedule>& schedules, const std::vector<const CMember*>& listed,
                   std::vector<MemberResult>& results);

// What a run keeps of each month's records, for whom, and how it sums them:
// applied to a month as soon as it is read, on whichever thread read it.
struct MonthFilter {
  const TallySettings* settings = nullptr;
  std::vector<const CMember*> listed;  // in report order
  const TallyAccumulator* summer = nullptr;  // sums each month when given

  // Keeps the records the settings count and splits them by listed member
  // (the results point into the records), then sums them into `sums`.
  void Apply(std::vector<CSchedule>& records, std::vector<MemberResult>& results, MonthSums& sums) const;
};

}  // namespace tallyer
