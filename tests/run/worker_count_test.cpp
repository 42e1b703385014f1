// Runs the same tallies with one worker reading the months and with several,
// over a long period whose month files hold faulty links, cut records,
// records dated in another month and a missing month: the reports, the
// messages and their order must not depend on the number of workers.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "data/cp932.h"
#include "data/problem.h"
#include "run/app_values.h"
#include "run/run.h"
#include "run/settings_store.h"
#include "support/archive_writer.h"
#include "support/recording_run_host.h"
#include "support/streamed_result.h"
#include "support/temp_dir.h"
#include "tally/tally_context.h"

namespace tallyer {
namespace {

using testing::GroupFileBuilder;
using testing::MonthFileBuilder;
using testing::AtOnceResult;
using testing::JsonOf;
using testing::ReadBytes;
using testing::RecordingRunHost;
using testing::ScheduleRecord;
using testing::StreamedResult;
using testing::WriteBytes;

constexpr int kFirstYear = 2004;
constexpr int kMonths = 30;
const char* const kKeys[] = {"tanaka", "suzuki", "sato"};
const char* const kContents[] = {"会議", "外出", "資料作成", "来客対応"};
constexpr std::uint32_t kColors[] = {0x0000FF, 0xFF8000, 0x00FF00, 0x808080};

class Lcg {
 public:
  explicit Lcg(std::uint32_t seed) : state_(seed) {}
  int Below(int n) {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<int>((state_ >> 8) % static_cast<std::uint32_t>(n));
  }

 private:
  std::uint32_t state_;
};

DateTime At(int year, int month, int day, int minutes) {
  return DateTime::FromParts(year, month, day).PlusDays(minutes / 1440.0);
}

// Month m (0-based from January 2004): about forty schedules, overlapping now
// and then, some revised; month 5 and 17 with a faulty (forward) link, month
// 9 cut inside its last record, month 11 holding schedules of months 10 and
// 12 (some overlapping theirs), month 14 missing.
std::vector<ScheduleRecord> MonthRecords(int m) {
  const int year = kFirstYear + m / 12;
  const int month = m % 12 + 1;
  Lcg dice(static_cast<std::uint32_t>(m * 7919 + 17));
  std::vector<ScheduleRecord> records;
  for (int i = 0; i < 40; ++i) {
    ScheduleRecord r;
    const int c = dice.Below(4);
    r.memberKey = kKeys[dice.Below(3)];
    r.content = Utf8ToCp932(kContents[c]);
    r.color = kColors[c];
    const int day = 1 + dice.Below(28);
    const int from = 8 * 60 + 30 * dice.Below(20);
    r.start = At(year, month, day, from);
    r.end = At(year, month, day, from + 30 + 30 * dice.Below(6));
    if (dice.Below(10) == 0) r.flags = ScheduleRecord::kTentative;
    if (i > 0 && dice.Below(8) == 0) {
      r.kind = 1;
      r.link = static_cast<std::uint32_t>(dice.Below(i));
    }
    records.push_back(r);
  }
  return records;
}

// A plain copy of a record, as an edited file may hold one of another month.
ScheduleRecord Stray(ScheduleRecord r) {
  r.kind = 0;
  r.link = ScheduleRecord::kNoLink;
  r.flags = 0;
  return r;
}

std::string MonthBytes(int m) {
  std::vector<ScheduleRecord> records = MonthRecords(m);
  if (m == 5 || m == 17) {
    records[7].kind = 1;
    records[7].link = 30;
  }
  if (m == 11) {
    for (int shift : {-1, 1}) {
      ScheduleRecord r = Stray(records[3]);
      r.start = r.start.PlusDays(31.0 * shift);
      r.end = r.end.PlusDays(31.0 * shift);
      records.push_back(r);
    }
    // Copies of the neighbouring months' first records, half an hour later:
    // they overlap their originals on the same day.
    for (const int other : {10, 12}) {
      for (int i = 0; i < 3; ++i) {
        ScheduleRecord r = Stray(MonthRecords(other)[static_cast<std::size_t>(i)]);
        r.start = r.start.PlusDays(30 / 1440.0);
        r.end = r.end.PlusDays(30 / 1440.0);
        records.push_back(r);
      }
    }
  }
  MonthFileBuilder file;
  for (const ScheduleRecord& r : records) file.Add(r);
  std::string bytes = file.Build();
  if (m == 9) bytes.resize(bytes.size() - 5);
  return bytes;
}

class WorkerCountTest : public ::testing::Test {
 protected:
  WorkerCountTest() {
    WriteBytes(dir_ / "Team.group", GroupFileBuilder()
                                        .Name(Utf8ToCp932("営業部"))
                                        .Add(Utf8ToCp932("田中"), "tanaka")
                                        .Add(Utf8ToCp932("鈴木"), "suzuki")
                                        .Add(Utf8ToCp932("佐藤"), "sato")
                                        .Build());
    for (int m = 0; m < kMonths; ++m) {
      if (m == 14) continue;
      char name[32];
      std::snprintf(name, sizeof name, "Team%d%02d.sch", kFirstYear + m / 12, m % 12 + 1);
      WriteBytes(dir_ / name, MonthBytes(m));
    }
    WriteBytes(dir_ / "types.txt", Utf8ToCp932("会議\t255,0,0\r\n外出\t0,128,255\r\n"));
  }

