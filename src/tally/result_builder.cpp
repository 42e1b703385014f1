#include "tally/result_builder.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "data/type_colors.h"
#include "tally/buckets.h"
#include "tally/period_breakdown.h"
#include "tally/tally_context.h"

namespace tallyer {
namespace {

// The name of the first entry of each colour of the type table, looked up
// once per colour rather than by a search of the table per row.
class TypeNames {
 public:
  explicit TypeNames(const CTypeColors* types) {
    if (types == nullptr) return;
    for (std::size_t i = 0; i < types->colors.size() && i < types->names.size(); ++i)
      first_.emplace(types->colors[i], &types->names[i]);
  }
  std::string Of(std::uint32_t color) const {
    const auto it = first_.find(color);
    return it == first_.end() ? std::string() : *it->second;
  }

 private:
  std::unordered_map<std::uint32_t, const std::string*> first_;
};

void Add(TallyFigures& sum, const TallyFigures& part) {
  sum.count += part.count;
  sum.minutes += part.minutes;
}

std::vector<TallyRow> ColorRows(const MemberResult& result, const CTypeColors* types,
                                const TypeNames& names) {
  const Buckets<std::uint32_t> buckets = ColorBuckets(result, types);
  std::vector<TallyRow> rows(buckets.keys.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    rows[i].color = buckets.keys[i];
    rows[i].typeName = names.Of(buckets.keys[i]);
    rows[i].figures = {buckets.counts[i], buckets.minutes[i]};
  }
  return rows;
}

// The team's rows by content, in order of first appearance, summed while the
// members' rows are made: their keys still point into the run's text pool,
// where equal texts share one string, so most lookups compare addresses only.
class TeamContents {
 public:
  void Add(std::string_view content, const TallyFigures& figures) {
    const auto at = indexAt_.find(content.data());
    std::size_t i = 0;
    if (at != indexAt_.end()) {
      i = at->second;
    } else {
      const auto [it, added] = indexOf_.emplace(content, rows_.size());
      if (added) {
        rows_.emplace_back();
        rows_.back().content = std::string(content);
      }
      i = it->second;
      indexAt_.emplace(content.data(), i);
    }
    tallyer::Add(rows_[i].figures, figures);
  }
  std::vector<TallyRow> Take() { return std::move(rows_); }

 private:
  std::vector<TallyRow> rows_;
  std::unordered_map<std::string_view, std::size_t> indexOf_;
  std::unordered_map<const char*, std::size_t> indexAt_;
};

std::vector<TallyRow> ContentRows(const MemberResult& result, TeamContents& team) {
  const Buckets<std::string_view> buckets = ContentBuckets(result);
  std::vector<TallyRow> rows(buckets.keys.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    rows[i].content = std::string(buckets.keys[i]);
    rows[i].figures = {buckets.counts[i], buckets.minutes[i]};
    team.Add(buckets.keys[i], rows[i].figures);
  }
  return rows;
}

// The team's rows by colour: the type table's colours first (each once, in
// table order), then the others ascending.
std::vector<TallyRow> TeamColorRows(const std::vector<MemberTally>& members, const CTypeColors* types,
                                    const TypeNames& names) {
  std::vector<TallyRow> rows;
  std::unordered_map<std::uint32_t, std::size_t> indexOf;
  const auto rowOf = [&](std::uint32_t color) -> TallyRow& {
    const auto [it, added] = indexOf.emplace(color, rows.size());
    if (added) {
      rows.emplace_back();
      rows.back().color = color;
      rows.back().typeName = names.Of(color);
    }
    return rows[it->second];
  };
  if (types != nullptr) {
    for (const std::uint32_t color : types->colors) rowOf(color);
  }
  const std::size_t listed = rows.size();
  for (const MemberTally& member : members) {
    for (const TallyRow& row : member.rows) Add(rowOf(row.color).figures, row.figures);
  }
  std::sort(rows.begin() + static_cast<std::ptrdiff_t>(listed), rows.end(),
            [](const TallyRow& a, const TallyRow& b) { return a.color < b.color; });
  return rows;
}

}  // namespace

TallyResult BuildTallyResult(const TallyContext& context, const TallySettings& settings,
                             const CTypeColors* types, const DateTime& generatedAt) {
  TallyResult result;
  result.settings = settings;
  result.typeFileShown = settings.typeFilePath;
  result.groupName = context.group.name;
  result.generatedAt = generatedAt;
  const bool byColor = settings.mode == kModeColor || settings.mode == kModeType;
  const bool byContent = settings.mode == kModeContent;
  // The type table names colours in the type mode only.
  const CTypeColors* table = settings.mode == kModeType ? types : nullptr;
  const TypeNames names(table);

  TeamContents teamContents;
  result.members.reserve(context.memberResults.size());
  for (const MemberResult& r : context.memberResults) {
    MemberTally& member = result.members.emplace_back();
    if (r.member != nullptr) {
      member.key = r.member->key;
      member.name = r.member->DisplayName();
    }
    if (byColor || byContent) {
      member.rows = byColor ? ColorRows(r, table, names) : ContentRows(r, teamContents);
      for (const TallyRow& row : member.rows) Add(member.figures, row.figures);
    } else {
      member.figures.count = r.MemberCount();
      member.figures.minutes = settings.noOverlap
                                   ? r.MemberMinutesNoOverlap(settings.firstDate, settings.lastDate)
                                   : r.MemberMinutes();
    }
    Add(result.totals, member.figures);
  }
  if (byColor) result.teamRows = TeamColorRows(result.members, table, names);
  if (byContent) result.teamRows = teamContents.Take();
  if (settings.breakdownUnit) result.breakdown = BuildPeriodBreakdown(context.memberResults, settings);
  return result;
}

}  // namespace tallyer
