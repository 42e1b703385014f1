#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "tally/tally_result.h"

namespace tallyer {

class CTypeColors;

// The name of the first entry of each colour of the type table, looked up
// once per colour rather than by a search of the table per row.
class TypeNames {
 public:
  explicit TypeNames(const CTypeColors* types);
  std::string Of(std::uint32_t color) const;

 private:
  std::unordered_map<std::uint32_t, const std::string*> first_;
};

// The team's rows by colour: the type table's colours first (each once, in
// table order), then the others ascending.
std::vector<TallyRow> TeamColorRows(const std::vector<MemberTally>& members, const CTypeColors* types,
                                    const TypeNames& names);

// The team's rows by content, in order of first appearance walking the
// members in order and each member's rows in order.
std::vector<TallyRow> TeamContentRows(const std::vector<MemberTally>& members);

}  // namespace tallyer
