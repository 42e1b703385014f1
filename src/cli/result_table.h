#pragma once

#include <string>
#include <vector>

#include "cli/text_table.h"
#include "tally/tally_settings.h"
#include "tally/member_result.h"

namespace tallyer {
class CTypeColors;
}

namespace tallyer::cli {

// The result of a run as a terminal table, with the columns of the report of
// the settings' mode: member, [colour, [type,]] or [content,] count, time.
// `types` is the type colour table of the type mode (null otherwise).
TextTable ResultTable(const std::vector<MemberResult>& results, const TallySettings& settings,
                      const CTypeColors* types);

// The lines above the table in UTF-8: the group line, then the run's option
// lines of the CSV kind (CP932, ending in CR LF) with LF line ends.
std::string ResultHeading(const std::string& groupName, const std::string& optionLines);

}  // namespace tallyer::cli
