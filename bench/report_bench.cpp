// Building the result of a run and the documents of its outputs in memory
// (no file written) for a year of the benchmark group.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "bench/bench_fixture.h"
#include "data/type_colors.h"
#include "report/classic_report.h"
#include "report/json_report.h"
#include "tally/result_builder.h"

namespace tallyer::bench {
namespace {

std::int64_t ScheduleCount() {
  std::int64_t n = 0;
  for (const MemberResult& r : BenchYear::Get().context.memberResults) n += r.MemberCount();
  return n;
}

TallySettings Settings(int mode, bool noOverlap = false) {
  const BenchYear& y = BenchYear::Get();
  TallySettings s;
  s.mode = mode;
  s.noOverlap = noOverlap;
  s.firstDate = y.FirstDate();
  s.lastDate = y.LastDate();
  s.typeFilePath = y.TypePath();
  return s;
}

const CTypeColors& Types() {
  static const CTypeColors types = [] {
    CTypeColors t;
    t.Load(BenchYear::Get().TypePath());
    return t;
  }();
  return types;
}

// The result of the mode (arg: the mode number 1..4, 5 for mode 1 without overlap).
void BM_BuildResult(benchmark::State& state) {
  const BenchYear& y = BenchYear::Get();
  const int arg = static_cast<int>(state.range(0));
  const TallySettings s = Settings(arg == 5 ? kModeTotal : arg - 1, arg == 5);
  for (auto _ : state) {
    const TallyResult result = BuildTallyResult(y.context, s, &Types(), DateTime{});
    benchmark::DoNotOptimize(result.members.data());
  }
  state.SetItemsProcessed(state.iterations() * ScheduleCount());
}
BENCHMARK(BM_BuildResult)->ArgName("mode")->DenseRange(1, 5)->Unit(benchmark::kMillisecond);

// Every output of one result (arg: the mode number).
template <typename Render>
void Measure(benchmark::State& state, Render render) {
  const BenchYear& y = BenchYear::Get();
  const TallyResult result =
      BuildTallyResult(y.context, Settings(static_cast<int>(state.range(0)) - 1), &Types(), DateTime{});
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string doc = render(result);
    bytes = doc.size();
    benchmark::DoNotOptimize(doc.data());
  }
  state.counters["doc_bytes"] = static_cast<double>(bytes);
}

void BM_ClassicCsv(benchmark::State& state) { Measure(state, ClassicCsvDocument); }
BENCHMARK(BM_ClassicCsv)->ArgName("mode")->DenseRange(1, 4)->Unit(benchmark::kMillisecond);

void BM_ClassicHtml(benchmark::State& state) { Measure(state, ClassicHtmlDocument); }
BENCHMARK(BM_ClassicHtml)->ArgName("mode")->DenseRange(1, 4)->Unit(benchmark::kMillisecond);

void BM_Json(benchmark::State& state) {
  Measure(state, [](const TallyResult& result) {
    std::ostringstream out;
    JsonFormatter().Write(result, out);
    return out.str();
  });
}
BENCHMARK(BM_Json)->ArgName("mode")->DenseRange(1, 4)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tallyer::bench
