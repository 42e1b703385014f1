// Overlap-free minutes summed month by month must equal those of the whole
// period at once when a month's file holds schedules of another month's day:
// before that day's month is added (kept aside) or after it (read again).
#include "tally/tally_accumulator.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "support/archive_writer.h"

namespace tallyer {
namespace {

using testing::At;

struct Stored {
  int file;  // 0 January, 1 February, 2 March 2005
  const char* from;
  const char* to;
};

struct Case {
  const char* name;
  std::vector<Stored> records;
  std::vector<int> revisited;  // the months read again, as file numbers
};

const DateTime kMonths[] = {At("2005-01-01 00:00"), At("2005-02-01 00:00"), At("2005-03-01 00:00")};

class TallyAccumulatorTest : public ::testing::TestWithParam<Case> {
 protected:
  TallyAccumulatorTest() {
    member_.key = "tanaka";
    settings_.mode = kModeTotal;
    settings_.noOverlap = true;
    settings_.breakdownUnit = PeriodUnit::kDay;
    settings_.firstDate = kMonths[0];
    settings_.lastDate = At("2005-03-31 00:00");
    for (const Stored& r : GetParam().records) {
      CSchedule& s = storage_.emplace_back();
      s.start = At(r.from);
      s.end = At(r.to);
      files_[r.file].schedules.push_back(&s);
      all_.schedules.push_back(&s);
    }
  }

  TallyAccumulator Make() const { return TallyAccumulator(settings_, nullptr, {&member_}); }
  MonthSums Sum(const TallyAccumulator& sums, int file) const {
    MonthSums part;
    sums.Summarise({files_[file]}, part);
    return part;
  }

  CMember member_;
  TallySettings settings_;
  std::deque<CSchedule> storage_;
  MemberResult files_[3] = {{&member_, {}}, {&member_, {}}, {&member_, {}}};
  MemberResult all_{&member_, {}};
};

TEST_P(TallyAccumulatorTest, MonthByMonthEqualsThePeriodAtOnce) {
  TallyAccumulator atOnce = Make();
  atOnce.AddAll({all_});
  const TallyResult expected = atOnce.Finish("", DateTime{});

  TallyAccumulator streamed = Make();
  for (int file = 0; file < 3; ++file) streamed.AddMonth(Sum(streamed, file), kMonths[file]);
  std::vector<int> revisited;
  for (const DateTime& month : streamed.MonthsToRevisit()) {
    const int file = month.Parts().month - 1;
    revisited.push_back(file);
    streamed.Revisit(Sum(streamed, file), month);
  }
  const TallyResult result = streamed.Finish("", DateTime{});

  EXPECT_EQ(revisited, GetParam().revisited);
  ASSERT_EQ(result.members.size(), 1u);
  EXPECT_EQ(result.members[0].figures.count, expected.members[0].figures.count);
  EXPECT_EQ(result.members[0].figures.minutes, expected.members[0].figures.minutes);
  ASSERT_TRUE(result.breakdown && expected.breakdown);
  const auto& cells = result.breakdown->memberCells[0];
  const auto& wanted = expected.breakdown->memberCells[0];
  ASSERT_EQ(cells.size(), wanted.size());
  for (std::size_t day = 0; day < cells.size(); ++day) {
    EXPECT_EQ(cells[day].minutes, wanted[day].minutes) << result.breakdown->periods[day].label;
    EXPECT_EQ(cells[day].count, wanted[day].count) << result.breakdown->periods[day].label;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Strays, TallyAccumulatorTest,
    ::testing::Values(
        Case{"HomeOnly",
             {{0, "2005-01-10 09:00", "2005-01-10 11:00"}, {1, "2005-02-10 10:00", "2005-02-10 12:00"}},
             {}},
        Case{"EarlierFileHoldsALaterDay",
             {{0, "2005-02-10 09:00", "2005-02-10 11:00"}, {1, "2005-02-10 10:00", "2005-02-10 12:00"}},
             {}},
        Case{"LaterFileHoldsAnEarlierDay",
             {{1, "2005-02-10 10:00", "2005-02-10 12:00"}, {2, "2005-02-10 09:00", "2005-02-10 11:00"}},
             {1}},
        Case{"BothOnOneDay",
             {{0, "2005-02-10 08:00", "2005-02-10 10:30"},
              {1, "2005-02-10 10:00", "2005-02-10 12:00"},
              {2, "2005-02-10 11:00", "2005-02-10 13:00"},
              {2, "2005-02-10 11:30", "2005-02-10 12:30"}},
             {1}},
        Case{"LateDayWithoutHomeSchedules",
             {{2, "2005-01-20 09:00", "2005-01-20 10:00"}, {2, "2005-01-20 09:30", "2005-01-20 10:30"},
              {1, "2005-01-20 10:15", "2005-01-20 11:00"}},
             {0}}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tallyer
