#include "tally/tally_context.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "data/cp932.h"
#include "run/diagnostic_log.h"
#include "support/archive_writer.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"

namespace tallyer {
namespace {

using testing::At;
using testing::GroupFileBuilder;

std::string Sjis(const char* utf8) { return Utf8ToCp932(utf8); }

class TallyContextTest : public ::testing::Test {
 protected:
  // A schedule held by the context, texts kept in its pool.
  CSchedule& Add(const char* start, const char* end, std::string_view key = "k1",
                 std::string_view content = {}) {
    CSchedule s;
    s.start = At(start);
    s.end = At(end);
    s.memberKey = context.texts.Intern(key);
    s.content = context.texts.Intern(content);
    context.schedules.push_back(s);
    return context.schedules.back();
  }

  std::vector<std::string> Spans() const {
    std::vector<std::string> out;
    for (const CSchedule& s : context.schedules) {
      const CalendarParts a = s.start.Parts(), b = s.end.Parts();
      char text[64];
      std::snprintf(text, sizeof text, "%02d %02d:%02d-%02d %02d:%02d", a.day, a.hour, a.minute,
                    b.day, b.hour, b.minute);
      out.push_back(text);
    }
    return out;
  }

  std::vector<std::string> Contents() const {
    std::vector<std::string> out;
    for (const CSchedule& s : context.schedules) out.emplace_back(s.content);
    return out;
  }

  void ReadGroup(const GroupFileBuilder& builder) {
    const auto path = dir / "Team.group";
    testing::WriteBytes(path, builder.Build());
    ASSERT_EQ(context.group.ReadFile(path), std::nullopt);
  }

