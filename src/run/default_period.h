#pragma once

#include "data/date_time.h"

namespace tallyer {

// The same date one calendar month earlier, at 00:00: January goes to December
// of the year before with the same day; otherwise the day is lowered to the
// end of a shorter month.
DateTime OneMonthBack(const DateTime& date);

// The first day of the period proposed when none is stored or given: tomorrow
// moved one calendar month back, at 00:00. The last day is now.
DateTime DefaultFirstDate(const DateTime& now);

}  // namespace tallyer
