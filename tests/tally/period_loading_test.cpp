// Loading many months into one list and handing the records to members, where
// the list is reserved ahead from the files' sizes and neighbouring records
// share a member lookup.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "run/diagnostic_log.h"
#include "support/archive_writer.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"
#include "tally/tally_context.h"

namespace tallyer {
namespace {

using testing::At;
using testing::GroupFileBuilder;
using testing::MonthFileBuilder;
using testing::ScheduleRecord;

class PeriodLoadingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::WriteBytes(groupPath, GroupFileBuilder().Add("A", "a").Add("B", "b").Build());
    ASSERT_EQ(context.group.ReadFile(groupPath), std::nullopt);
  }

  // `count` records of day `day` of 2005-`month`, contents "<month>-<i>",
  // each padded with `padding` bytes of text3 (to change the bytes per record).
  void WriteMonth(int month, int count, std::size_t padding = 0) {
    MonthFileBuilder builder;
    for (int i = 0; i < count; ++i) {
      char start[32];
      std::snprintf(start, sizeof start, "2005-%02d-10 09:00", month);
      builder.Add(ScheduleRecord{.start = At(start),
                                 .end = At(start).PlusDays(1.0 / 24),
                                 .content = std::to_string(month) + "-" + std::to_string(i),
                                 .memberKey = i % 3 == 0 ? "b" : "a",
                                 .text3 = std::string(padding, 'x')});
    }
    char name[32];
    std::snprintf(name, sizeof name, "Team2005%02d.sch", month);
    testing::WriteBytes(dir.Path() / name, builder.Build());
  }

  std::vector<std::string> Expected(const std::vector<std::pair<int, int>>& months) const {
    std::vector<std::string> out;
    for (const auto& [month, count] : months)
      for (int i = 0; i < count; ++i) out.push_back(std::to_string(month) + "-" + std::to_string(i));
    return out;
  }

  std::vector<std::string> Contents() const {
    std::vector<std::string> out;
    for (const CSchedule& s : context.schedules) out.emplace_back(s.content);
    return out;
  }

  testing::TempDir dir;
  std::filesystem::path groupPath = dir.Path() / "Team.group";
  testing::RecordingUi ui;
  DiagnosticLog log{dir.Path() / "zanbo.log"};
  TallyContext context;
};

// The list is sized from the first month's bytes per record; later months
// that hold far more, smaller records than that foretells must all arrive.
TEST_F(PeriodLoadingTest, MonthsDenserThanTheFirstAreLoadedWhole) {
  WriteMonth(1, 3, 2000);
  WriteMonth(2, 500);
  WriteMonth(3, 1200);
  context.LoadPeriod(At("2005-01-01"), At("2005-03-31"));
  EXPECT_EQ(Contents(), Expected({{1, 3}, {2, 500}, {3, 1200}}));
  context.BuildMemberResults({}, true);
  ASSERT_EQ(context.memberResults.size(), 2u);
  EXPECT_EQ(context.memberResults[0].MemberCount(), 2 + 333 + 800);
  EXPECT_EQ(context.memberResults[1].MemberCount(), 1 + 167 + 400);
}

TEST_F(PeriodLoadingTest, MissingAndEmptyFirstMonthsDoNotStopTheLaterOnes) {
  testing::WriteBytes(dir.Path() / "Team200502.sch", "");
  WriteMonth(3, 40);
  WriteMonth(4, 7, 300);
  context.LoadPeriod(At("2005-01-01"), At("2005-04-30"));
  EXPECT_EQ(Contents(), Expected({{3, 40}, {4, 7}}));
}

// A second run over a shorter period reserves afresh and keeps nothing of the first.
TEST_F(PeriodLoadingTest, ShorterSecondRunHoldsOnlyItsOwnMonths) {
  WriteMonth(1, 300);
  WriteMonth(2, 20);
  context.LoadPeriod(At("2005-01-01"), At("2005-02-28"));
  context.LoadPeriod(At("2005-02-01"), At("2005-02-28"));
  EXPECT_EQ(Contents(), Expected({{2, 20}}));
}

class MemberLookupTest : public PeriodLoadingTest {
 protected:
  void Add(PooledText key, std::string content) {
    contents.push_back(std::move(content));
    CSchedule s;
    s.memberKey = key;
    s.content = contents.back();
    context.schedules.push_back(s);
  }

  std::vector<std::string> Results() const {
    std::vector<std::string> out;
    for (const MemberResult& r : context.memberResults) {
      std::string text = r.member->key + ":";
      for (const CSchedule* s : r.schedules) text += s->content;
      out.push_back(text);
    }
    return out;
  }

  std::deque<std::string> contents;
};

// Keys compared by their text, also when the same text is held by two strings
// or a neighbour's text begins the same.
TEST_F(MemberLookupTest, NeighbouringKeysAreToldApartByTheirText) {
  const std::string a1 = "a", a2 = "a", ab = "ab", b = "b", empty;
  Add(a1, "1");
  Add(a2, "2");  // "a", held by another string
  Add(ab, "3");  // no member
  Add(b, "4");
  Add(a2, "5");
  Add(a2, "6");
  Add(b, "7");
  Add(PooledText(), "8");
  Add(empty, "9");
  Add(a1, "0");
  context.BuildMemberResults({}, true);
  EXPECT_EQ(Results(), (std::vector<std::string>{"a:12560", "b:47"}));
}

// The content filter answers once per string; equal texts held by two strings
// are each judged, and the empty text is judged whether a string holds it or not.
TEST_F(MemberLookupTest, ContentFilterJudgesEachTextNotEachString) {
  const std::string room = "meeting ROOM", same = "meeting ROOM", meeting = "meeting", roomOnly = "ROOM";
  const std::string key = "a", empty;
  const auto keepContent = [&](const char* pattern, bool exact, bool fold) {
    context.schedules.clear();
    for (PooledText content : {PooledText(room), PooledText(meeting), PooledText(roomOnly), PooledText(same),
                               PooledText(), PooledText(room), PooledText(empty)}) {
      CSchedule s;
      s.memberKey = key;
      s.content = content;
      context.schedules.push_back(s);
    }
    context.KeepContent(pattern, exact, fold);
    std::string kept;
    for (const CSchedule& s : context.schedules) kept += std::string(s.content) + "|";
    return kept;
  };
  EXPECT_EQ(keepContent("ROOM", false, false), "meeting ROOM|ROOM|meeting ROOM|meeting ROOM|");
  EXPECT_EQ(keepContent("meeting", true, false), "meeting|");
  EXPECT_EQ(keepContent("room", false, true), "meeting ROOM|ROOM|meeting ROOM|meeting ROOM|");
  EXPECT_EQ(keepContent("room", false, false), "");
  EXPECT_EQ(keepContent("", true, false), "||");
}

}  // namespace
}  // namespace tallyer
