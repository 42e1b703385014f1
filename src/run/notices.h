#pragma once

#include "data/problem.h"

namespace tallyer {

class DiagnosticLog;
class UiServices;

// Tells the user of a problem: its log entry first when it has one, then its message.
void Tell(const Problem& problem, UiServices& ui, DiagnosticLog& log);

// Tells the user of a faulty revision link, only the first time while the
// program runs: one message is enough to say the month files are damaged.
// The program keeps one (in AppValues); the thread that runs tallies tells it.
class FaultyLinkNotice {
 public:
  void Tell(const Problem& problem, UiServices& ui);
  bool Shown() const { return shown_; }

 private:
  bool shown_ = false;
};

}  // namespace tallyer
