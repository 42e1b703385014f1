#include "bench/bench_fixture.h"

#include "bench/bench_data.h"

namespace tallyer::bench {

BenchYear& BenchYear::Get() {
  static BenchYear year;
  return year;
}

BenchYear::BenchYear()
    : groupPath_(dir_.Path() / "bench.group"), typePath_(dir_.Path() / "bench.type") {
  WriteBenchData(dir_.Path(), kMembers, 1, kPerDay);
  context.group.SetPath(groupPath_);
  context.group.ReadFile(groupPath_);
  context.LoadPeriod(FirstDate(), LastDate());
  context.KeepPeriod(FirstDate(), LastDate());
  context.BuildMemberResults({}, true);
}

std::filesystem::path BenchYear::MonthPath() const { return BenchMonthPath(dir_.Path(), kFirstYear, 1); }
DateTime BenchYear::FirstDate() const { return DateTime::FromParts(kFirstYear, 1, 1); }
DateTime BenchYear::LastDate() const { return DateTime::FromParts(kFirstYear, 12, 31, 23, 59, 59); }

}  // namespace tallyer::bench
