#include "data/month_file.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <string>

#include "data/cp932.h"
#include "data/group.h"
#include "run/diagnostic_log.h"
#include "support/archive_writer.h"
#include "support/temp_dir.h"

namespace tallyer {
namespace {

using testing::At;
using testing::MonthFileBuilder;
using testing::ScheduleRecord;
using testing::TempDir;

std::tm LocalTime(std::time_t t) {
  std::tm tm{};
#ifdef _WIN32
  localtime_s(&tm, &t);
#else
  localtime_r(&t, &tm);
#endif
  return tm;
}

struct PathCase {
  const char* group;
  int year, month;
  const char* expected;
};

class MonthFilePathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(MonthFilePathTest, NameIsTheGroupPathBeforeItsLastDotWithYearAndMonth) {
  const PathCase& c = GetParam();
  EXPECT_EQ(MonthFilePath(std::filesystem::u8path(c.group), c.year, c.month),
            std::filesystem::u8path(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, MonthFilePathTest,
    ::testing::Values(PathCase{"/data/Team.group", 2005, 6, "/data/Team200506.sch"},
                      PathCase{"/data/Team.group", 2005, 1, "/data/Team200501.sch"},
                      PathCase{"/data/Team.group", 2005, 12, "/data/Team200512.sch"},
                      PathCase{"Team", 2005, 1, "200501.sch"},              // no dot: a bare name
                      PathCase{"/data/v1.5/Team", 2005, 1, "/data/v1200501.sch"},  // dot in a folder
                      PathCase{"/data/a.b.group", 2005, 6, "/data/a.b200506.sch"},
                      PathCase{"/データ/予定.group", 2005, 6, "/データ/予定200506.sch"},
                      PathCase{"", 999, 3, "99903.sch"}));

TEST(MonthFileObjectTest, StartsAtTheCurrentMonthAndFollowsTheGroupPath) {
  std::time_t now = std::time(nullptr);
  std::tm before = LocalTime(now);
  TextPool pool;
  CMonthFile monthFile(pool);
  now = std::time(nullptr);
  std::tm after = LocalTime(now);
  const CalendarParts month = monthFile.Month().Parts();
  EXPECT_TRUE(month.year == before.tm_year + 1900 || month.year == after.tm_year + 1900);
  EXPECT_TRUE(month.month == before.tm_mon + 1 || month.month == after.tm_mon + 1);

  CGroup group;
  monthFile.SetGroup(&group);
  group.SetMonthFile(&monthFile);
  group.SetPath("/data/Team.group");
  monthFile.SetMonth(DateTime::FromParts(2005, 1, 31, 23, 59));
  EXPECT_EQ(monthFile.Path(), "/data/Team200501.sch");
  group.SetPath("/x/Other.group");
  EXPECT_EQ(monthFile.Path(), "/x/Other200501.sch");
}

class MonthFileTest : public ::testing::Test {
 protected:
  MonthFileTest() {
    monthFile_.SetGroup(&group_);
    group_.SetMonthFile(&monthFile_);
    group_.SetPath(dir_ / "team.group");
    monthFile_.SetMonth(DateTime::FromParts(2005, 6, 1));
  }

  // Writes the month file of June 2005 and loads it.
  void Load(const std::string& bytes) {
    testing::WriteBytes(monthFile_.Path(), bytes);
    monthFile_.Load();
  }

  TempDir dir_;
  TextPool pool_;
  DiagnosticLog log_{dir_ / "zanbo.log"};
  CGroup group_;
  CMonthFile monthFile_{pool_};
};

// The lead word, third date-time and third to fifth texts are read past
// without being kept; the record after them must still read right.
TEST_F(MonthFileTest, EveryKeptFieldOfARecordIsReadAndTheRestIsReadPast) {
  Load(MonthFileBuilder()
           .Add(ScheduleRecord{.kind = 2,
                               .flags = ScheduleRecord::kTentative,
                               .link = 7,
                               .start = At("2005-06-01 09:00"),
                               .end = At("2005-06-01 10:30"),
                               .color = 0x0080FF,
                               .content = Utf8ToCp932("会議"),
                               .memberKey = "yamada",
                               .text3 = "three",
                               .text4 = "four",
                               .text5 = "five",
                               .date3 = DateTime{38500.5, DateTime::kNull},
                               .leadWord = 0xCAFE})
           .Add(ScheduleRecord{.link = 0, .color = 0x123456, .content = "next", .memberKey = "k"})
           .Build());
  ASSERT_EQ(monthFile_.Count(), 2);
  const CSchedule& r = monthFile_.Item(0);
  EXPECT_EQ(r.position, 0);
  EXPECT_EQ(r.kindFlags, 0x1002u);
  EXPECT_EQ(r.Kind(), 2u);
  EXPECT_TRUE(r.IsTentative());
  EXPECT_EQ(r.start, At("2005-06-01 09:00"));
  EXPECT_EQ(r.end, At("2005-06-01 10:30"));
  EXPECT_EQ(r.color, 0x0080FFu);
  EXPECT_EQ(r.link, 7u);
  EXPECT_EQ(r.content, Utf8ToCp932("会議"));
  EXPECT_EQ(r.memberKey, "yamada");
  EXPECT_FALSE(r.superseded);
  const CSchedule& next = monthFile_.Item(1);
  EXPECT_EQ(next.position, 1);
  EXPECT_EQ(next.link, 0u);
  EXPECT_EQ(next.color, 0x123456u);
  EXPECT_EQ(next.content, "next");
  EXPECT_EQ(next.memberKey, "k");
}

TEST_F(MonthFileTest, PositionsFollowFileOrder) {
  MonthFileBuilder builder;
  // Names of different lengths, so that every record starts at another offset.
  auto content = [](int i) { return std::string("c").append(std::to_string(i)); };
  for (int i = 0; i < 300; ++i) builder.Add(ScheduleRecord{.content = content(i)});
  Load(builder.Build());
  ASSERT_EQ(monthFile_.Count(), 300);
  for (int i = 0; i < 300; ++i) {
    EXPECT_EQ(monthFile_.Item(i).position, i);
    EXPECT_EQ(monthFile_.Item(i).content, content(i));
    EXPECT_FALSE(monthFile_.Item(i).superseded);
  }
}

TEST_F(MonthFileTest, EmptyFileHasNoRecords) {
  Load("");
  EXPECT_EQ(monthFile_.Count(), 0);
}

TEST_F(MonthFileTest, MissingFileIsSilentlyEmptyAndTheNextMonthLoads) {
  Load(MonthFileBuilder().Add(ScheduleRecord{.memberKey = "a"}).Build());
  ASSERT_EQ(monthFile_.Count(), 1);
  monthFile_.SetMonth(DateTime::FromParts(2005, 7, 1));
  monthFile_.Load();
  EXPECT_EQ(monthFile_.Count(), 0);
  EXPECT_FALSE(std::filesystem::exists(log_.Path()));
  monthFile_.SetMonth(DateTime::FromParts(2005, 6, 30));
  monthFile_.Load();
  EXPECT_EQ(monthFile_.Count(), 1);
}

TEST_F(MonthFileTest, IncompleteLastRecordIsDropped) {
  MonthFileBuilder builder;
  builder.Add(ScheduleRecord{.memberKey = "a"}).Add(ScheduleRecord{.memberKey = "b"});
  const std::string third = MonthFileBuilder().Add(ScheduleRecord{.memberKey = "c"}).Build();
  Load(builder.Build() + third.substr(0, 20));
  ASSERT_EQ(monthFile_.Count(), 2);
  EXPECT_EQ(monthFile_.Item(1).memberKey, "b");
}

TEST_F(MonthFileTest, ExtraWordsAndStringsAreSkipped) {
  Load(MonthFileBuilder()
           .Add(ScheduleRecord{.color = 1, .content = "first", .extraWords = {9, 9, 9}})  // N = 5
           .Add(ScheduleRecord{.color = 2,
                               .content = "second",
                               .text5 = "five",
                               .extraStrings = {"six", std::string(400, 's')}})  // T = 7
           .Add(ScheduleRecord{.color = 3, .content = "third"})
           .Build());
  ASSERT_EQ(monthFile_.Count(), 3);
  EXPECT_EQ(monthFile_.Item(0).color, 1u);
  EXPECT_EQ(monthFile_.Item(1).color, 2u);
  EXPECT_EQ(monthFile_.Item(1).content, "second");
  EXPECT_EQ(monthFile_.Item(2).color, 3u);
  EXPECT_EQ(monthFile_.Item(2).content, "third");
}

struct CountsCase {
  std::uint16_t words;    // N
  std::uint16_t strings;  // T
  std::size_t size;       // bytes of the record with the strings below
};

class RecordCountsTest : public MonthFileTest, public ::testing::WithParamInterface<CountsCase> {};

TEST_P(RecordCountsTest, EachRecordCarriesItsOwnCounts) {
  const CountsCase& c = GetParam();
  const ScheduleRecord odd{.link = 4,
                           .color = 0x112233,
                           .content = "C",
                           .memberKey = "K",
                           .text3 = "3",
                           .text4 = "4",
                           .text5 = "5",
                           .extraWords = {1, 2, 3},
                           .extraStrings = {"6", "7"},
                           .wordCount = c.words,
                           .stringCount = c.strings};
  MonthFileBuilder builder;
  builder.Add(odd).Add(ScheduleRecord{.content = "next"});
  ASSERT_EQ(builder.EndOf(0), c.size);
  Load(builder.Build());
  ASSERT_EQ(monthFile_.Count(), 2);
  const CSchedule& r = monthFile_.Item(0);
  // color, link and three strings are there even when the counts are smaller,
  // and every word and string the counts call for is read past.
  EXPECT_EQ(r.color, 0x112233u);
  EXPECT_EQ(r.link, 4u);
  EXPECT_EQ(r.content, "C");
  EXPECT_EQ(r.memberKey, "K");
  EXPECT_EQ(monthFile_.Item(1).content, "next");
  EXPECT_EQ(monthFile_.Item(1).link, CSchedule::kNoLink);
}

// 48 bytes of fixed values, 8 of colour and link, 4 per extra word, 2 per one-letter string.
INSTANTIATE_TEST_SUITE_P(Counts, RecordCountsTest,
                         ::testing::Values(CountsCase{0, 0, 56 + 6}, CountsCase{1, 2, 56 + 6},
                                           CountsCase{2, 3, 56 + 6}, CountsCase{2, 4, 56 + 8},
                                           CountsCase{3, 5, 60 + 10}, CountsCase{5, 7, 68 + 14}));

TEST_F(MonthFileTest, RepeatedTextsAreStoredOnce) {
  MonthFileBuilder builder;
  for (int i = 0; i < 50; ++i)
    builder.Add(ScheduleRecord{.content = "meeting", .memberKey = i % 2 ? "a" : "b"});
  Load(builder.Build());
  ASSERT_EQ(monthFile_.Count(), 50);
  EXPECT_EQ(pool_.Size(), 3u);  // "meeting", "a", "b"
  EXPECT_EQ(monthFile_.Item(0).content.Pointer(), monthFile_.Item(49).content.Pointer());
  EXPECT_EQ(monthFile_.Item(1).memberKey.Pointer(), monthFile_.Item(3).memberKey.Pointer());
}

TEST_F(MonthFileTest, LoadReplacesTheRecordsOfThePreviousLoad) {
  Load(MonthFileBuilder().Add(ScheduleRecord{.content = "x"}).Add(ScheduleRecord{.content = "y"}).Build());
  Load(MonthFileBuilder().Add(ScheduleRecord{.content = "z"}).Build());
  ASSERT_EQ(monthFile_.Count(), 1);
  EXPECT_EQ(monthFile_.Item(0).content, "z");
  EXPECT_EQ(monthFile_.Item(0).position, 0);
}

TEST_F(MonthFileTest, AddNumbersTheRecord) {
  monthFile_.Add(CSchedule{});
  CSchedule second;
  second.position = 99;
  monthFile_.Add(second);
  EXPECT_EQ(monthFile_.Item(0).position, 0);
  EXPECT_EQ(monthFile_.Item(1).position, 1);
}

TEST_F(MonthFileTest, WideTextsInRecordsAreConverted) {
  testing::ArchiveWriter w;
  w.U32(0).U32(2 | 3 << 16).U32(0).Date(At("2005-06-02")).Date(At("2005-06-02")).Date(0, 0);
  w.U32(0).U32(0xFFFFFFFF).WideUtf8("打合せ～").String("k").WideUtf8("");
  Load(std::move(w).Bytes());
  ASSERT_EQ(monthFile_.Count(), 1);
  EXPECT_EQ(monthFile_.Item(0).content, Utf8ToCp932("打合せ～"));
}

}  // namespace
}  // namespace tallyer
