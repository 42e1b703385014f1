#pragma once

#include <filesystem>

#include "data/date_time.h"
#include "support/temp_dir.h"
#include "tally/tally_context.h"

namespace tallyer::bench {

// One year of the benchmark group (200 members, 4 schedules a working day),
// written once per process into a temporary folder and loaded into a context
// the way a run leaves it before the report: period kept, member results built.
class BenchYear {
 public:
  static constexpr int kMembers = 200;
  static constexpr int kPerDay = 4;

  static BenchYear& Get();

  const std::filesystem::path& GroupPath() const { return groupPath_; }
  const std::filesystem::path& TypePath() const { return typePath_; }
  // The first month of the year.
  std::filesystem::path MonthPath() const;
  DateTime FirstDate() const;
  DateTime LastDate() const;

  TallyContext context;

 private:
  BenchYear();

  testing::TempDir dir_;
  std::filesystem::path groupPath_;
  std::filesystem::path typePath_;
};

}  // namespace tallyer::bench