  testing::TempDir dir;
  testing::RecordingUi ui;
  DiagnosticLog log{dir / "zanbo.log"};
  TallyContext context;
};

TEST_F(TallyContextTest, KeepPeriodLooksOnlyAtTheStartDay) {
  Add("2005-06-20 23:00", "2005-06-21 07:00");  // starts on the last day: kept whole
  Add("2005-06-09 23:00", "2005-06-10 07:00");  // starts the day before: dropped
  Add("2005-06-10 00:00", "2005-06-10 00:30");
  Add("2005-06-21 00:00", "2005-06-21 00:30");
  Add("2005-06-15 09:00", "2005-06-15 10:00").kindFlags = 2;  // not superseded: counts
  context.KeepPeriod(At("2005-06-10 15:00"), At("2005-06-20 08:00"));
  EXPECT_EQ(Spans(), (std::vector<std::string>{"20 23:00-21 07:00", "10 00:00-10 00:30",
                                               "15 09:00-15 10:00"}));
}

TEST_F(TallyContextTest, KeepPeriodDropsWhatCannotCount) {
  Add("2005-06-15 09:00", "2005-06-15 10:00").superseded = true;
  Add("2005-06-15 09:00", "2005-06-15 10:00", "");
  Add("2005-06-15 09:00", "2005-06-15 09:00");
  CSchedule& otherStatus = Add("2005-06-15 11:00", "2005-06-15 12:00");
  otherStatus.end = DateTime{otherStatus.start.value, DateTime::kInvalid};  // not equal: kept
  Add("2005-06-15 13:00", "2005-06-15 14:00");
  context.KeepPeriod(At("2005-06-01"), At("2005-06-30"));
  ASSERT_EQ(context.schedules.size(), 2u);
  EXPECT_EQ(context.schedules[1].start, At("2005-06-15 13:00"));
}

TEST_F(TallyContextTest, KeepPeriodDropsAStartThatNamesNoDay) {
  // A damaged record whose start is no number or infinite belongs to no period.
  Add("2005-06-15 09:00", "2005-06-15 10:00").start.value = std::numeric_limits<double>::quiet_NaN();
  Add("2005-06-15 09:00", "2005-06-15 10:00").start.value = -std::numeric_limits<double>::infinity();
  Add("2005-06-15 09:00", "2005-06-15 10:00").start.value = std::numeric_limits<double>::infinity();
  Add("2005-06-15 13:00", "2005-06-15 14:00");
  context.KeepPeriod(At("2005-06-01"), At("2005-06-30"));
  ASSERT_EQ(context.schedules.size(), 1u);
  EXPECT_EQ(context.schedules[0].start, At("2005-06-15 13:00"));
}

struct ContentCase {
  const char* name;
  std::string pattern;
  bool exact;
  bool fold;
  std::vector<std::string> contents;
  std::vector<std::string> kept;
};

class KeepContentTest : public TallyContextTest, public ::testing::WithParamInterface<ContentCase> {};

TEST_P(KeepContentTest, KeepsMatchingContentsInOrder) {
  for (const std::string& c : GetParam().contents) Add("2005-06-15 09:00", "2005-06-15 10:00", "k1", c);
  context.KeepContent(GetParam().pattern, GetParam().exact, GetParam().fold);
  EXPECT_EQ(Contents(), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeepContentTest,
    ::testing::Values(
        ContentCase{"contains", Sjis("会議"), false, false,
                    {Sjis("定例会議"), Sjis("会議室予約"), Sjis("会 議")},
                    {Sjis("定例会議"), Sjis("会議室予約")}},
        ContentCase{"exact", Sjis("会議"), true, false,
                    {Sjis("定例会議"), Sjis("会議"), Sjis("会議 ")}, {Sjis("会議")}},
        ContentCase{"caseAndWidth", "abc", false, true,
                    {Sjis("ＡＢＣ"), "Abc", "xABCx", "ab c", Sjis("ａｂｃ")},
                    {Sjis("ＡＢＣ"), "Abc", "xABCx", Sjis("ａｂｃ")}},
        ContentCase{"caseAndWidthPatternFolded", Sjis("ＡＢＣ"), true, true,
                    {"abc", "ABC", "abcd"}, {"abc", "ABC"}},
        ContentCase{"bytesOnlyWithoutFolding", "abc", false, false,
                    {Sjis("ＡＢＣ"), "Abc", "xabcx"}, {"xabcx"}},
        ContentCase{"voicedKana", Sjis("ガ"), false, true,
                    {"\xB6\xDE", Sjis("カ゛"), Sjis("が"), Sjis("カ")}, {"\xB6\xDE", Sjis("カ゛")}},
        ContentCase{"digitsAndColon", Sjis("１２：００"), false, true, {"12:00", "1200"}, {"12:00"}},
        ContentCase{"emptyPatternContains", "", false, false, {"a", "", "b"}, {"a", "b"}},
        ContentCase{"emptyPatternExact", "", true, false, {"a", "", "b"}, {""}},
        ContentCase{"emptyPatternFolded", "", false, true, {"", Sjis("　")}, {Sjis("　")}},
        ContentCase{"backslashNotInsideKanji", "\\", false, false,
                    {Sjis("表"), Sjis("表") + "\\"}, {Sjis("表") + "\\"}},
        // Contents cut after a lead byte, under all four ways of matching.
        ContentCase{"loneLeadContains", "\x82", false, false, {"\x82", "a\x82", "\x81\x81\x81", "\x82\""},
                    {"\x82", "a\x82", "\x82\""}},
        ContentCase{"loneLeadExact", "\x82", true, false, {"\x82", "a\x82", "\x81\x81\x81", "\x82\""}, {"\x82"}},
        ContentCase{"loneLeadFoldedContains", "\x81", false, true, {"\x82", "a\x82", "\x81\x81\x81", "\x82\""},
                    {"\x81\x81\x81"}},
        ContentCase{"loneLeadFoldedExact", "\x81\x81\x81", true, true, {"\x82", "\x81\x81\x81", "=\x81", "\x81\x81"},
                    {"\x81\x81\x81", "=\x81"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TallyContextTest, KeepContentNeverChangesTheStoredContent) {
  const std::string wide = Sjis("ＡＢＣ");
  Add("2005-06-15 09:00", "2005-06-15 10:00", "k1", wide);
  context.KeepContent("abc", false, true);
  EXPECT_EQ(Contents(), (std::vector<std::string>{wide}));
}

TEST_F(TallyContextTest, ClipToBandKeepsWhatTouchesTheBandOfTheStartDay) {
  Add("2005-06-15 08:00", "2005-06-15 10:00");
  Add("2005-06-15 18:00", "2005-06-15 19:00");  // starts exactly at the band's end
  Add("2005-06-15 18:01", "2005-06-15 19:00");
  Add("2005-06-15 07:00", "2005-06-15 09:00");  // ends exactly at the band's start
  Add("2005-06-15 06:00", "2005-06-15 08:59");
  Add("2005-06-15 17:00", "2005-06-16 02:00");  // across midnight: cut at 18:00
  Add("2005-06-15 23:00", "2005-06-16 10:00");  // the next day's band does not count
  Add("2005-06-15 08:00", "2005-06-17 08:30");
  Add("2005-06-15 10:00", "2005-06-15 11:00");
  // Only the hour and minute of the band's values matter.
  context.ClipToBand(At("1999-01-01 09:00:40"), At("2011-11-11 18:00:59"));
  EXPECT_EQ(Spans(), (std::vector<std::string>{"15 09:00-15 10:00", "15 18:00-15 18:00",
                                               "15 09:00-15 09:00", "15 17:00-15 18:00",
                                               "15 09:00-15 18:00", "15 10:00-15 11:00"}));
  EXPECT_EQ(context.schedules[1].start.Parts().second, 0);
}

TEST_F(TallyContextTest, ClipToBandGivesDatesThatNameNoDayNoMinutes) {
  // Only reached by callers that skip KeepPeriod; whatever they pass, nothing
  // converts out of range and no such schedule gains minutes from the band.
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (double v : {nan, inf, -inf, 1e300, -1e300, 9.3e18, -9.3e18, 2958466.375, -657435.375}) {
    context.schedules.clear();
    Add("2005-06-15 08:00", "2005-06-15 10:00", "start").start.value = v;
    Add("2005-06-15 08:00", "2005-06-15 10:00", "end").end.value = v;  // may be clipped to the band's end
    context.ClipToBand(At("2000-01-01 09:00"), At("2000-01-01 18:00"));
    for (const CSchedule& s : context.schedules) {
      if (s.memberKey == "start") {
        EXPECT_EQ(ScheduleMinutes(s), 0) << v;
      }
    }
  }
}

TEST_F(TallyContextTest, DropTentativeDropsOnlyTentativeRegistrations) {
  Add("2005-06-15 08:00", "2005-06-15 10:00", "k1", "a").kindFlags = 0x1000;
  Add("2005-06-15 08:00", "2005-06-15 10:00", "k1", "b").kindFlags = 0x1001;
  Add("2005-06-15 08:00", "2005-06-15 10:00", "k1", "c").kindFlags = 0x2001;
  Add("2005-06-15 08:00", "2005-06-15 10:00", "k1", "d");
  context.DropTentative();
  EXPECT_EQ(Contents(), (std::vector<std::string>{"c", "d"}));
}

class MemberResultsTest : public TallyContextTest {
 protected:
  void SetUp() override {
    ReadGroup(GroupFileBuilder()
                  .Add("A", "a")
                  .Add("B", "b", GroupFileBuilder::kHidden)
                  .Add("C", "c")
                  .Add("D", "a")  // the same key as A
                  .Add("E", "e", GroupFileBuilder::kDeleted)
                  .Add("F", "f"));
    for (const char* key : {"a", "b", "c", "e", "f", "x", "a", "c"})
      Add("2005-06-15 08:00", "2005-06-15 10:00", key, key);
  }

  // "name:contents" per result.
  std::vector<std::string> Results() const {
    std::vector<std::string> out;
    for (const MemberResult& r : context.memberResults) {
      std::string text = r.member->name + ":";
      for (const CSchedule* s : r.schedules) text += s->content;
      out.push_back(text);
    }
    return out;
  }
};

TEST_F(MemberResultsTest, EveryoneGivesEachVisibleMemberItsSchedules) {
  context.BuildMemberResults({}, true);
  EXPECT_EQ(Results(), (std::vector<std::string>{"A:aa", "C:cc", "D:", "F:f"}));
  EXPECT_EQ(context.schedules.size(), 8u);  // the others stay, counted nowhere
}

TEST_F(MemberResultsTest, SelectionKeepsTheGroupOrder) {
  context.BuildMemberResults({"f", "b", "c", "zz"}, false);
  EXPECT_EQ(Results(), (std::vector<std::string>{"C:cc", "F:f"}));
  context.BuildMemberResults({"a"}, false);  // rebuilt, not appended
  EXPECT_EQ(Results(), (std::vector<std::string>{"A:aa", "D:"}));
  context.BuildMemberResults({"e", "b"}, false);
  EXPECT_TRUE(Results().empty());
}

TEST_F(MemberResultsTest, ClearRunForgetsSchedulesAndResultsButNotTheGroup) {
  context.BuildMemberResults({}, true);
  context.ClearRun();
  EXPECT_TRUE(context.schedules.empty());
  EXPECT_TRUE(context.memberResults.empty());
  EXPECT_EQ(context.texts.Size(), 0u);
  EXPECT_EQ(context.group.Count(), 5);
}

}  // namespace
}  // namespace tallyer
