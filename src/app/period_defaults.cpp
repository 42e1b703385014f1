#include "app/period_defaults.h"

#include "app/qt_text.h"
#include "run/default_period.h"

namespace tallyer {

DefaultPeriod MakeDefaultPeriod(const QDateTime& now) {
  const DateTime last = FromQDateTime(now);
  return {DefaultFirstDate(last), last};
}

}  // namespace tallyer
