#pragma once

#include <QDateTime>

#include "data/date_time.h"

namespace tallyer {

// The period shown when none is stored: from tomorrow's date one calendar
// month back, at 00:00, up to now.
struct DefaultPeriod {
  DateTime firstDate;
  DateTime lastDate;
};
DefaultPeriod MakeDefaultPeriod(const QDateTime& now);

}  // namespace tallyer
