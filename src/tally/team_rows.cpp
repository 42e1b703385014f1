#include "tally/team_rows.h"

#include <algorithm>
#include <string_view>

#include "data/type_colors.h"

namespace tallyer {
namespace {

void Add(TallyFigures& sum, const TallyFigures& part) {
  sum.count += part.count;
  sum.minutes += part.minutes;
}

}  // namespace

TypeNames::TypeNames(const CTypeColors* types) {
  if (types == nullptr) return;
  for (std::size_t i = 0; i < types->colors.size() && i < types->names.size(); ++i)
    first_.emplace(types->colors[i], &types->names[i]);
}

std::string TypeNames::Of(std::uint32_t color) const {
  const auto it = first_.find(color);
  return it == first_.end() ? std::string() : *it->second;
}

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

std::vector<TallyRow> TeamContentRows(const std::vector<MemberTally>& members) {
  std::vector<TallyRow> rows;
  std::unordered_map<std::string_view, std::size_t> indexOf;  // views into the members' rows
  for (const MemberTally& member : members) {
    for (const TallyRow& row : member.rows) {
      const auto [it, added] = indexOf.emplace(row.content, rows.size());
      if (added) {
        rows.emplace_back();
        rows.back().content = row.content;
      }
      Add(rows[it->second].figures, row.figures);
    }
  }
  return rows;
}

}  // namespace tallyer
