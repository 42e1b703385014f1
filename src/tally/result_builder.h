#pragma once

#include "data/date_time.h"
#include "tally/tally_result.h"

namespace tallyer {

class CTypeColors;
class TallyContext;

// The result of a run from what the run left in the context (the group and
// its member results) and the settings it ran with. `types` is the type
// colour table read by the run in the type mode, null otherwise.
TallyResult BuildTallyResult(const TallyContext& context, const TallySettings& settings,
                             const CTypeColors* types, const DateTime& generatedAt);

}  // namespace tallyer
