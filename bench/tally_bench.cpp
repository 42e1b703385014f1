// The tally engine's inner steps on the benchmark group.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/bench_data.h"
#include "bench/bench_fixture.h"
#include "data/cp932.h"
#include "data/month_file.h"
#include "tally/revision_chains.h"
#include "tally/text_folding.h"

namespace tallyer::bench {
namespace {

// One month's records as loaded, resolved afresh every iteration.
void BM_ResolveChains(benchmark::State& state) {
  BenchYear& year = BenchYear::Get();
  TextPool texts;
  CMonthFile month(texts);
  month.SetGroup(&year.context.group);
  month.SetMonth(year.FirstDate());
  month.Load();
  const std::vector<CSchedule> loaded = month.Schedules();
  std::vector<CSchedule> records;
  ChainIndex index;
  for (auto _ : state) {
    state.PauseTiming();
    records = loaded;
    state.ResumeTiming();
    ResolveChains(records, index);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(loaded.size()));
}
BENCHMARK(BM_ResolveChains)->Unit(benchmark::kMicrosecond);

// The contents of a year's schedules in list order, as the content filter sees them.
std::vector<std::string_view> YearContents() {
  std::vector<std::string_view> contents;
  for (const CSchedule& s : BenchYear::Get().context.schedules) contents.push_back(s.content);
  return contents;
}

void BM_FoldText(benchmark::State& state) {
  const std::vector<std::string> texts = BenchContents();
  std::string folded;
  for (auto _ : state) {
    for (const std::string& t : texts) {
      FoldTextInto(t, folded);
      benchmark::DoNotOptimize(folded.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(texts.size()));
}
BENCHMARK(BM_FoldText);

void BM_FindText(benchmark::State& state) {
  const std::vector<std::string_view> contents = YearContents();
  const std::string pattern = Utf8ToCp932("会議");
  for (auto _ : state) {
    long hits = 0;
    for (std::string_view t : contents) hits += FindText(t, pattern) != -1;
    benchmark::DoNotOptimize(hits);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(contents.size()));
}
BENCHMARK(BM_FindText)->Unit(benchmark::kMillisecond);

// The content filter's work per schedule with case and width ignored.
void BM_FoldAndFindText(benchmark::State& state) {
  const std::vector<std::string_view> contents = YearContents();
  std::string pattern = Utf8ToCp932("会議");
  FoldText(pattern);
  std::string folded;
  for (auto _ : state) {
    long hits = 0;
    for (std::string_view t : contents) {
      FoldTextInto(t, folded);
      hits += FindText(folded, pattern) != -1;
    }
    benchmark::DoNotOptimize(hits);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(contents.size()));
}
BENCHMARK(BM_FoldAndFindText)->Unit(benchmark::kMillisecond);

// Every member's year, with and without overlapping time counted once.
void BM_MemberMinutes(benchmark::State& state) {
  const BenchYear& year = BenchYear::Get();
  std::int64_t schedules = 0;
  for (auto _ : state) {
    long long total = 0;
    for (const MemberResult& r : year.context.memberResults) {
      total += r.MemberMinutes();
      schedules += r.MemberCount();
    }
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(schedules);
}
BENCHMARK(BM_MemberMinutes)->Unit(benchmark::kMillisecond);

void BM_MemberMinutesNoOverlap(benchmark::State& state) {
  const BenchYear& year = BenchYear::Get();
  std::int64_t schedules = 0;
  for (auto _ : state) {
    long long total = 0;
    for (const MemberResult& r : year.context.memberResults) {
      total += r.MemberMinutesNoOverlap(year.FirstDate(), year.LastDate());
      schedules += r.MemberCount();
    }
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(schedules);
}
BENCHMARK(BM_MemberMinutesNoOverlap)->Unit(benchmark::kMillisecond);

// A whole year through the loader and the period filter.
void BM_LoadAndKeepPeriod(benchmark::State& state) {
  BenchYear& year = BenchYear::Get();
  TallyContext context;
  context.group.SetPath(year.GroupPath());
  context.group.ReadFile(year.GroupPath());
  std::int64_t records = 0;
  for (auto _ : state) {
    context.LoadPeriod(year.FirstDate(), year.LastDate());
    records += static_cast<std::int64_t>(context.schedules.size());
    context.KeepPeriod(year.FirstDate(), year.LastDate());
  }
  state.SetItemsProcessed(records);
}
BENCHMARK(BM_LoadAndKeepPeriod)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tallyer::bench
