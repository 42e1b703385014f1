// Month files full of texts never seen before make a run free the texts of
// earlier months while it goes on: the contents already summed must still be
// told apart from new ones that take their place in memory.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/archive_writer.h"
#include "support/streamed_result.h"
#include "support/temp_dir.h"

namespace tallyer {
namespace {

using testing::AtOnceResult;
using testing::GroupFileBuilder;
using testing::JsonOf;
using testing::MonthFileBuilder;
using testing::ScheduleRecord;
using testing::StreamedResult;
using testing::WriteBytes;

constexpr int kMonths = 6;
constexpr int kRecords = 7000;  // a month: more new texts than a month file's pool keeps

TEST(TextRenewal, ContentsStayApartWhenEarlierMonthsTextsAreFreed) {
  testing::TempDir dir;
  WriteBytes(dir / "Team.group",
             GroupFileBuilder().Name("T").Add("A", "a").Add("B", "b").Build());
  for (int m = 1; m <= kMonths; ++m) {
    MonthFileBuilder file;
    for (int i = 0; i < kRecords; ++i) {
      ScheduleRecord r;
      r.memberKey = std::string(1, i % 2 == 0 ? 'a' : 'b');
      // Every third text recurs in every month; the others are new each month.
      char content[32];
      if (i % 3 == 0) {
        std::snprintf(content, sizeof content, "shared%d", i % 30);
      } else {
        std::snprintf(content, sizeof content, "m%d-%d", m, i);
      }
      r.content = content;
      r.start = DateTime::FromParts(2005, m, 1 + i % 28, 9);
      r.end = r.start.PlusDays((1 + i % 7) / 1440.0);
      file.Add(r);
    }
    char name[32];
    std::snprintf(name, sizeof name, "Team2005%02d.sch", m);
    WriteBytes(dir / name, file.Build());
  }
  TallySettings settings;
  settings.groupPath = dir / "Team.group";
  settings.everyone = true;
  settings.firstDate = DateTime::FromParts(2005, 1, 1);
  settings.lastDate = DateTime::FromParts(2005, kMonths, 28);
  settings.mode = kModeContent;

  const TallyResult whole = AtOnceResult(settings);
  // Ten shared texts (five each), the rest new: thousands of contents per member.
  const std::size_t contents = 10 + kMonths * static_cast<std::size_t>(kRecords - (kRecords + 2) / 3);
  ASSERT_EQ(whole.teamRows.size(), contents);
  ASSERT_EQ(whole.members.size(), 2u);
  EXPECT_EQ(whole.members[0].rows.size() + whole.members[1].rows.size(), contents);
  const std::string expected = JsonOf(whole);
  for (std::size_t workers : {1u, 2u}) {
    EXPECT_EQ(JsonOf(StreamedResult(settings, workers)), expected) << workers << " workers";
  }
}

}  // namespace
}  // namespace tallyer
