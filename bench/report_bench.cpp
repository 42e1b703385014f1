// Building the report documents of the four modes in memory (no file written)
// for a year of the benchmark group.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/bench_fixture.h"
#include "data/type_colors.h"
#include "report/report_writers.h"

namespace tallyer::bench {
namespace {

std::int64_t ScheduleCount() {
  std::int64_t n = 0;
  for (const MemberResult& r : BenchYear::Get().context.memberResults) n += r.MemberCount();
  return n;
}

template <typename Build>
void Measure(benchmark::State& state, Build build) {
  const std::int64_t schedules = ScheduleCount();
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string doc = build(state.range(0) != 0);
    bytes = doc.size();
    benchmark::DoNotOptimize(doc.data());
  }
  state.SetItemsProcessed(state.iterations() * schedules);
  state.counters["doc_bytes"] = static_cast<double>(bytes);
}

void BM_TotalsDocument(benchmark::State& state) {
  const BenchYear& y = BenchYear::Get();
  Measure(state, [&](bool csv) { return TotalsDocument(y.context, csv, 0, false, y.FirstDate(), y.LastDate()); });
}
BENCHMARK(BM_TotalsDocument)->ArgName("csv")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_TotalsDocumentNoOverlap(benchmark::State& state) {
  const BenchYear& y = BenchYear::Get();
  Measure(state, [&](bool csv) { return TotalsDocument(y.context, csv, 0, true, y.FirstDate(), y.LastDate()); });
}
BENCHMARK(BM_TotalsDocumentNoOverlap)->ArgName("csv")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ColorDocument(benchmark::State& state) {
  const BenchYear& y = BenchYear::Get();
  Measure(state, [&](bool csv) { return ColorDocument(y.context, csv, 0, nullptr); });
}
BENCHMARK(BM_ColorDocument)->ArgName("csv")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_TypeDocument(benchmark::State& state) {
  const BenchYear& y = BenchYear::Get();
  CTypeColors types;
  types.Load(y.TypePath());
  Measure(state, [&](bool csv) { return ColorDocument(y.context, csv, 0, &types); });
}
BENCHMARK(BM_TypeDocument)->ArgName("csv")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ContentDocument(benchmark::State& state) {
  const BenchYear& y = BenchYear::Get();
  Measure(state, [&](bool csv) { return ContentDocument(y.context, csv, 0); });
}
BENCHMARK(BM_ContentDocument)->ArgName("csv")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tallyer::bench
