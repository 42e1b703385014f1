#include "run/notices.h"

#include "run/diagnostic_log.h"
#include "run/ui_services.h"

namespace tallyer {
void Tell(const Problem& problem, UiServices& ui, DiagnosticLog& log) {
  if (!problem.logText.empty()) log.LogNumber(problem.logText, problem.cause);
  ui.ShowMessage(problem.message, problem.kind);
}

void FaultyLinkNotice::Tell(const Problem& problem, UiServices& ui) {
  if (shown_) return;
  shown_ = true;
  ui.ShowMessage(problem.message, problem.kind);
}

}  // namespace tallyer
