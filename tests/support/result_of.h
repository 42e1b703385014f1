#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tally/result_builder.h"
#include "tally/tally_context.h"

namespace tallyer::testing {

// The result a run builds from member results made by hand, for tests of the
// outputs: these results, in this order, of a group of the given name.
inline TallyResult ResultOf(std::vector<MemberResult> results, const TallySettings& settings,
                            const CTypeColors* types = nullptr, const std::string& groupName = {}) {
  TallyContext context;
  context.group.name = groupName;
  context.memberResults = std::move(results);
  return BuildTallyResult(context, settings, types, DateTime{});
}

}  // namespace tallyer::testing