  struct Outcome {
    std::string report;
    std::vector<std::string> events;
  };

  // Everyone from the middle of the first year to the middle of the last.
  TallySettings Settings(int mode, bool noOverlap) const {
    TallySettings settings;
    settings.groupPath = dir_ / "Team.group";
    settings.everyone = true;
    settings.firstDate = DateTime::FromParts(kFirstYear, 3, 16);
    settings.lastDate = DateTime::FromParts(kFirstYear + 2, 5, 14);
    settings.mode = mode;
    settings.noOverlap = noOverlap;
    settings.typeFilePath = dir_ / "types.txt";
    settings.outputPath = dir_ / "out.csv";
    return settings;
  }

  // One run writing CSV.
  Outcome RunWith(std::size_t workers, int mode, bool noOverlap) {
    TallyContext context;
    context.workers = workers;
    EXPECT_EQ(context.group.ReadFile(dir_ / "Team.group"), std::nullopt);
    const TallySettings settings = Settings(mode, noOverlap);
    AppValues app;
    app.htmlReportPath = dir_ / "out.html";
    MemorySettingsStore store;
    RecordingRunHost host;
    EXPECT_EQ(tallyer::Run(settings, context, app, store, host), RunOutcome::kDone);
    return {ReadBytes(settings.outputPath), host.events};
  }

  testing::TempDir dir_;
};

TEST_F(WorkerCountTest, EveryModeGivesTheSameReportAndMessagesWhateverTheWorkers) {
  for (const auto& [mode, noOverlap] : std::vector<std::pair<int, bool>>{
           {kModeTotal, false}, {kModeTotal, true}, {kModeColor, false}, {kModeType, false},
           {kModeContent, false}}) {
    SCOPED_TRACE(::testing::Message() << "mode " << mode << (noOverlap ? " no overlap" : ""));
    const Outcome one = RunWith(1, mode, noOverlap);
    ASSERT_FALSE(one.report.empty());
    for (std::size_t workers : {2u, 3u, 4u}) {
      const Outcome several = RunWith(workers, mode, noOverlap);
      EXPECT_EQ(several.report, one.report) << workers << " workers";
      EXPECT_EQ(several.events, one.events) << workers << " workers";
    }
  }
}

// A run adds the months in as they come; the figures must be those of all the
// period's schedules taken at once, records of other months' days included.
TEST_F(WorkerCountTest, MonthByMonthEqualsThePeriodAtOnce) {
  struct Case {
    int mode;
    bool noOverlap;
    bool filtered;  // by content, folded, and by a daily band
  };
  for (const Case& c : {Case{kModeTotal, false, false}, Case{kModeTotal, true, false},
                        Case{kModeTotal, true, true}, Case{kModeType, false, false},
                        Case{kModeContent, false, true}}) {
    SCOPED_TRACE(::testing::Message() << "mode " << c.mode << (c.noOverlap ? " no overlap" : "")
                                      << (c.filtered ? " filtered" : ""));
    TallySettings settings = Settings(c.mode, c.noOverlap);
    settings.breakdownUnit = PeriodUnit::kDay;
    settings.noTentative = true;
    settings.contentOnly = settings.bandOnly = settings.ignoreCaseWidth = c.filtered;
    settings.contentText = Utf8ToCp932("会");
    settings.bandStart = DateTime::FromParts(2000, 1, 1, 9, 30);
    settings.bandEnd = DateTime::FromParts(2000, 1, 1, 12, 0);
    const std::string atOnce = JsonOf(AtOnceResult(settings));
    for (std::size_t workers : {1u, 2u}) {
      EXPECT_EQ(JsonOf(StreamedResult(settings, workers)), atOnce) << workers << " workers";
    }
  }
}

TEST_F(WorkerCountTest, EveryFaultyLinkIsReturnedInMonthOrderWhateverTheWorkers) {
  auto problemsWith = [&](std::size_t workers) {
    TallyContext context;
    context.workers = workers;
    EXPECT_EQ(context.group.ReadFile(dir_ / "Team.group"), std::nullopt);
    std::vector<std::string> told;
    for (const Problem& p : context.LoadPeriod(DateTime::FromParts(kFirstYear, 1, 10),
                                               DateTime::FromParts(kFirstYear + 2, 6, 1)))
      told.push_back(p.message + " " + p.file.filename().string());
    told.push_back(std::to_string(context.schedules.size()) + " schedules");
    return told;
  };
  const std::vector<std::string> one = problemsWith(1);
  ASSERT_EQ(one.size(), 3u);  // months 5 and 17, then the count
  EXPECT_EQ(one[0].substr(one[0].rfind(' ') + 1), "Team200406.sch");
  for (std::size_t workers : {2u, 4u}) EXPECT_EQ(problemsWith(workers), one) << workers << " workers";
}

}  // namespace
}  // namespace tallyer
