#include "report/c_numeric_locale.h"

#include <clocale>

namespace tallyer {

#ifdef _WIN32
// The C runtime's locale is the process's unless a thread asks for its own.
CNumericLocale::CNumericLocale() : previousMode_(_configthreadlocale(_ENABLE_PER_THREAD_LOCALE)) {
  if (const char* numeric = std::setlocale(LC_NUMERIC, nullptr)) previousNumeric_ = numeric;
  std::setlocale(LC_NUMERIC, "C");
}

CNumericLocale::~CNumericLocale() {
  if (!previousNumeric_.empty()) std::setlocale(LC_NUMERIC, previousNumeric_.c_str());
  if (previousMode_ > 0) _configthreadlocale(previousMode_);
}
#else
// The thread's locale as it is, but for its numbers.
CNumericLocale::CNumericLocale() {
  const locale_t current = duplocale(uselocale(static_cast<locale_t>(nullptr)));
  if (current == nullptr) return;
  numeric_ = newlocale(LC_NUMERIC_MASK, "C", current);
  if (numeric_ == nullptr) {
    freelocale(current);
    return;
  }
  previous_ = uselocale(numeric_);
}

CNumericLocale::~CNumericLocale() {
  if (numeric_ == nullptr) return;
  uselocale(previous_);
  freelocale(numeric_);
}
#endif

}  // namespace tallyer
