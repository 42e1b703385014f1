// Reading the scheduler's files: one month of the benchmark group (about
// 18,000 records), value by value and record by record.
#include <benchmark/benchmark.h>

#include "bench/bench_fixture.h"
#include "data/archive_reader.h"
#include "data/file_error.h"
#include "data/month_file.h"

namespace tallyer::bench {
namespace {

// The bare reader: every u32 of the file, for the cost of one value.
void BM_ArchiveReadU32(benchmark::State& state) {
  const auto path = BenchYear::Get().MonthPath();
  std::int64_t values = 0;
  for (auto _ : state) {
    ArchiveReader reader;
    reader.Open(path);
    std::uint32_t sum = 0;
    try {
      for (;;) {
        sum += reader.ReadU32();
        ++values;
      }
    } catch (const ArchiveError&) {
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(values);
}
BENCHMARK(BM_ArchiveReadU32)->Unit(benchmark::kMillisecond);

// CMonthFile::Load: records read whole, texts interned.
void BM_MonthFileLoad(benchmark::State& state) {
  BenchYear& year = BenchYear::Get();
  TextPool texts;
  CMonthFile month(texts);
  month.SetGroup(&year.context.group);
  month.SetMonth(year.FirstDate());
  std::int64_t records = 0;
  for (auto _ : state) {
    month.Load();
    records += month.Count();
  }
  state.SetItemsProcessed(records);
}
BENCHMARK(BM_MonthFileLoad)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tallyer::bench
