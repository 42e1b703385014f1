// Month files whose date-times hold NaN, infinities or values far outside the
// calendar, run through the whole pipeline in every mode and with every filter.
// Each damaged record must count exactly like an ordinary record chosen for it,
// or not at all; no value may reach a conversion to an integer it does not fit.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "data/cp932.h"
#include "run/diagnostic_log.h"
#include "run/run.h"
#include "support/archive_writer.h"
#include "support/recording_run_host.h"
#include "support/recording_ui.h"
#include "tally/tally_context.h"

namespace tallyer {
namespace {

namespace fs = std::filesystem;
using testing::At;
using testing::GroupFileBuilder;
using testing::MonthFileBuilder;
using testing::ScheduleRecord;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kTwo63 = 9223372036854775808.0;
constexpr double kYear10000 = 2958466.375;    // 10000-01-01 09:00, one day past the calendar
constexpr double kBeforeYear100 = -657435.375;  // 0099-12-31 09:00 in the scheduler's encoding

const DateTime kStart = At("2005-06-10 09:00");

DateTime Valid(double v) { return DateTime{v, DateTime::kValid}; }

// A damaged record and what it is worth: the ordinary record that must give the
// same report, with the daily band off and on (none: it must count nowhere).
struct DamagedCase {
  DateTime start;
  DateTime end;
  std::optional<std::pair<DateTime, DateTime>> asRecord;
  std::optional<std::pair<DateTime, DateTime>> asRecordInBand;
};

std::vector<DamagedCase> Cases() {
  // An end a whole number of days after the start is worth 0 minutes and, in
  // the band, is clipped to the band's end: as are ends beyond the calendar.
  const auto nextDay = std::make_pair(kStart, kStart.PlusDays(1));
  // An end days before the start is worth 0 and lies before any band.
  const auto dayBefore = std::make_pair(kStart, kStart.PlusDays(-1));
  // An end that is no number is worth 0; in the band only the start is clipped.
  const auto noEndInBand = std::make_pair(At("2005-06-10 23:59"), At("2005-06-11 23:59"));
  std::vector<DamagedCase> cases;
  for (double v : {kNaN, kInf, -kInf, 1e300, -1e300, kTwo63, -kTwo63, kTwo63 / 1440, -kTwo63 / 1440,
                   kYear10000, kBeforeYear100, std::numeric_limits<double>::max(),
                   std::numeric_limits<double>::lowest()}) {
    cases.push_back({Valid(v), At("2005-06-10 10:30"), std::nullopt, std::nullopt});
  }
  cases.push_back({DateTime{kNaN, DateTime::kInvalid}, At("2005-06-10 10:30"), std::nullopt, std::nullopt});
  cases.push_back({DateTime{kInf, DateTime::kNull}, At("2005-06-10 10:30"), std::nullopt, std::nullopt});
  cases.push_back({kStart, Valid(kNaN), nextDay, noEndInBand});
  cases.push_back({kStart, DateTime{kNaN, DateTime::kInvalid}, nextDay, noEndInBand});
  cases.push_back({kStart, DateTime{1e300, DateTime::kNull}, nextDay, nextDay});
  for (double v : {kInf, 1e300, kTwo63, kTwo63 / 1440, kYear10000, std::numeric_limits<double>::max()})
    cases.push_back({kStart, Valid(v), nextDay, nextDay});
  for (double v : {-kInf, -1e300, -kTwo63, -kTwo63 / 1440, kBeforeYear100, std::numeric_limits<double>::lowest()})
    cases.push_back({kStart, Valid(v), dayBefore, dayBefore});
  return cases;
}

ScheduleRecord Record(DateTime start, DateTime end, int i) {
  ScheduleRecord r;
  r.memberKey = "k";
  r.start = start;
  r.end = end;
  r.color = i % 2 ? 0x0000FFu : 0xFF8000u;
  r.content = "a" + std::to_string(i % 3);
  r.flags = i % 4 == 3 ? ScheduleRecord::kTentative : 0;
  return r;
}

class HostileDatesTest : public ::testing::Test {
 protected:
  HostileDatesTest() : log_(dir_ / "no.log"), context_() {
    testing::WriteBytes(dir_ / "Team.group", GroupFileBuilder().Add("K", "k").Add("M", "m").Build());
    testing::WriteBytes(dir_ / "Team.type", Utf8ToCp932("赤\t255,0,0\n空\t0,128,255\n"));
    EXPECT_EQ(context_.group.ReadFile(dir_ / "Team.group"), std::nullopt);
    app_.htmlReportPath = dir_ / "Planwell_Output.html";
    settings_.groupPath = dir_ / "Team.group";
    settings_.typeFilePath = dir_ / "Team.type";
    settings_.everyone = true;
    settings_.firstDate = At("2005-06-01");
    settings_.lastDate = At("2005-06-30");
    settings_.contentText = "a";
  }

  // The report of a run over the given month file (CSV or HTML).
  std::string Report(const std::string& month, bool csv) {
    testing::WriteBytes(dir_ / "Team200506.sch", month);
    settings_.outputPath = csv ? dir_ / "out.csv" : fs::path();
    EXPECT_EQ(tallyer::Run(settings_, context_, app_, store_, host_), RunOutcome::kDone);
    return testing::ReadBytes(csv ? dir_ / "out.csv" : app_.htmlReportPath);
  }

