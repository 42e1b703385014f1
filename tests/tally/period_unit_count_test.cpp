#include <gtest/gtest.h>

#include "support/archive_writer.h"
#include "tally/period_breakdown.h"

namespace tallyer {
namespace {

using testing::At;

struct CountCase {
  PeriodUnit unit;
  const char* from;
  const char* to;
  std::size_t units;
};

class PeriodUnitCountTest : public ::testing::TestWithParam<CountCase> {};

TEST_P(PeriodUnitCountTest, CountsTheUnitsPeriodUnitsGives) {
  const CountCase& c = GetParam();
  EXPECT_EQ(PeriodUnitCount(c.unit, At(c.from), At(c.to)), c.units);
  EXPECT_EQ(PeriodUnits(c.unit, At(c.from), At(c.to)).size(), c.units);
}

INSTANTIATE_TEST_SUITE_P(
    Periods, PeriodUnitCountTest,
    ::testing::Values(
        CountCase{PeriodUnit::kDay, "2025-01-01", "2025-01-01", 1},
        CountCase{PeriodUnit::kDay, "2025-01-31 23:00", "2025-02-01 01:00", 2},
        CountCase{PeriodUnit::kDay, "2024-01-01", "2024-12-31", 366},
        CountCase{PeriodUnit::kDay, "1980-01-01", "2024-11-07", 16383},
        CountCase{PeriodUnit::kWeek, "2025-01-05", "2025-01-06", 2},   // Sunday, then Monday
        CountCase{PeriodUnit::kWeek, "2025-01-06", "2025-01-12", 1},
        CountCase{PeriodUnit::kMonth, "2025-01-31", "2025-03-01", 3},
        CountCase{PeriodUnit::kYear, "2016-01-01", "2025-12-31", 10},
        CountCase{PeriodUnit::kFiscalYear, "2025-03-31", "2025-04-01", 2},
        CountCase{PeriodUnit::kFiscalYear, "2025-04-01", "2026-03-31", 1},
        CountCase{PeriodUnit::kMonth, "2025-03-01", "2025-01-01", 0}));  // reversed: no days

}  // namespace
}  // namespace tallyer
