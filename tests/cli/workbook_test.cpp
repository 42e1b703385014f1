// Runs tallyer-cli --xlsx on files written byte by byte and reads the
// workbook back with openpyxl (workbook_check.py) against the JSON of the
// same run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cli_process.h"
#include "data/cp932.h"
#include "support/archive_writer.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "support/text_match.h"

namespace tallyer::testing {
namespace {

namespace fs = std::filesystem;

// openpyxl is Debian's python3-openpyxl, installed for the system's Python.
constexpr const char* kPython = "/usr/bin/python3";

std::string Sjis(const std::string& utf8) { return Utf8ToCp932(utf8); }

ScheduleRecord Entry(const std::string& from, const std::string& to, std::uint32_t color,
                     const std::string& content, const char* key, std::uint32_t flags = 0) {
  ScheduleRecord r;
  r.start = At(from);
  r.end = At(to);
  r.color = color;
  r.content = content;
  r.memberKey = key;
  r.flags = flags;
  return r;
}

// A group whose texts a spreadsheet could take for formulas or escapes, a
// member without schedules, a member with more colours than the workbook
// fills, and a content longer than a cell holds.
class WorkbookTest : public ::testing::Test {
 protected:
  static constexpr std::uint32_t kRed = 0x0000FF;
  static constexpr std::uint32_t kSky = 0xFF8000;

  void SetUp() override {
    for (const char* d : {"data", "tmp", "capture", "out"}) fs::create_directory(root_ / d);
    group_ = root_ / "data" / fs::u8path("営業部.group");
    WriteBytes(group_, GroupFileBuilder()
                           .Name(Sjis("営業部"))
                           .Add(Sjis("田中 一郎"), "tanaka")
                           .Add("=1+1", "formula")
                           .Add("_x0041_", "escape")
                           .Add(Sjis("鈴木 花子"), "suzuki")
                           .Add(Sjis("佐藤"), "sato", GroupFileBuilder::kHidden)
                           .Build());
    WriteBytes(root_ / "data" / fs::u8path("営業部.type"),
               Sjis("nopalette\r\n会議\t255,0,0\r\n=SUM(1,2)\t0,128,255\r\n研修\t0,255,0\r\n"));

    std::vector<ScheduleRecord> january = {
        Entry("2025-01-06 09:00", "2025-01-06 10:30", kRed, Sjis("会議"), "tanaka"),
        Entry("2025-01-07 13:00", "2025-01-07 13:20", kSky, "=HYPERLINK(\"http://x\")", "tanaka"),
        Entry("2025-01-08 09:00", "2025-01-08 09:45", kRed, "+1", "formula"),
        Entry("2025-01-09 22:00", "2025-01-10 02:00", kSky, std::string(40000, 'x'), "formula"),
        Entry("2025-01-10 10:00", "2025-01-10 11:00", kRed, Sjis("会議"), "sato"),
        Entry("2025-01-14 10:00", "2025-01-14 11:00", kRed, "_x0042_", "escape",
              ScheduleRecord::kTentative)};
    // More distinct colours than the workbook gives fills.
    for (std::uint32_t i = 0; i < 1005; ++i) {
      const int day = 15 + static_cast<int>(i % 15);
      const int minutes = 8 * 60 + 2 * static_cast<int>(i / 15);
      char start[32], end[32];
      std::snprintf(start, sizeof start, "2025-01-%02d %02d:%02d", day, minutes / 60, minutes % 60);
      std::snprintf(end, sizeof end, "2025-01-%02d %02d:%02d", day, minutes / 60, minutes % 60 + 1);
      january.push_back(Entry(start, end, 0x00102030u + i * 0x010101u, "-", "escape"));
    }
    WriteMonth("202501", january);
    WriteMonth("202502", {Entry("2025-02-03 09:00", "2025-02-03 12:00", kRed, Sjis("会議"), "tanaka"),
                          Entry("2025-02-04 09:00", "2025-02-04 09:10", 0, "", "formula")});
    WriteMonth("202503", {Entry("2025-03-31 23:00", "2025-04-01 01:00", kSky, "@x", "tanaka")});
  }

  void WriteMonth(const char* yyyymm, const std::vector<ScheduleRecord>& records) {
    MonthFileBuilder month;
    for (const auto& r : records) month.Add(r);
    WriteBytes(root_ / "data" / fs::u8path(std::string("営業部") + yyyymm + ".sch"), month.Build());
  }

  CliProcessResult Cli(std::vector<std::string> args) const {
    args.push_back(Utf8(group_));
    return RunCliProgram(args, root_.Path(), root_ / "tmp", root_ / "capture");
  }

  fs::path Out(const std::string& name) const { return root_ / "out" / name; }