  testing::TempDir dir_;
  testing::RecordingUi ui_;
  DiagnosticLog log_;
  TallyContext context_;
  AppValues app_;
  TallySettings settings_;
  MemorySettingsStore store_;
  testing::RecordingRunHost host_;
};

TEST_F(HostileDatesTest, DamagedDatesCountLikeTheirOrdinaryRecordInEveryModeAndFilter) {
  const std::vector<DamagedCase> cases = Cases();
  // The same month twice: as damaged, and with each record replaced by its worth.
  MonthFileBuilder damaged, plain, plainInBand;
  const ScheduleRecord other = Record(At("2005-06-11 18:00"), At("2005-06-11 19:15"), 0);
  for (MonthFileBuilder* b : {&damaged, &plain, &plainInBand}) b->Add(other);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const DamagedCase& c = cases[i];
    const int n = static_cast<int>(i);
    damaged.Add(Record(c.start, c.end, n));
    if (c.asRecord) plain.Add(Record(c.asRecord->first, c.asRecord->second, n));
    if (c.asRecordInBand) plainInBand.Add(Record(c.asRecordInBand->first, c.asRecordInBand->second, n));
  }
  damaged.Add(Record(At("2005-06-12 09:00"), At("2005-06-12 09:45"), 1));
  plain.Add(Record(At("2005-06-12 09:00"), At("2005-06-12 09:45"), 1));
  plainInBand.Add(Record(At("2005-06-12 09:00"), At("2005-06-12 09:45"), 1));

  for (int options = 0; options < 16; ++options) {
    settings_.bandOnly = options & 1;
    settings_.contentOnly = options & 2;
    settings_.noOverlap = options & 4;
    settings_.noTentative = options & 8;
    for (int mode = kModeTotal; mode <= kModeContent; ++mode) {
      settings_.mode = mode;
      for (int format = 0; format < 4; ++format) {
        settings_.durationFormat = format;
        for (bool csv : {false, true}) {
          SCOPED_TRACE(::testing::Message() << "options " << options << ", mode " << mode << ", format "
                                            << format << ", csv " << csv);
          const std::string expected = Report((settings_.bandOnly ? plainInBand : plain).Build(), csv);
          ASSERT_EQ(Report(damaged.Build(), csv), expected);
        }
      }
    }
  }
  // The comparison means something: the damaged month does count.
  settings_.bandOnly = settings_.contentOnly = settings_.noOverlap = settings_.noTentative = false;
  settings_.mode = kModeTotal;
  settings_.durationFormat = 3;
  const auto counted = std::count_if(cases.begin(), cases.end(), [](const auto& c) { return c.asRecord.has_value(); });
  EXPECT_NE(Report(damaged.Build(), true).find("K," + std::to_string(2 + counted) + ",120\r\nM,0,0\r\n"),
            std::string::npos);
}

TEST_F(HostileDatesTest, PeriodOutsideTheCalendarVisitsNoDayInAnyMode) {
  testing::WriteBytes(dir_ / "Team200506.sch",
                      MonthFileBuilder().Add(Record(At("2005-06-10 09:00"), At("2005-06-10 10:00"), 0)).Build());
  const double bad[] = {kNaN, kInf, -kInf, 1e300, -1e300, kTwo63, -kTwo63, kYear10000, kBeforeYear100 - 1};
  for (double v : bad) {
    for (int side = 0; side < 2; ++side) {
      settings_.firstDate = side == 0 ? Valid(v) : At("2005-06-01");
      settings_.lastDate = side == 1 ? Valid(v) : At("2005-06-30");
      for (int mode = kModeTotal; mode <= kModeContent; ++mode) {
        for (bool noOverlap : {false, true}) {
          SCOPED_TRACE(::testing::Message() << v << ", side " << side << ", mode " << mode);
          settings_.mode = mode;
          settings_.noOverlap = noOverlap;
          settings_.durationFormat = 3;
          // A first date later than the last is refused before any day is walked.
          if (settings_.firstDate.IsLaterThan(settings_.lastDate)) {
            EXPECT_EQ(tallyer::Run(settings_, context_, app_, store_, host_), RunOutcome::kRefused);
            continue;
          }
          const std::string report = Report(testing::ReadBytes(dir_ / "Team200506.sch"), true);
          EXPECT_TRUE(context_.schedules.empty());
          if (mode == kModeTotal) {
            EXPECT_NE(report.find("K,0,0\r\nM,0,0\r\n"), std::string::npos) << report;
          }
        }
      }
    }
  }
}

TEST_F(HostileDatesTest, FirstAndLastMonthsOfTheCalendarAreTallied) {
  struct Edge {
    const char* first;
    const char* last;
    const char* file;
    ScheduleRecord record;
  };
  const Edge edges[] = {
      {"0100-01-01", "0100-01-31", "Team10001.sch", Record(At("0100-01-02 09:00"), At("0100-01-02 10:00"), 0)},
      {"9999-12-01", "9999-12-31", "Team999912.sch", Record(At("9999-12-30 09:00"), At("9999-12-30 10:00"), 0)},
  };
  settings_.durationFormat = 3;
  for (const Edge& e : edges) {
    testing::WriteBytes(dir_ / e.file, MonthFileBuilder().Add(e.record).Build());
    settings_.firstDate = At(e.first);
    settings_.lastDate = At(e.last);
    for (bool noOverlap : {false, true}) {
      settings_.noOverlap = noOverlap;
      settings_.outputPath = dir_ / "out.csv";
      ASSERT_EQ(tallyer::Run(settings_, context_, app_, store_, host_), RunOutcome::kDone);
      EXPECT_NE(testing::ReadBytes(dir_ / "out.csv").find("K,1,60\r\n"), std::string::npos) << e.file;
    }
  }
}

}  // namespace
}  // namespace tallyer
