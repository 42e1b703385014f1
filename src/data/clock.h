#pragma once

#include "data/date_time.h"

namespace tallyer {

// The one place the current time comes from.

// The local date and time now, to the second. The default period and the
// diagnostic log read it.
DateTime LocalNow();

// The time an output says it was made: the instant SOURCE_DATE_EPOCH gives
// (seconds since 1970-01-01 UTC) when it is set, so that tests and packages
// get the same bytes every time; otherwise LocalNow(). In local time.
DateTime GenerationTime();

}  // namespace tallyer
