#include "tally/tally_context.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <system_error>
#include <unordered_map>
#include <unordered_set>

#include "tally/day_walk.h"
#include "tally/page_advice.h"

namespace tallyer {
namespace {

// The size of a file, 0 when it cannot be read.
std::uintmax_t FileBytes(const std::filesystem::path& path) {
  std::error_code ec;
  const std::uintmax_t bytes = std::filesystem::file_size(path, ec);
  return ec ? 0 : bytes;
}

// The bytes of the month files of the period (the month file object is left
// pointing at the last of them; every load sets its month anew).
std::uintmax_t PeriodBytes(CMonthFile& monthFile, const std::vector<DateTime>& months) {
  std::uintmax_t total = 0;
  for (const DateTime& month : months) {
    monthFile.SetMonth(month);
    total += FileBytes(monthFile.Path());
  }
  return total;
}

// Reserves the run's schedule list once, from the size of the period's month
// files and the record size of the first month read: years of months would
// otherwise make the list grow, copy and fault in its records several times
// over. A file holds at most one record per 59 bytes, which bounds the guess
// whatever the files contain; a list that outgrows it simply grows.
class ListCapacity {
 public:
  explicit ListCapacity(std::uintmax_t periodBytes) : left_(periodBytes) {}

  void Reserve(std::vector<CSchedule>& list, std::size_t records, const std::filesystem::path& month) {
    const std::uintmax_t bytes = FileBytes(month);
    if (done_ || records == 0 || bytes == 0) {
      left_ -= std::min(left_, bytes);
      return;
    }
    done_ = true;
    constexpr std::uintmax_t kSmallestRecord = 59;
    const double perByte = static_cast<double>(records) / static_cast<double>(bytes);
    const std::uintmax_t bound = left_ / kSmallestRecord;
    // A tenth more than the first month's density foretells, for months that run fuller.
    // Capped before the conversion: a file cut short after it was read can make the density absurd.
    const auto guess = static_cast<std::uintmax_t>(
        std::min(static_cast<double>(left_) * perByte * 1.1, static_cast<double>(bound)));
    list.reserve(list.size() + static_cast<std::size_t>(std::min(std::max<std::uintmax_t>(guess, records), bound)));
    AdviseHugePages(list.data(), list.capacity() * sizeof(CSchedule));
  }

 private:
  std::uintmax_t left_;
  bool done_ = false;
};

}  // namespace

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
  // The first day of each month the period touches, in calendar order.
  std::vector<DateTime> months;
  CalendarParts listed;  // no month yet, so the first day always starts one
  listed.year = -2;
  ForEachPeriodDay(firstDate, lastDate, [&](const DateTime& cursor) {
    const CalendarParts day = cursor.Parts();
    if (day.year == listed.year && day.month == listed.month) return;
    listed = day;
    months.push_back(cursor);
  });
  ListCapacity capacity(PeriodBytes(monthFile, months));
  for (const DateTime& month : months) {
    monthFile.SetMonth(month);
    monthFile.Load();
    ResolveChains(monthFile, *ui_);
    std::vector<CSchedule>& records = monthFile.Schedules();
    capacity.Reserve(schedules, records.size(), monthFile.Path());
    schedules.insert(schedules.end(), std::make_move_iterator(records.begin()),
                     std::make_move_iterator(records.end()));
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
