// Runs one tally the way the desktop program does (the same Run, HTML report,
// the document "opened") and prints when each progress position was set. The
// window repaints at every position and nowhere else, so the longest gap is
// the longest time the desktop program's window goes without being painted.
//
//   tallyer-bench-progress GROUP_FILE YEARS OUTPUT_FOLDER
//
// Output: "position seconds-since-start" lines, then "longest step" and "total".
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_data.h"
#include "run/diagnostic_log.h"
#include "run/group_loading.h"
#include "run/run.h"
#include "run/run_host.h"
#include "run/settings_store.h"
#include "tally/tally_context.h"

namespace {

using namespace tallyer;
using Clock = std::chrono::steady_clock;

class TimingHost : public RunHost {
 public:
  void ShowMessage(const std::string&, MessageKind) override { ++messages; }
  void ShowDebugMessage(const std::string&) override {}
  void SetProgress(int position) override { steps.push_back({position, Clock::now()}); }
  bool OpenDocument(const std::filesystem::path&) override { return opened = true; }

  struct Step {
    int position;
    Clock::time_point at;
  };
  std::vector<Step> steps;
  int messages = 0;
  bool opened = false;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: tallyer-bench-progress GROUP_FILE YEARS OUTPUT_FOLDER\n");
    return 2;
  }
  const int years = std::stoi(argv[2]);
  TimingHost host;
  DiagnosticLog log{std::filesystem::path()};
  TallyContext context;
  const std::filesystem::path groupPath = argv[1];
  const auto begin = Clock::now();
  context.group.SetPath(groupPath);
  if (!ReadGroupFile(context.group, groupPath, host, log)) return 1;

  TallySettings settings;
  settings.groupPath = groupPath;
  settings.everyone = true;
  settings.firstDate = DateTime::FromParts(bench::kFirstYear, 1, 1);
  settings.lastDate = DateTime::FromParts(bench::kFirstYear + years - 1, 12, 31, 23, 59);
  AppValues app;
  app.htmlReportPath = std::filesystem::path(argv[3]) / "Planwell_Output.html";
  MemorySettingsStore store;
  const RunOutcome outcome = Run(settings, context, app, store, host);
  if (outcome != RunOutcome::kDone || !host.opened || host.messages != 0) {
    std::fprintf(stderr, "tallyer-bench-progress: the run did not complete\n");
    return 1;
  }

  double longest = 0;
  int longestTo = 0;
  auto last = begin;
  for (const auto& step : host.steps) {
    const double gap = std::chrono::duration<double>(step.at - last).count();
    if (gap > longest) {
      longest = gap;
      longestTo = step.position;
    }
    std::printf("%d %.3f\n", step.position, std::chrono::duration<double>(step.at - begin).count());
    last = step.at;
  }
  std::printf("longest step %.3f s (before position %d)\ntotal %.3f s\n", longest, longestTo,
              std::chrono::duration<double>(last - begin).count());
  return 0;
}
