#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/cp932.h"
#include "run/diagnostic_log.h"
#include "run/notices.h"
#include "support/archive_writer.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"
#include "tally/revision_chains.h"
#include "tally/tally_context.h"

namespace tallyer {
namespace {

using testing::At;
using testing::GroupFileBuilder;
using testing::MonthFileBuilder;
using testing::ScheduleRecord;

ScheduleRecord Rec(const char* key, const char* start, const char* end, const char* content,
                   std::uint32_t kind = 0, std::uint32_t link = ScheduleRecord::kNoLink,
                   std::uint32_t flags = 0) {
  return ScheduleRecord{.kind = kind, .flags = flags, .link = link, .start = At(start), .end = At(end),
                        .content = content, .memberKey = key};
}

// A group of three members (one hidden) with schedule files from December
// 2004 to April 2005 beside it.
class TallyPipelineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto groupPath = dir / "Team.group";
    testing::WriteBytes(groupPath, GroupFileBuilder()
                                       .Name(Utf8ToCp932("開発"))
                                       .Add(Utf8ToCp932("田中"), "T01")
                                       .Add(Utf8ToCp932("佐藤"), "S02")
                                       .Add(Utf8ToCp932("隠れ"), "H03", GroupFileBuilder::kHidden)
                                       .Build());
    ASSERT_EQ(context.group.ReadFile(groupPath), std::nullopt);
    Write("Team200412.sch", MonthFileBuilder().Add(Rec("T01", "2004-12-31 09:00", "2004-12-31 10:00", "dec")));
    Write("Team200501.sch", MonthFileBuilder()
                                .Add(Rec("T01", "2005-01-29 09:00", "2005-01-29 10:00", "jan0"))
                                .Add(Rec("T01", "2005-01-30 09:00", "2005-01-30 10:30", "jan1"))
                                .Add(Rec("S02", "2005-01-31 13:00", "2005-01-31 14:00", "jan2"))
                                .Add(Rec("S02", "2005-01-31 13:00", "2005-01-31 15:00", "jan3", 1, 2)));
    Write("Team200502.sch",
          MonthFileBuilder()
              .Add(Rec("T01", "2005-02-01 09:00", "2005-02-01 11:00", "feb0"))
              .Add(Rec("T01", "2005-02-01 10:00", "2005-02-01 12:00", "feb1"))
              .Add(Rec("S02", "2005-02-10 08:00", "2005-02-10 10:00", "feb2", 0, ScheduleRecord::kNoLink,
                       ScheduleRecord::kTentative))
              .Add(Rec("H03", "2005-02-11 09:00", "2005-02-11 10:00", "feb3")));
    Write("Team200503.sch", MonthFileBuilder()
                                .Add(Rec("T01", "2005-03-02 23:00", "2005-03-03 01:00", "mar0"))
                                .Add(Rec("S02", "2005-03-03 09:00", "2005-03-03 10:00", "mar1")));
    Write("Team200504.sch", MonthFileBuilder().Add(Rec("T01", "2005-04-01 09:00", "2005-04-01 10:00", "apr")));
  }

  // Loads the period, telling the recording UI of faulty links as a run does.
  void Load(const DateTime& firstDate, const DateTime& lastDate) {
    for (const Problem& problem : context.LoadPeriod(firstDate, lastDate)) notice.Tell(problem, ui);
  }

  void Write(const char* name, const MonthFileBuilder& month) { testing::WriteBytes(dir / name, month.Build()); }

  std::vector<std::string> Contents() const {
    std::vector<std::string> out;
    for (const CSchedule& s : context.schedules) out.emplace_back(s.content);
    return out;
  }

  // "name count minutes overlap-free" per result.
  std::vector<std::string> Totals(const DateTime& first, const DateTime& last) const {
    std::vector<std::string> out;
    for (const MemberResult& r : context.memberResults) {
      out.push_back(Cp932ToUtf8(r.member->name) + " " + std::to_string(r.MemberCount()) + " " +
                    std::to_string(r.MemberMinutes()) + " " +
                    std::to_string(r.MemberMinutesNoOverlap(first, last)));
    }
    return out;
  }

  testing::TempDir dir;
  testing::RecordingUi ui;
  FaultyLinkNotice notice;
  DiagnosticLog log{dir / "zanbo.log"};
  TallyContext context;
  const DateTime first = At("2005-01-30");
  const DateTime last = At("2005-03-02");
};

