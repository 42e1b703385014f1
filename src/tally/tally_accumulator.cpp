#include "tally/tally_accumulator.h"

#include <algorithm>
#include <climits>
#include <map>
#include <tuple>
#include <type_traits>
#include <utility>

#include "data/type_colors.h"
#include "tally/day_walk.h"
#include "tally/schedule_prefetch.h"
#include "tally/team_rows.h"

namespace tallyer {
namespace {

constexpr long long kEveryDayFrom = LLONG_MIN;
constexpr long long kEveryDayTo = LLONG_MAX;

// The first and last day numbers of the month `month` lies in (no day when
// it names none). Counted from its first day: the month after December 9999
// has no day number.
std::pair<long long, long long> MonthDays(const DateTime& month) {
  const CalendarParts p = month.Parts();
  const long long first = CalendarDayKey(DateTime::FromParts(p.year, p.month, 1));
  if (first == kNoDay) return {0, -1};
  return {first, first + DaysInMonth(p.year, p.month) - 1};
}

DateTime FirstOfMonth(long long day) {
  const CalendarParts p = DateTime{static_cast<double>(day), DateTime::kValid}.Parts();
  return DateTime::FromParts(p.year, p.month, 1);
}

void Add(TallyFigures& sum, const TallyFigures& part) {
  sum.count += part.count;
  sum.minutes += part.minutes;
}

void AddTo(TallyFigures& figures, long long minutes) {
  ++figures.count;
  figures.minutes += minutes;
}

// Where a key's part lies in a member's month, found by its lookup value (a
// colour, a pooled text's address, a unit): the last one first, as
// neighbouring records often share it, then in a small open-addressed table
// that is emptied member after member without freeing anything.
template <typename Lookup>
class PartIndex {
 public:
  void Clear() {
    for (const std::uint32_t slot : used_) index_[slot] = kNone;
    used_.clear();
    last_ = kNone;
  }
  // The index of the part of `lookup`, appended (with `key`) when new.
  template <typename Parts, typename Key>
  std::size_t Find(Lookup lookup, Parts& parts, const Key& key) {
    if (last_ != kNone && lastLookup_ == lookup) return last_;
    if ((used_.size() + 1) * 2 > index_.size()) Grow();
    std::size_t slot = Slot(lookup);
    while (index_[slot] != kNone && lookups_[slot] != lookup) slot = (slot + 1) & (index_.size() - 1);
    if (index_[slot] == kNone) {
      index_[slot] = static_cast<std::uint32_t>(parts.size());
      lookups_[slot] = lookup;
      used_.push_back(static_cast<std::uint32_t>(slot));
      parts.push_back({key, {}});
    }
    last_ = index_[slot];
    lastLookup_ = lookup;
    return last_;
  }
  template <typename Parts>
  std::size_t Find(Lookup lookup, Parts& parts) {
    return Find(lookup, parts, lookup);
  }

 private:
  static constexpr std::uint32_t kNone = UINT32_MAX;

  std::size_t Slot(Lookup lookup) const {
    std::uint64_t v = 0;
    if constexpr (std::is_pointer_v<Lookup>) {
      v = reinterpret_cast<std::uintptr_t>(lookup);
    } else {
      v = static_cast<std::uint64_t>(lookup);
    }
    return static_cast<std::size_t>((v * 0x9E3779B97F4A7C15u) >> 32) & (index_.size() - 1);
  }
  void Grow() {
    std::vector<std::uint32_t> index = std::move(index_);
    std::vector<Lookup> lookups = std::move(lookups_);
    index_.assign(index.empty() ? 64 : index.size() * 2, kNone);
    lookups_.assign(index_.size(), Lookup{});
    used_.clear();
    for (std::size_t i = 0; i < index.size(); ++i) {
      if (index[i] == kNone) continue;
      std::size_t slot = Slot(lookups[i]);
      while (index_[slot] != kNone) slot = (slot + 1) & (index_.size() - 1);
      index_[slot] = index[i];
      lookups_[slot] = lookups[i];
      used_.push_back(static_cast<std::uint32_t>(slot));
    }
  }

