#include <algorithm>
#include <cmath>
#include <string>
#include <unordered_map>

#include "tally/month_filter.h"
#include "tally/tally_accumulator.h"
#include "tally/tally_context.h"
#include "tally/text_folding.h"

namespace tallyer {

void KeepPeriod(std::vector<CSchedule>& schedules, const DateTime& firstDate, const DateTime& lastDate) {
  const DateTime firstDay = firstDate.CalendarDate();
  const DateTime lastDay = lastDate.CalendarDate();
  std::erase_if(schedules, [&](const CSchedule& s) {
    if (s.superseded || s.memberKey.empty() || s.start == s.end) return true;
    const DateTime day = s.start.CalendarDate();
    // A start that is no number (a damaged record) compares neither earlier
    // nor later: it lies in no period rather than in every one.
    return std::isnan(day.value) || day.IsEarlierThan(firstDay) || day.IsLaterThan(lastDay);
  });
}

void KeepContent(std::vector<CSchedule>& schedules, const std::string& contentText, bool exactMatch,
                 bool ignoreCaseWidth) {
  std::string pattern = contentText;
  if (ignoreCaseWidth) FoldText(pattern);
  std::string folded;  // reused for every schedule; the content itself stays as stored
  auto matches = [&](std::string_view text) {
    if (ignoreCaseWidth) {
      FoldTextInto(text, folded);
      text = folded;
    }
    return exactMatch ? text == pattern : FindText(text, pattern) != -1;
  };
  // Pooled contents of equal text are one string, so the answer for a string
  // holds for every schedule that shares it: each distinct content is folded
  // and searched once, not once per schedule.
  std::unordered_map<const std::string*, bool> known;
  std::erase_if(schedules, [&](const CSchedule& s) {
    const auto [it, added] = known.try_emplace(s.content.Pointer(), false);
    if (added) it->second = matches(s.content);
    return !it->second;
  });
}

void ClipToBand(std::vector<CSchedule>& schedules, const DateTime& bandStart, const DateTime& bandEnd) {
  const CalendarParts from = bandStart.Parts();
  const CalendarParts to = bandEnd.Parts();
  std::erase_if(schedules, [&](CSchedule& s) {
    // The band always lies on the day the schedule starts.
    const CalendarParts day = s.start.Parts();
    const DateTime bandFrom = DateTime::FromParts(day.year, day.month, day.day, from.hour, from.minute, 0);
    const DateTime bandTo = DateTime::FromParts(day.year, day.month, day.day, to.hour, to.minute, 0);
    if (s.end.IsEarlierThan(bandFrom) || s.start.IsLaterThan(bandTo)) return true;
    if (s.start.IsEarlierThan(bandFrom)) s.start = bandFrom;
    if (s.end.IsLaterThan(bandTo)) s.end = bandTo;
    return false;
  });
}

void DropTentative(std::vector<CSchedule>& schedules) {
  std::erase_if(schedules, [](const CSchedule& s) { return s.IsTentative(); });
}

void MonthFilter::Apply(std::vector<CSchedule>& records, std::vector<MemberResult>& results,
                        MonthSums& sums) const {
  const TallySettings& s = *settings;
  KeepPeriod(records, s.firstDate, s.lastDate);
  if (s.contentOnly) KeepContent(records, s.contentText, s.exactMatch, s.ignoreCaseWidth);
  if (s.bandOnly) ClipToBand(records, s.bandStart, s.bandEnd);
  if (s.noTentative) DropTentative(records);
  SplitByMember(records, listed, results);
  if (summer != nullptr) summer->Summarise(results, sums);
}

void TallyContext::KeepPeriod(const DateTime& firstDate, const DateTime& lastDate) {
  tallyer::KeepPeriod(schedules, firstDate, lastDate);
}

void TallyContext::KeepContent(const std::string& contentText, bool exactMatch, bool ignoreCaseWidth) {
  tallyer::KeepContent(schedules, contentText, exactMatch, ignoreCaseWidth);
}

void TallyContext::ClipToBand(const DateTime& bandStart, const DateTime& bandEnd) {
  tallyer::ClipToBand(schedules, bandStart, bandEnd);
}

void TallyContext::DropTentative() { tallyer::DropTentative(schedules); }

}  // namespace tallyer
