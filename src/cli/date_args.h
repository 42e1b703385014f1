#pragma once

#include <optional>
#include <string_view>

#include "data/date_time.h"

namespace tallyer::cli {

// "YYYY-MM-DD" (00:00:00), "YYYY-MM-DDTHH:MM" or "YYYY-MM-DDTHH:MM:SS";
// nothing for another shape or a date that does not exist.
std::optional<DateTime> ParseDateArgument(std::string_view text);

struct Band {
  DateTime start;
  DateTime end;
};

// "HH:MM-HH:MM" (hours of one or two digits) as times of day on 2000-01-01,
// the date the desktop program keeps its band on. A start after the end is
// not refused here: the run refuses it with the desktop program's message.
std::optional<Band> ParseBandArgument(std::string_view text);

}  // namespace tallyer::cli