  std::vector<std::uint32_t> index_;  // a part's index, kNone for a free slot
  std::vector<Lookup> lookups_;
  std::vector<std::uint32_t> used_;  // the slots taken, for Clear
  std::uint32_t last_ = kNone;
  Lookup lastLookup_{};
};

}  // namespace

TallyAccumulator::TallyAccumulator(const TallySettings& settings, const CTypeColors* types,
                                   std::vector<const CMember*> members)
    : settings_(settings),
      table_(settings.mode == kModeType ? types : nullptr),  // names colours in the type mode only
      byColor_(settings.mode == kModeColor || settings.mode == kModeType),
      byContent_(settings.mode == kModeContent),
      overlapFree_(settings.mode == kModeTotal && settings.noOverlap),
      closedBefore_(kEveryDayFrom) {
  if (settings.breakdownUnit) units_.emplace(*settings.breakdownUnit, settings.firstDate, settings.lastDate);
  // Overlap-free minutes count on the calendar days of the period only.
  if (IsWalkablePeriod(settings.firstDate, settings.lastDate)) {
    firstPeriodDay_ = CalendarDayKey(settings.firstDate.CalendarDate());
    lastPeriodDay_ = CalendarDayKey(settings.lastDate.CalendarDate());
  }
  members_.resize(members.size());
  const std::size_t units = units_ ? units_->Units().size() : 0;
  for (std::size_t i = 0; i < members.size(); ++i) {
    members_[i].member = members[i];
    members_[i].cells.assign(units, TallyFigures{});
  }
}

std::vector<const CMember*> TallyAccumulator::Members() const {
  std::vector<const CMember*> members;
  for (const MemberSums& sums : members_) members.push_back(sums.member);
  return members;
}

void TallyAccumulator::ForgetTexts() { contentIds_.ForgetPool(); }

void TallyAccumulator::AddMonth(const MonthSums& part, const DateTime& month) {
  const auto [first, last] = MonthDays(month);
  Add(part, first, last);
  CloseDays(first, last);
}

void TallyAccumulator::AddAll(const std::vector<MemberResult>& results) {
  MonthSums part;
  Summarise(results, part);
  Add(part, kEveryDayFrom, kEveryDayTo);
  CloseDays(kEveryDayFrom, kEveryDayTo);
}

void TallyAccumulator::Summarise(const std::vector<MemberResult>& results, MonthSums& part) const {
  part.members.resize(results.size());
  PartIndex<std::uint32_t> colorAt;
  PartIndex<const std::string*> contentAt;
  PartIndex<int> cellAt;
  for (std::size_t i = 0; i < results.size(); ++i) {
    MemberMonth& m = part.members[i];
    m.figures = {};
    m.colors.clear();
    m.contents.clear();
    m.cells.clear();
    m.spans.clear();
    colorAt.Clear();
    contentAt.Clear();
    cellAt.Clear();
    const std::vector<const CSchedule*>& list = results[i].schedules;
    for (std::size_t k = 0; k < list.size(); ++k) {
      PrefetchAhead(list, k);
      const CSchedule& s = *list[k];
      const int minutes = ScheduleMinutes(s);
      ++m.figures.count;
      m.figures.minutes += minutes;
      if (byColor_) AddTo(m.colors[colorAt.Find(s.color, m.colors)].figures, minutes);
      if (byContent_) AddTo(m.contents[contentAt.Find(s.content.Pointer(), m.contents, s.content)].figures, minutes);
      const long long day = CalendarDayKey(s.start);
      if (units_) {
        const int at = units_->Of(day);
        if (at >= 0) AddTo(m.cells[cellAt.Find(at, m.cells)].figures, overlapFree_ ? 0 : minutes);
      }
      if (!overlapFree_ || day == kNoDay) continue;
      const int from = MinuteOfDay(s.start);
      const int to = MinuteOfDay(s.end);  // the end's own time of day, whatever its date
      if (to > from) m.spans.push_back({day, from, to});
    }
  }
}

void TallyAccumulator::Add(const MonthSums& part, long long firstDay, long long lastDay) {
  for (std::size_t i = 0; i < part.members.size() && i < members_.size(); ++i) {
    const MemberMonth& m = part.members[i];
    MemberSums& sums = members_[i];
    tallyer::Add(sums.figures, m.figures);
    for (const auto& c : m.colors) sums.colors.Add(c.key, c.figures.minutes, static_cast<int>(c.figures.count));
    if (!m.contents.empty()) {
      ids_.clear();
      for (const auto& c : m.contents) ids_.push_back(contentIds_.Of(c.key));
      sums.contents.Prefetch(ids_);
      for (std::size_t k = 0; k < ids_.size(); ++k) {
        const TallyFigures& f = m.contents[k].figures;
        sums.contents.Add(ids_[k], f.minutes, static_cast<int>(f.count));
      }
    }
    for (const auto& c : m.cells) tallyer::Add(sums.cells[static_cast<std::size_t>(c.key)], c.figures);
    for (const MemberMonth::Span& s : m.spans) {
      const Span span{static_cast<std::uint32_t>(i), s.day, s.from, s.to};
      if (s.day >= firstDay && s.day <= lastDay) {
        open_.push_back(span);
      } else {
        strays_.push_back({span, s.day < closedBefore_});
      }
    }
  }
}

void TallyAccumulator::CloseDays(long long firstDay, long long lastDay) {
  std::vector<Span> spans = std::move(open_);
  open_.clear();
  for (const Stray& stray : strays_) {
    if (!stray.late && stray.span.day >= firstDay && stray.span.day <= lastDay) spans.push_back(stray.span);
  }
  std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) {
    return std::tie(a.member, a.day) < std::tie(b.member, b.day);
  });
  std::vector<std::pair<int, int>> intervals;
  for (std::size_t i = 0; i < spans.size();) {
    std::size_t j = i;
    intervals.clear();
    for (; j < spans.size() && spans[j].member == spans[i].member && spans[j].day == spans[i].day; ++j)
      intervals.emplace_back(spans[j].from, spans[j].to);
    AddCovered(spans[i].member, spans[i].day, CoveredMinutes(intervals));
    i = j;
  }
  if (lastDay != kEveryDayTo) closedBefore_ = std::max(closedBefore_, lastDay + 1);
  open_ = std::move(spans);  // its storage, for the next month
  open_.clear();
}