  TempDir root_;
  fs::path group_;
};

struct WorkbookCase {
  const char* name;
  std::vector<std::string> options;
};

class WorkbookFiguresTest : public WorkbookTest,
                            public ::testing::WithParamInterface<WorkbookCase> {};

TEST_P(WorkbookFiguresTest, EqualTheJsonOfTheSameRun) {
#ifdef _WIN32
  GTEST_SKIP() << "the checker is Linux's python3 with openpyxl, which Wine cannot start";
#endif
  std::vector<std::string> args = {"--from", "2025-01-01", "--to", "2025-03-31", "--type-file",
                                   Utf8(root_ / "data" / fs::u8path("営業部.type"))};
  args.insert(args.end(), GetParam().options.begin(), GetParam().options.end());
  for (const char* option : {"--json", "--xlsx"}) args.push_back(option), args.push_back("");
  args[args.size() - 3] = Out("run.json").string();
  args[args.size() - 1] = Out("book.xlsx").string();
  const auto r = Cli(args);
  ASSERT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const auto check = RunProgram(kPython,
                                {TALLYER_WORKBOOK_CHECK, Out("book.xlsx").string(), Out("run.json").string()},
                                root_.Path(), root_ / "tmp", root_ / "capture");
  EXPECT_EQ(check.exitStatus, 0) << check.out << check.err;
}

INSTANTIATE_TEST_SUITE_P(
    Modes, WorkbookFiguresTest,
    ::testing::Values(
        WorkbookCase{"Totals", {}},
        WorkbookCase{"TotalsByMonth", {"--by", "month"}},
        WorkbookCase{"TotalsWithoutOverlapByWeek", {"--no-overlap", "--by", "week"}},
        WorkbookCase{"Colours", {"--mode", "2"}},
        WorkbookCase{"ColoursByMonth", {"--mode", "2", "--by", "month"}},
        WorkbookCase{"Types", {"--mode", "3"}},
        WorkbookCase{"TypesByYear", {"--mode", "3", "--by", "year"}},
        WorkbookCase{"Contents", {"--mode", "4"}},
        WorkbookCase{"ContentsByDay", {"--mode", "4", "--by", "day", "--no-tentative"}},
        WorkbookCase{"OneMemberBandAndContent",
                     {"--member", "formula", "--band", "09:00-18:00", "--content", "x", "--by",
                      "fiscal-year"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WorkbookTest, TheSameRunAndClockGiveTheSameBytes) {
  const auto run = [&](const char* epoch, const std::string& name) {
    const ScopedEnv fixed("SOURCE_DATE_EPOCH", epoch);
    const auto r = Cli({"--from", "2025-01-01", "--to", "2025-03-31", "--mode", "2", "--by", "month",
                        "--xlsx", Out(name).string()});
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    return ReadBytes(Out(name));
  };
  const std::string first = run("1735689600", "a.xlsx");
  EXPECT_EQ(first.substr(0, 2), "PK");
  EXPECT_EQ(run("1735689600", "b.xlsx"), first);
  EXPECT_NE(run("1735689601", "c.xlsx"), first);
}

TEST_F(WorkbookTest, StandardOutputIsNoPlaceForAWorkbook) {
  const auto r = Cli({"--xlsx", "-"});
  EXPECT_EQ(r.exitStatus, 2);
  EXPECT_NE(r.err.find("--xlsx"), std::string::npos) << r.err;
  EXPECT_EQ(r.out, "");
}

TEST_F(WorkbookTest, MoreUnitsThanASheetHasColumnsIsAUsageError) {
  // 1980-01-01 .. 2024-11-07 is 16,383 days.
  const auto r = Cli({"--from", "1980-01-01", "--to", "2024-11-07", "--by", "day", "--json",
                      Out("run.json").string(), "--xlsx", Out("book.xlsx").string()});
  EXPECT_EQ(r.exitStatus, 2);
  EXPECT_NE(r.err.find("16382"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(Out("book.xlsx")));
  EXPECT_FALSE(fs::exists(Out("run.json")));
  // The most units that fit.
  const auto fits = Cli({"--from", "1980-01-01", "--to", "2024-11-06", "--by", "day", "--xlsx",
                         Out("book.xlsx").string()});
  EXPECT_EQ(fits.exitStatus, 0) << fits.err;
}

// The workbook is written last, after the checks every output passes.
TEST_F(WorkbookTest, AWorkbookThatWouldReplaceTheGroupFileIsRefusedBeforeAnythingIsWritten) {
  const std::string before = ReadBytes(group_);
  const auto r = Cli({"--json", Out("run.json").string(), "--xlsx", Utf8(group_)});
  EXPECT_EQ(r.exitStatus, 2);
  EXPECT_EQ(r.err, "tallyer-cli: " + Utf8(group_) + " は集計に使うファイルなので上書きできません。\n");
  EXPECT_EQ(ReadBytes(group_), before);
  EXPECT_FALSE(fs::exists(Out("run.json")));
}

TEST_F(WorkbookTest, AWorkbookThatCannotBeWrittenLeavesTheOtherOutputsWritten) {
  const auto r = Cli({"--from", "2025-01-01", "--to", "2025-03-31", "--json", Out("run.json").string(),
                      "--xlsx", (root_ / "missing" / "book.xlsx").string()});
  EXPECT_EQ(r.exitStatus, 1);
  EXPECT_NE(r.err.find("missing"), std::string::npos) << r.err;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  EXPECT_TRUE(fs::exists(Out("run.json")));
  EXPECT_FALSE(fs::exists(root_ / "missing"));
}

}  // namespace
}  // namespace tallyer::testing
