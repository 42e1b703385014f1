#pragma once

#include "data/problem.h"

namespace tallyer {

class DiagnosticLog;
class UiServices;

// Tells the user of a problem: its log entry first when it has one, then its message.
void Tell(const Problem& problem, UiServices& ui, DiagnosticLog& log);

// Tells the user of a faulty revision link, only the first time while the
// program runs: one message is enough to say the month files are damaged.
void NoticeFaultyLink(const Problem& problem, UiServices& ui);

namespace detail {
// Lets tests see the once-per-process faulty-link message again.
void ResetFaultyLinkNotice();
}  // namespace detail

}  // namespace tallyer