void TallyAccumulator::AddCovered(std::uint32_t member, long long day, long long minutes) {
  if (day < firstPeriodDay_ || day > lastPeriodDay_) return;
  MemberSums& sums = members_[member];
  sums.overlapFree += minutes;
  if (units_) {
    const int at = units_->Of(day);
    if (at >= 0) sums.cells[static_cast<std::size_t>(at)].minutes += minutes;
  }
}

std::vector<DateTime> TallyAccumulator::MonthsToRevisit() const {
  std::vector<long long> firsts;
  for (const Stray& stray : strays_) {
    if (stray.late) firsts.push_back(MonthDays(FirstOfMonth(stray.span.day)).first);
  }
  std::sort(firsts.begin(), firsts.end());
  firsts.erase(std::unique(firsts.begin(), firsts.end()), firsts.end());
  std::vector<DateTime> months;
  for (const long long day : firsts) months.push_back(FirstOfMonth(day));
  return months;
}

void TallyAccumulator::Revisit(const MonthSums& part, const DateTime& month) {
  const auto [first, last] = MonthDays(month);
  // Per member and day that a late file added to: the intervals the day was
  // summed with, and the late ones.
  struct Day {
    std::vector<std::pair<int, int>> summed;
    std::vector<std::pair<int, int>> late;
  };
  std::map<std::pair<std::uint32_t, long long>, Day> days;
  for (const Stray& stray : strays_) {
    const Span& s = stray.span;
    if (stray.late && s.day >= first && s.day <= last) days[{s.member, s.day}].late.emplace_back(s.from, s.to);
  }
  if (days.empty()) return;
  for (const Stray& stray : strays_) {
    const Span& s = stray.span;
    if (stray.late) continue;
    const auto it = days.find({s.member, s.day});
    if (it != days.end()) it->second.summed.emplace_back(s.from, s.to);
  }
  for (std::size_t i = 0; i < part.members.size() && i < members_.size(); ++i) {
    for (const MemberMonth::Span& s : part.members[i].spans) {
      const auto it = days.find({static_cast<std::uint32_t>(i), s.day});
      if (it != days.end()) it->second.summed.emplace_back(s.from, s.to);
    }
  }
  for (auto& [key, day] : days) {
    const long long before = CoveredMinutes(day.summed);
    day.summed.insert(day.summed.end(), day.late.begin(), day.late.end());
    AddCovered(key.first, key.second, CoveredMinutes(day.summed) - before);
  }
}

TallyResult TallyAccumulator::Finish(const std::string& groupName, const DateTime& generatedAt) {
  TallyResult result;
  result.settings = settings_;
  result.typeFileShown = settings_.typeFilePath;
  result.groupName = groupName;
  result.generatedAt = generatedAt;
  const TypeNames names(table_);
  result.members.reserve(members_.size());
  for (MemberSums& sums : members_) {
    MemberTally& member = result.members.emplace_back();
    if (sums.member != nullptr) {
      member.key = sums.member->key;
      member.name = sums.member->DisplayName();
    }
    if (byColor_) {
      const Buckets<std::uint32_t> b = sums.colors.Ordered(table_);
      for (int k = 0; k < b.Size(); ++k) {
        const auto at = static_cast<std::size_t>(k);
        TallyRow& row = member.rows.emplace_back();
        row.color = b.keys[at];
        row.typeName = names.Of(b.keys[at]);
        row.figures = {b.counts[at], b.minutes[at]};
      }
    } else if (byContent_) {
      Buckets<std::string> b = sums.contents.Ordered(contentIds_);
      for (int k = 0; k < b.Size(); ++k) {
        const auto at = static_cast<std::size_t>(k);
        TallyRow& row = member.rows.emplace_back();
        row.content = std::move(b.keys[at]);
        row.figures = {b.counts[at], b.minutes[at]};
      }
    }
    if (byColor_ || byContent_) {
      for (const TallyRow& row : member.rows) tallyer::Add(member.figures, row.figures);
    } else {
      member.figures = {sums.figures.count, overlapFree_ ? sums.overlapFree : sums.figures.minutes};
    }
    tallyer::Add(result.totals, member.figures);
  }
  if (byColor_) result.teamRows = TeamColorRows(result.members, table_, names);
  if (byContent_) result.teamRows = TeamContentRows(result.members);
  if (units_) {
    PeriodBreakdown& breakdown = result.breakdown.emplace();
    breakdown.unit = *settings_.breakdownUnit;
    breakdown.periods = units_->TakeUnits();
    breakdown.totals.assign(breakdown.periods.size(), TallyFigures{});
    for (MemberSums& sums : members_) {
      for (std::size_t i = 0; i < sums.cells.size(); ++i) tallyer::Add(breakdown.totals[i], sums.cells[i]);
      breakdown.memberCells.push_back(std::move(sums.cells));
    }
  }
  return result;
}

}  // namespace tallyer
