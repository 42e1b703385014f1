#include "tally/tally_context.h"

#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "tally/period_loader.h"

namespace tallyer {

TallyContext::TallyContext() : monthFile(texts) {
  monthFile.SetGroup(&group);
  group.SetMonthFile(&monthFile);
}

void TallyContext::ClearRun() {
  memberResults.clear();
  schedules.clear();
  schedules.shrink_to_fit();
  monthFile.Clear();
  texts.Clear();  // only after every record that points into it is gone
  workerTexts.clear();
}

std::vector<Problem> TallyContext::LoadPeriod(const DateTime& firstDate, const DateTime& lastDate) {
  std::vector<Problem> problems;
  PeriodLoader loader(*this, firstDate, lastDate);
  while (!loader.Done()) {
    loader.ReadMonth();
    if (auto problem = loader.ResolveMonth()) problems.push_back(std::move(*problem));
    loader.TakeMonth();
  }
  return problems;
}

std::vector<const CMember*> TallyContext::ListedMembers(const std::vector<std::string>& selectedKeys,
                                                        bool everyone) const {
  std::vector<const CMember*> listed;
  const std::unordered_set<std::string_view> selected(selectedKeys.begin(), selectedKeys.end());
  for (const CMember& member : group.Members()) {
    if (!member.IsVisible()) continue;
    if (!everyone && !selected.contains(member.key)) continue;
    listed.push_back(&member);
  }
  return listed;
}

void TallyContext::FilterMonth(std::vector<CSchedule>& records, const TallySettings& settings) {
  schedules.clear();
  schedules.swap(records);
  KeepPeriod(settings.firstDate, settings.lastDate);
  if (settings.contentOnly) KeepContent(settings.contentText, settings.exactMatch, settings.ignoreCaseWidth);
  if (settings.bandOnly) ClipToBand(settings.bandStart, settings.bandEnd);
  if (settings.noTentative) DropTentative();
  static const std::vector<std::string> kNoKeys;
  BuildMemberResults(settings.everyone ? kNoKeys : settings.selectedKeys, settings.everyone);
}

void TallyContext::BuildMemberResults(const std::vector<std::string>& selectedKeys, bool everyone) {
  memberResults.clear();
  for (const CMember* member : ListedMembers(selectedKeys, everyone)) {
    memberResults.push_back(MemberResult{member, {}});
  }
  // A key shared by several members belongs to the first of them.
  std::unordered_map<std::string_view, std::size_t> resultOf;
  for (std::size_t i = 0; i < memberResults.size(); ++i)
    resultOf.emplace(memberResults[i].member->key, i);
  constexpr std::size_t kNobody = static_cast<std::size_t>(-1);
  // Neighbouring records mostly belong to one member, and the pooled keys of
  // equal texts are one and the same string: the last answer is tried first.
  PooledText lastKey;
  std::size_t lastResult = kNobody;
  bool answered = false;
  auto resultFor = [&](PooledText key) {
    if (!answered || key.Pointer() != lastKey.Pointer()) {
      const auto it = resultOf.find(key.View());
      lastKey = key;
      lastResult = it == resultOf.end() ? kNobody : it->second;
      answered = true;
    }
    return lastResult;
  };
  // Counted first, so that each member's list is allocated once at its size.
  std::vector<std::size_t> counts(memberResults.size(), 0);
  for (const CSchedule& schedule : schedules) {
    const std::size_t r = resultFor(schedule.memberKey);
    if (r != kNobody) ++counts[r];
  }
  for (std::size_t i = 0; i < memberResults.size(); ++i) memberResults[i].schedules.reserve(counts[i]);
  for (const CSchedule& schedule : schedules) {
    const std::size_t r = resultFor(schedule.memberKey);
    if (r != kNobody) memberResults[r].schedules.push_back(&schedule);
  }
}

}  // namespace tallyer
