// The breakdown by period against runs over each unit alone: for every unit
// kind, each mode and the options that change what a schedule is worth, a
// member's cell equals that member's figures of a run over the unit, and the
// cells add up to the totals. Every schedule is stored in its own month's
// file, as the scheduler stores them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/cp932.h"
#include "run/diagnostic_log.h"
#include "run/run.h"
#include "support/archive_writer.h"
#include "support/recording_run_host.h"
#include "tally/tally_context.h"

namespace tallyer {
namespace {

using testing::At;
using testing::GroupFileBuilder;
using testing::MonthFileBuilder;
using testing::ScheduleRecord;
using testing::WriteBytes;

constexpr std::uint32_t kColours[] = {0x0000FF, 0xFF8000, 0x00FF00};
const char* const kContents[] = {"会議", "外出", "来客", "会議"};

// Three members (and a hidden one) with schedules every 3 to 5 days from
// November 2024 to December 2025: some overlapping, some tentative, some past
// midnight, each in the file of the month it starts in.
class BreakdownTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteBytes(dir_ / "t.group", GroupFileBuilder()
                                     .Name(Utf8ToCp932("開発"))
                                     .Add("A", "a")
                                     .Add("B", "b")
                                     .Add("H", "h", GroupFileBuilder::kHidden)
                                     .Add("C", "c")
                                     .Build());
    WriteBytes(dir_ / "t.type", Utf8ToCp932("赤\t255,0,0\r\n緑\t0,255,0\r\n青\t0,0,255\r\n"));
    int n = 0;
    for (DateTime day = At("2024-11-01"); day.IsEarlierThan(At("2026-01-01")); day = day.PlusDays(1)) {
      const CalendarParts p = day.Parts();
      if (p.day == 1) {
        if (month_.Count() > 0) Flush();
        year_ = p.year;
        monthNumber_ = p.month;
      }
      for (const char* key : {"a", "b", "h", "c"}) {
        if ((p.dayOfYear + key[0]) % (3 + key[0] % 3) != 0) continue;
        const int hour = 8 + (n % 11);
        ScheduleRecord r;
        r.memberKey = key;
        r.start = day.PlusDays(hour / 24.0 + (n % 4) * 15 / 1440.0);
        r.end = r.start.PlusDays((30 + (n % 7) * 25) / 1440.0);  // up to 3 hours, past midnight at times
        r.color = kColours[n % 3];
        r.content = Utf8ToCp932(kContents[n % 4]);
        r.flags = n % 5 == 0 ? ScheduleRecord::kTentative : 0;
        month_.Add(r);
        if (n % 6 == 0) {  // an overlapping second schedule
          r.start = r.start.PlusDays(20 / 1440.0);
          month_.Add(r);
        }
        ++n;
      }
    }
    Flush();
    context_.group.SetPath(dir_ / "t.group");
    ASSERT_EQ(context_.group.ReadFile(dir_ / "t.group"), std::nullopt);
  }

  void Flush() {
    char name[32];
    std::snprintf(name, sizeof name, "t%d%02d.sch", year_, monthNumber_);
    WriteBytes(dir_ / name, month_.Build());
    month_ = MonthFileBuilder();
  }

  TallyResult Tally(const TallySettings& s) {
    TallyResult result;
    EXPECT_EQ(TallyRun(s, context_, app_, store_, host_, result), RunOutcome::kDone);
    return result;
  }

  testing::TempDir dir_;
  MonthFileBuilder month_;
  int year_ = 0, monthNumber_ = 0;
  TallyContext context_;
  AppValues app_;
  MemorySettingsStore store_;
  testing::RecordingRunHost host_;
};

struct Period {
  PeriodUnit unit;
  const char* from;
  const char* to;
  std::size_t units;
};

// Periods that start and end inside a unit and at a time of day.
const Period kPeriods[] = {
    {PeriodUnit::kDay, "2025-01-30 12:00", "2025-02-04 09:00", 6},
    {PeriodUnit::kWeek, "2025-01-01 10:00", "2025-02-20 08:00", 8},  // from Monday 2024-12-30
    {PeriodUnit::kMonth, "2024-12-15 00:00", "2025-03-10 13:00", 4},
    {PeriodUnit::kYear, "2024-11-20 08:00", "2025-06-30 00:00", 2},
    {PeriodUnit::kFiscalYear, "2024-12-01 00:00", "2025-05-31 18:00", 2},  // 2024 and 2025
};

struct Options {
  const char* name;
  void (*apply)(TallySettings&);
};

const Options kOptions[] = {
    {"plain", [](TallySettings&) {}},
    {"band", [](TallySettings& s) {
       s.bandOnly = true;
       s.bandStart = At("2000-01-01 09:00");
       s.bandEnd = At("2000-01-01 17:30");
     }},
    {"noOverlap", [](TallySettings& s) { s.noOverlap = true; }},
    {"noTentative", [](TallySettings& s) { s.noTentative = true; }},
};

std::string Text(const TallyFigures& f) { return std::to_string(f.count) + "/" + std::to_string(f.minutes); }

