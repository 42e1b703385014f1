#include "report/classic_report.h"
#include "run/run.h"

namespace tallyer {

std::string ComposeOptionLines(const TallySettings& settings, bool csv) {
  return csv ? ClassicCsvOptionLines(settings) : ClassicHtmlOptionLines(settings);
}

}  // namespace tallyer
