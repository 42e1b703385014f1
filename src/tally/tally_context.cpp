#include "tally/tally_context.h"

#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "tally/month_filter.h"
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

void TallyContext::BuildMemberResults(const std::vector<std::string>& selectedKeys, bool everyone) {
  SplitByMember(schedules, ListedMembers(selectedKeys, everyone), memberResults);
}

void SplitByMember(const std::vector<CSchedule>& schedules, const std::vector<const CMember*>& listed,
                   std::vector<MemberResult>& results) {
  // The lists are emptied, not freed: a month's lists are about the size of
  // the month before.
  results.resize(listed.size());
  for (std::size_t i = 0; i < listed.size(); ++i) {
    results[i].member = listed[i];
    results[i].schedules.clear();
  }
  // A key shared by several members belongs to the first of them.
  std::unordered_map<std::string_view, std::uint32_t> resultOf;
  for (std::size_t i = 0; i < results.size(); ++i)
    resultOf.emplace(results[i].member->key, static_cast<std::uint32_t>(i));
  constexpr std::uint32_t kNobody = UINT32_MAX;
  // The pooled keys of equal texts are one and the same string: each is
  // looked up by its text once, then by its address; neighbouring records
  // mostly belong to one member, so the last answer is tried first.
  std::unordered_map<const std::string*, std::uint32_t> resultAt;
  std::vector<std::uint32_t> resultOfRecord(schedules.size());
  std::vector<std::size_t> counts(results.size(), 0);
  const std::string* lastKey = nullptr;
  std::uint32_t lastResult = kNobody;
  for (std::size_t k = 0; k < schedules.size(); ++k) {
    const PooledText key = schedules[k].memberKey;
    if (k == 0 || key.Pointer() != lastKey) {
      auto [at, added] = resultAt.try_emplace(key.Pointer(), kNobody);
      if (added) {
        const auto it = resultOf.find(key.View());
        if (it != resultOf.end()) at->second = it->second;
      }
      lastKey = key.Pointer();
      lastResult = at->second;
    }
    resultOfRecord[k] = lastResult;
    if (lastResult != kNobody) ++counts[lastResult];
  }
  // Counted first, so that each member's list is allocated once at its size.
  for (std::size_t i = 0; i < results.size(); ++i) results[i].schedules.reserve(counts[i]);
  for (std::size_t k = 0; k < schedules.size(); ++k) {
    if (resultOfRecord[k] != kNobody) results[resultOfRecord[k]].schedules.push_back(&schedules[k]);
  }
}

}  // namespace tallyer