TEST_F(BreakdownTest, EachCellIsARunOverItsUnitAndTheCellsAddUp) {
  for (const Period& period : kPeriods) {
    for (int mode = kModeTotal; mode <= kModeContent; ++mode) {
      for (const Options& options : kOptions) {
        TallySettings s;
        s.everyone = true;
        s.mode = mode;
        s.typeFilePath = dir_ / "t.type";
        s.firstDate = At(period.from);
        s.lastDate = At(period.to);
        options.apply(s);
        s.breakdownUnit = period.unit;
        const TallyResult whole = Tally(s);
        SCOPED_TRACE(::testing::Message() << period.from << " mode " << mode + 1 << " " << options.name);
        ASSERT_TRUE(whole.breakdown.has_value());
        const PeriodBreakdown& b = *whole.breakdown;
        ASSERT_EQ(b.periods.size(), period.units);
        ASSERT_EQ(b.memberCells.size(), whole.members.size());
        ASSERT_EQ(whole.members.size(), 3u);
        EXPECT_GT(whole.totals.count, 2);  // every case has schedules to split
        EXPECT_EQ(b.periods.front().from, s.firstDate);
        EXPECT_EQ(b.periods.back().to, s.lastDate);

        for (std::size_t u = 0; u < b.periods.size(); ++u) {
          TallySettings alone = s;
          alone.breakdownUnit.reset();
          alone.firstDate = b.periods[u].from;
          alone.lastDate = b.periods[u].to;
          const TallyResult unit = Tally(alone);
          ASSERT_EQ(unit.members.size(), whole.members.size());
          TallyFigures total;
          for (std::size_t m = 0; m < unit.members.size(); ++m) {
            EXPECT_EQ(Text(b.memberCells[m][u]), Text(unit.members[m].figures))
                << b.periods[u].label << " " << whole.members[m].key;
            total.count += b.memberCells[m][u].count;
            total.minutes += b.memberCells[m][u].minutes;
          }
          EXPECT_EQ(Text(b.totals[u]), Text(total)) << b.periods[u].label;
        }
        for (std::size_t m = 0; m < whole.members.size(); ++m) {
          TallyFigures sum;
          for (const TallyFigures& cell : b.memberCells[m]) {
            sum.count += cell.count;
            sum.minutes += cell.minutes;
          }
          EXPECT_EQ(Text(sum), Text(whole.members[m].figures)) << whole.members[m].key;
        }
        // The team's rows sum the members' rows, key by key.
        TallyFigures team;
        for (const TallyRow& row : whole.teamRows) {
          TallyFigures expected;
          for (const MemberTally& member : whole.members) {
            for (const TallyRow& own : member.rows) {
              if (mode == kModeContent ? own.content == row.content : own.color == row.color) {
                expected.count += own.figures.count;
                expected.minutes += own.figures.minutes;
                if (mode != kModeContent) break;  // a colour listed twice counts in its first row
              }
            }
          }
          EXPECT_EQ(Text(row.figures), Text(expected));
          team.count += row.figures.count;
          team.minutes += row.figures.minutes;
        }
        if (mode != kModeTotal) {
          EXPECT_EQ(Text(team), Text(whole.totals));
        }
      }
    }
  }
}

TEST_F(BreakdownTest, UnitsAreLabelledAndBoundedAsTheirKindSays) {
  struct Case {
    PeriodUnit unit;
    const char* from;
    const char* to;
    std::vector<std::string> labels;
    const char* secondFrom;
    const char* firstTo;
  };
  const Case cases[] = {
      {PeriodUnit::kDay, "2025-02-27 10:00", "2025-03-01 09:30", {"2025-02-27", "2025-02-28", "2025-03-01"},
       "2025-02-28 00:00", "2025-02-27 23:59:59"},
      {PeriodUnit::kWeek, "2025-01-05 10:00", "2025-01-13 00:00", {"2024-12-30", "2025-01-06", "2025-01-13"},
       "2025-01-06 00:00", "2025-01-05 23:59:59"},
      {PeriodUnit::kMonth, "2024-12-31 23:00", "2025-02-01 00:00", {"2024-12", "2025-01", "2025-02"},
       "2025-01-01 00:00", "2024-12-31 23:59:59"},
      {PeriodUnit::kYear, "2024-12-31 00:00", "2025-01-01 00:00", {"2024", "2025"}, "2025-01-01 00:00",
       "2024-12-31 23:59:59"},
      {PeriodUnit::kFiscalYear, "2025-03-31 12:00", "2025-04-01 00:00", {"2024", "2025"}, "2025-04-01 00:00",
       "2025-03-31 23:59:59"},
  };
  for (const Case& c : cases) {
    TallySettings s;
    s.everyone = true;
    s.firstDate = At(c.from);
    s.lastDate = At(c.to);
    s.breakdownUnit = c.unit;
    const TallyResult r = Tally(s);
    ASSERT_TRUE(r.breakdown.has_value());
    std::vector<std::string> labels;
    for (const BreakdownPeriod& p : r.breakdown->periods) labels.push_back(p.label);
    EXPECT_EQ(labels, c.labels) << c.from;
    EXPECT_EQ(r.breakdown->periods[0].from, s.firstDate);
    EXPECT_EQ(r.breakdown->periods[0].to, At(c.firstTo)) << c.from;
    EXPECT_EQ(r.breakdown->periods[1].from, At(c.secondFrom)) << c.from;
    EXPECT_EQ(r.breakdown->periods.back().to, s.lastDate);
  }
}

}  // namespace
}  // namespace tallyer
