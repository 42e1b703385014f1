#pragma once

#include "report/formatter.h"
#include "report/summary_page.h"

namespace tallyer {

// The texts and charts of the summary page of a result.
SummaryPage SummaryPageOf(const TallyResult& result);

// The summary page: one self-contained HTML5 file in UTF-8 that a manager
// can open offline, print or pass on.
class SummaryPageFormatter : public Formatter {
 public:
  void Write(const TallyResult& result, std::ostream& out) const override;
};

}  // namespace tallyer
