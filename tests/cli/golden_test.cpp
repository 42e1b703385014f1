// Golden files: each folder under tests/golden holds a case's inputs (written
// by the test-support writer), its command line ("arguments", one per line)
// and the expected bytes of every output of that run: expected.csv,
// expected.html, expected.json, expected.report.html (the summary page, made
// at a fixed SOURCE_DATE_EPOCH in a fixed time zone) and expected.txt (the
// terminal table).
// TALLYER_UPDATE_GOLDEN=1 writes the inputs and the outputs anew; review the
// difference before committing it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli_process.h"
#include "data/cp932.h"
#include "support/archive_writer.h"
#include "support/temp_dir.h"

namespace tallyer::testing {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kSky = 0xFF8000;
constexpr std::uint32_t kGreen = 0x008000;

std::string J(const char* utf8) { return Utf8ToCp932(utf8); }

ScheduleRecord Entry(const char* key, const char* from, const char* to, std::uint32_t color,
                     const char* content, std::uint32_t flags = 0) {
  ScheduleRecord r;
  r.memberKey = key;
  r.start = At(from);
  r.end = At(to);
  r.color = color;
  r.content = J(content);
  r.flags = flags;
  return r;
}

// The inputs every case shares: 営業部 with 田中 一郎, 鈴木 花子, the hidden 山田
// and 佐藤 without schedules; April and May 2005; a type file naming red
// twice, sky once and green with an empty name.
std::vector<std::pair<std::string, std::string>> Inputs() {
  const std::string group = GroupFileBuilder()
                                .Name(J("営業部"))
                                .Add(J("田中 一郎"), "tanaka")
                                .Add(J("鈴木 花子"), "suzuki")
                                .Add(J("山田"), "yamada", GroupFileBuilder::kHidden)
                                .Add(J("=佐藤"), "sato")
                                .Build();
  MonthFileBuilder april;
  april.Add(Entry("tanaka", "2005-04-01 09:00", "2005-04-01 10:30", kRed, "定例会議"))
      .Add(Entry("tanaka", "2005-04-01 10:00", "2005-04-01 11:00", kSky, "外出,訪問"))
      .Add(Entry("tanaka", "2005-04-04 17:00", "2005-04-04 19:30", kRed, "ｶｲｷﾞ"))
      .Add(Entry("tanaka", "2005-04-05 13:00", "2005-04-05 14:00", kGreen, "会議", ScheduleRecord::kTentative))
      .Add(Entry("suzuki", "2005-04-06 08:00", "2005-04-06 09:15", kSky, "=HYPERLINK(\"x\")"))
      .Add(Entry("suzuki", "2005-04-28 22:00", "2005-04-29 01:00", kRed, "会議"))
      .Add(Entry("yamada", "2005-04-06 10:00", "2005-04-06 11:00", kRed, "会議"));
  MonthFileBuilder may;
  may.Add(Entry("tanaka", "2005-05-02 09:00", "2005-05-02 09:45", 0x123456, "<報告> & \"資料\""));
  return {{"team.group", group},
          {"team200504.sch", april.Build()},
          {"team200505.sch", may.Build()},
          {"team.type", J("会議\t255,0,0\r\n外出\t0,128,255\r\n空き\r\n\t0,128,0\r\n打合せ\t255,0,0\r\n")}};
}

const char* const kOutputs[][2] = {{"--csv", "expected.csv"},
                                   {"--html", "expected.html"},
                                   {"--json", "expected.json"},
                                   {"--report", "expected.report.html"}};

void SetEnvironment(const char* name, const char* value) {
#ifdef _WIN32
  _putenv_s(name, value);
#else
  ::setenv(name, value, 1);
#endif
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  while (from < text.size()) {
    const std::size_t end = text.find('\n', from);
    lines.push_back(text.substr(from, end - from));
    if (end == std::string::npos) break;
    from = end + 1;
  }
  return lines;
}

class GoldenTest : public ::testing::TestWithParam<const char*> {
 protected:
  // The summary page says when it was made: 2025-01-31 14:05 in Japan.
  static void SetUpTestSuite() {
    SetEnvironment("SOURCE_DATE_EPOCH", "1738299900");
    SetEnvironment("TZ", "JST-9");
  }
};

TEST_P(GoldenTest, EveryOutputIsItsExpectedBytes) {
  const fs::path folder = fs::path(TALLYER_GOLDEN_DIR) / GetParam();
  const bool update = std::getenv("TALLYER_UPDATE_GOLDEN") != nullptr;
  TempDir work;
  for (const char* d : {"run", "tmp", "capture"}) fs::create_directory(work / d);
  for (const auto& [name, bytes] : Inputs()) {
    if (update) WriteBytes(folder / name, bytes);
    // The stored inputs are what the writer makes today.
    EXPECT_EQ(ReadBytes(folder / name), bytes) << name;
    fs::copy_file(folder / name, work / "run" / name);
  }
  const std::vector<std::string> arguments = Lines(ReadBytes(folder / "arguments"));
  ASSERT_FALSE(arguments.empty());

  std::vector<std::string> withOutputs = arguments;
  for (const auto& [option, expected] : kOutputs) {
    withOutputs.insert(withOutputs.end() - 1, {option, (work / "run" / expected).string()});
  }
  const auto written = RunCliProgram(withOutputs, work / "run", work / "tmp", work / "capture");
  EXPECT_EQ(written.exitStatus, 0) << written.err;
  const auto table = RunCliProgram(arguments, work / "run", work / "tmp", work / "capture");
  EXPECT_EQ(table.exitStatus, 0) << table.err;
  WriteBytes(work / "run" / "expected.txt", table.out);

  for (const char* expected : {"expected.csv", "expected.html", "expected.json",
                               "expected.report.html", "expected.txt"}) {
    const std::string actual = ReadBytes(work / "run" / expected);
    if (update) WriteBytes(folder / expected, actual);
    EXPECT_EQ(actual, ReadBytes(folder / expected)) << GetParam() << "/" << expected;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenTest,
                         ::testing::Values("totals", "totals_no_overlap", "colours", "types",
                                           "contents", "by_week", "totals_by_month",
                                           "types_by_day", "contents_by_fiscal_year"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace tallyer::testing
