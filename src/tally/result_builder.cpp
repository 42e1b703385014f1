#include "tally/result_builder.h"

#include "tally/tally_accumulator.h"
#include "tally/tally_context.h"

namespace tallyer {

TallyResult BuildTallyResult(const TallyContext& context, const TallySettings& settings,
                             const CTypeColors* types, const DateTime& generatedAt) {
  std::vector<const CMember*> members;
  members.reserve(context.memberResults.size());
  for (const MemberResult& r : context.memberResults) members.push_back(r.member);
  TallyAccumulator sums(settings, types, std::move(members));
  sums.AddAll(context.memberResults);
  return sums.Finish(context.group.name, generatedAt);
}

}  // namespace tallyer