TEST_F(TallyPipelineTest, LoadsEachMonthOfThePeriodOnceInCalendarOrder) {
  Load(first, last);
  EXPECT_EQ(Contents(), (std::vector<std::string>{"jan0", "jan1", "jan2", "jan3", "feb0", "feb1",
                                                  "feb2", "feb3", "mar0", "mar1"}));
  EXPECT_TRUE(context.schedules[2].superseded);  // revised by jan3
  EXPECT_EQ(context.schedules[3].link, 2u);
  EXPECT_EQ(context.monthFile.Count(), 0);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(ui.busyDepth, 0);

  Load(first, last);  // a new run starts afresh
  EXPECT_EQ(context.schedules.size(), 10u);
}

// A period covers its calendar days whatever the times of day: the last day's
// month is read although the last date is earlier in its day than the first.
TEST_F(TallyPipelineTest, LastDayIsVisitedWhenTheFirstDateIsLaterInTheDay) {
  for (const char* last : {"2005-02-01 11:00", "2005-02-01 12:00", "2005-02-01 00:00"}) {
    Load(At("2005-01-30 12:00"), At(last));
    EXPECT_EQ(Contents(), (std::vector<std::string>{"jan0", "jan1", "jan2", "jan3", "feb0", "feb1",
                                                    "feb2", "feb3"}))
        << last;
  }
  Load(At("2005-01-30 23:59:59"), At("2005-01-31 00:00"));
  EXPECT_EQ(context.schedules.size(), 4u);
}

TEST_F(TallyPipelineTest, FirstDateAfterLastDateLoadsNothingAndTotalsAreZero) {
  Load(last, first);
  EXPECT_TRUE(context.schedules.empty());
  context.KeepPeriod(last, first);
  context.BuildMemberResults({}, true);
  EXPECT_EQ(Totals(last, first), (std::vector<std::string>{"田中 0 0 0", "佐藤 0 0 0"}));
}

TEST_F(TallyPipelineTest, WholeRunGivesTheTotalsWorkedOutByHand) {
  Load(first, last);
  context.KeepPeriod(first, last);
  context.BuildMemberResults({}, true);
  // 田中: jan1 90, feb0 120, feb1 120 (overlapping feb0 by an hour), mar0
  // 23:00-01:00 120 (nothing without overlaps). 佐藤: jan3 120, feb2 120.
  EXPECT_EQ(Totals(first, last), (std::vector<std::string>{"田中 4 450 270", "佐藤 2 240 240"}));
}

TEST_F(TallyPipelineTest, BandAndTentativeOptionsChangeTheTotals) {
  Load(first, last);
  context.KeepPeriod(first, last);
  context.KeepContent("F", false, true);  // feb* only, folded
  context.ClipToBand(At("2005-01-01 10:30"), At("2005-01-01 18:00"));
  context.DropTentative();
  context.BuildMemberResults({"S02", "T01"}, false);
  // feb0 10:30-11:00, feb1 10:30-12:00; feb2 tentative; feb3 hidden member.
  EXPECT_EQ(Totals(first, last), (std::vector<std::string>{"田中 2 120 90", "佐藤 0 0 0"}));
}

TEST_F(TallyPipelineTest, FaultyLinkInLoadedMonthsIsReportedOnce) {
  Write("Team200506.sch", MonthFileBuilder()
                              .Add(Rec("T01", "2005-06-01 09:00", "2005-06-01 10:00", "a"))
                              .Add(Rec("T01", "2005-06-01 09:00", "2005-06-01 11:00", "b", 1, 5)));
  Write("Team200507.sch", MonthFileBuilder()
                              .Add(Rec("T01", "2005-07-01 09:00", "2005-07-01 10:00", "c"))
                              .Add(Rec("T01", "2005-07-01 09:00", "2005-07-01 11:00", "d", 2, 1)));
  Load(At("2005-06-01"), At("2005-07-31"));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, Utf8ToCp932("致命的なエラー'1'がインデックス1スケジュールで起きました。"));
  context.KeepPeriod(At("2005-06-01"), At("2005-07-31"));
  context.BuildMemberResults({"T01"}, false);
  EXPECT_EQ(Totals(At("2005-06-01"), At("2005-07-31")), (std::vector<std::string>{"田中 4 360 240"}));
}

}  // namespace
}  // namespace tallyer
