#include "tally/tally_context.h"

#include <iterator>
#include <unordered_map>
#include <unordered_set>

#include "tally/day_walk.h"

namespace tallyer {

TallyContext::TallyContext(UiServices& ui, DiagnosticLog& log)
    : monthFile(ui, texts), group(ui, log), ui_(&ui) {
  monthFile.SetGroup(&group);
  group.SetMonthFile(&monthFile);
}

void TallyContext::ClearRun() {
  memberResults.clear();
  schedules.clear();
  schedules.shrink_to_fit();
  monthFile.Clear();
  texts.Clear();  // only after every record that points into it is gone
}

void TallyContext::LoadPeriod(const DateTime& firstDate, const DateTime& lastDate) {
  ClearRun();
  if (!IsWalkablePeriod(firstDate, lastDate)) return;
  CalendarParts loaded;  // no month yet, so the first day always loads its month
  loaded.year = -2;
  for (DateTime cursor = firstDate; !cursor.IsLaterThan(lastDate); cursor = cursor.PlusDays(1)) {
    const CalendarParts day = cursor.Parts();
    if (day.year == loaded.year && day.month == loaded.month) continue;
    loaded = day;
    monthFile.SetMonth(cursor);
    monthFile.Load();
    ResolveChains(monthFile, *ui_);
    std::vector<CSchedule>& month = monthFile.Schedules();
    schedules.insert(schedules.end(), std::make_move_iterator(month.begin()),
                     std::make_move_iterator(month.end()));
    monthFile.Clear();
  }
}

void TallyContext::BuildMemberResults(const std::vector<std::string>& selectedKeys, bool everyone) {
  memberResults.clear();
  const std::unordered_set<std::string_view> selected(selectedKeys.begin(), selectedKeys.end());
  for (const CMember& member : group.Members()) {
    if (!member.IsVisible()) continue;
    if (!everyone && !selected.contains(member.key)) continue;
    memberResults.push_back(MemberResult{&member, {}});
  }
  // A key shared by several members belongs to the first of them.
  std::unordered_map<std::string_view, std::size_t> resultOf;
  for (std::size_t i = 0; i < memberResults.size(); ++i)
    resultOf.emplace(memberResults[i].member->key, i);
  for (const CSchedule& schedule : schedules) {
    const auto it = resultOf.find(schedule.memberKey);
    if (it != resultOf.end()) memberResults[it->second].schedules.push_back(&schedule);
  }
}

}  // namespace tallyer
