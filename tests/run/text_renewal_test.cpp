// Month files full of texts never seen before make a run free the texts of
// earlier months while it goes on: the contents already summed must still be
// told apart from new ones that take their place in memory.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "data/cp932.h"
#include "data/type_colors.h"
#include "report/json_report.h"
#include "run/app_values.h"
#include "run/run.h"
#include "run/settings_store.h"
#include "support/archive_writer.h"
#include "support/recording_run_host.h"
#include "support/temp_dir.h"
#include "tally/result_builder.h"
#include "tally/tally_context.h"

namespace tallyer {
namespace {

using testing::GroupFileBuilder;
using testing::MonthFileBuilder;
using testing::RecordingRunHost;
using testing::ScheduleRecord;
using testing::WriteBytes;

constexpr int kMonths = 6;
constexpr int kRecords = 7000;  // a month: more new texts than a month file's pool keeps

std::string Json(const TallyResult& result) {
  std::ostringstream out;
  JsonFormatter().Write(result, out);
  return out.str();
}

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

  TallyContext atOnce;
  ASSERT_EQ(atOnce.group.ReadFile(settings.groupPath), std::nullopt);
  atOnce.LoadPeriod(settings.firstDate, settings.lastDate);
  atOnce.KeepPeriod(settings.firstDate, settings.lastDate);
  atOnce.BuildMemberResults({}, true);
  const TallyResult whole = BuildTallyResult(atOnce, settings, nullptr, DateTime{});
  // Ten shared texts (five each), the rest new: thousands of contents per member.
  const std::size_t contents = 10 + kMonths * static_cast<std::size_t>(kRecords - (kRecords + 2) / 3);
  ASSERT_EQ(whole.teamRows.size(), contents);
  ASSERT_EQ(whole.members.size(), 2u);
  EXPECT_EQ(whole.members[0].rows.size() + whole.members[1].rows.size(), contents);
  const std::string expected = Json(whole);

  for (std::size_t workers : {1u, 2u}) {
    TallyContext context;
    context.workers = workers;
    ASSERT_EQ(context.group.ReadFile(settings.groupPath), std::nullopt);
    AppValues app;
    MemorySettingsStore store;
    RecordingRunHost host;
    TallyResult streamed;
    ASSERT_EQ(TallyRun(settings, context, app, store, host, streamed), RunOutcome::kDone);
    streamed.generatedAt = DateTime{};
    EXPECT_EQ(Json(streamed), expected) << workers << " workers";
  }
}

}  // namespace
}  // namespace tallyer
