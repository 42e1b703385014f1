#include "run/notices.h"

#include "run/diagnostic_log.h"
#include "run/ui_services.h"

namespace tallyer {
namespace {

bool faultyLinkShown = false;

}  // namespace

void Tell(const Problem& problem, UiServices& ui, DiagnosticLog& log) {
  if (!problem.logText.empty()) log.LogNumber(problem.logText, problem.cause);
  ui.ShowMessage(problem.message, problem.kind);
}

void NoticeFaultyLink(const Problem& problem, UiServices& ui) {
  if (faultyLinkShown) return;
  faultyLinkShown = true;
  ui.ShowMessage(problem.message, problem.kind);
}

namespace detail {
void ResetFaultyLinkNotice() { faultyLinkShown = false; }
}  // namespace detail

}  // namespace tallyer
