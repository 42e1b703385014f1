#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "data/cp932.h"

namespace tallyer::cli {
namespace {

const DateTime kNow = DateTime::FromParts(2025, 6, 14, 15, 20, 5);

struct Parsed {
  ParseResult result;
  CliRequest request;
  std::string out;
  std::string err;
};

Parsed Parse(std::initializer_list<const char*> arguments) {
  std::vector<const char*> argv{"tallyer-cli"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  Parsed p;
  std::ostringstream out, err;
  p.result = ParseCommandLine(static_cast<int>(argv.size()), argv.data(), kNow, p.request, out, err);
  p.out = out.str();
  p.err = err.str();
  return p;
}

TEST(CliOptionsTest, DefaultsAreTheDesktopProgramsForAWholeGroup) {
  const Parsed p = Parse({"data/営業部.group"});
  ASSERT_EQ(p.result, ParseResult::kProceed) << p.err;
  const TallySettings& s = p.request.settings;
  EXPECT_EQ(s.groupPath, std::filesystem::u8path("data/営業部.group"));  // as given
  EXPECT_TRUE(s.everyone);
  EXPECT_TRUE(s.selectedKeys.empty());
  EXPECT_EQ(s.firstDate, DateTime::FromParts(2025, 5, 15));
  EXPECT_EQ(s.lastDate, kNow);
  EXPECT_EQ(s.mode, kModeTotal);
  EXPECT_EQ(s.typeFilePath, kHintPath);
  EXPECT_FALSE(s.bandOnly);
  EXPECT_EQ(s.bandStart, DateTime::FromParts(2000, 1, 1, 17, 30));
  EXPECT_EQ(s.bandEnd, DateTime::FromParts(2000, 1, 1, 23, 59));
  EXPECT_FALSE(s.contentOnly);
  EXPECT_TRUE(s.contentText.empty());
  EXPECT_FALSE(s.exactMatch);
  EXPECT_FALSE(s.ignoreCaseWidth);
  EXPECT_FALSE(s.noOverlap);
  EXPECT_FALSE(s.noTentative);
  EXPECT_EQ(s.durationFormat, 0);
  EXPECT_TRUE(s.outputPath.empty());
  EXPECT_FALSE(p.request.csv.has_value());
  EXPECT_FALSE(p.request.html.has_value());
  EXPECT_EQ(p.err, "");
}

TEST(CliOptionsTest, EveryOptionReachesItsSetting) {
  const Parsed p = Parse({"--from", "2005-04-01", "--to", "2005-04-30T18:30", "--mode", "3",
                          "--type-file", "colours/営業部.type", "--band", "9:00-18:15",
                          "--content", "会議", "--exact", "--ignore-case-width", "--no-overlap",
                          "--no-tentative", "--format", "2", "--csv", "out.csv", "--html",
                          "out.html", "g.group"});
  ASSERT_EQ(p.result, ParseResult::kProceed) << p.err;
  const TallySettings& s = p.request.settings;
  EXPECT_EQ(s.firstDate, DateTime::FromParts(2005, 4, 1));
  EXPECT_EQ(s.lastDate, DateTime::FromParts(2005, 4, 30, 18, 30));
  EXPECT_EQ(s.mode, kModeType);
  EXPECT_EQ(s.typeFilePath, std::filesystem::absolute(std::filesystem::u8path("colours/営業部.type")));
  EXPECT_TRUE(s.typeFilePath.is_absolute());
  EXPECT_TRUE(s.bandOnly);
  EXPECT_EQ(s.bandStart, DateTime::FromParts(2000, 1, 1, 9, 0));
  EXPECT_EQ(s.bandEnd, DateTime::FromParts(2000, 1, 1, 18, 15));
  EXPECT_TRUE(s.contentOnly);
  EXPECT_EQ(s.contentText, "\x89\xef\x8b\x63");  // 会議 in CP932
  EXPECT_TRUE(s.exactMatch);
  EXPECT_TRUE(s.ignoreCaseWidth);
  EXPECT_TRUE(s.noOverlap);
  EXPECT_TRUE(s.noTentative);
  EXPECT_EQ(s.durationFormat, 2);
  ASSERT_TRUE(p.request.csv.has_value());
  EXPECT_EQ(p.request.csv->path, std::filesystem::path("out.csv"));
  EXPECT_FALSE(p.request.csv->toStdout);
  ASSERT_TRUE(p.request.html.has_value());
  EXPECT_EQ(p.request.html->path, std::filesystem::path("out.html"));
}

TEST(CliOptionsTest, ModesAreNumberedLikeTheList) {
  for (int n = 1; n <= 4; ++n) {
    const std::string text = std::to_string(n);
    const Parsed p = Parse({"--mode", text.c_str(), "g.group"});
    ASSERT_EQ(p.result, ParseResult::kProceed) << p.err;
    EXPECT_EQ(p.request.settings.mode, n - 1);
  }
}

TEST(CliOptionsTest, EachMemberOptionTakesOneKeyAndTheGroupStaysPositional) {
  const Parsed p = Parse({"--member", "tanaka", "--member", "鈴木", "g.group"});
  ASSERT_EQ(p.result, ParseResult::kProceed) << p.err;
  EXPECT_FALSE(p.request.settings.everyone);
  EXPECT_EQ(p.request.settings.selectedKeys,
            (std::vector<std::string>{"tanaka", "\x97\xe9\x96\xd8"}));  // 鈴木 in CP932
  EXPECT_EQ(p.request.memberArguments, (std::vector<std::string>{"tanaka", "鈴木"}));
  EXPECT_EQ(p.request.settings.groupPath, std::filesystem::path("g.group"));
}

TEST(CliOptionsTest, AnEmptyContentTextStillFiltersByContent) {
  const Parsed p = Parse({"--content", "", "g.group"});
  ASSERT_EQ(p.result, ParseResult::kProceed) << p.err;
  EXPECT_TRUE(p.request.settings.contentOnly);
  EXPECT_EQ(p.request.settings.contentText, "");
}

TEST(CliOptionsTest, DashMeansStandardOutput) {
  const Parsed p = Parse({"--csv", "-", "--html", "page.html", "g.group"});
  ASSERT_EQ(p.result, ParseResult::kProceed) << p.err;
  EXPECT_TRUE(p.request.csv->toStdout);
  EXPECT_FALSE(p.request.html->toStdout);
}

struct UsageCase {
  std::vector<const char*> arguments;
  const char* messagePart;
};

class CliUsageErrorTest : public ::testing::TestWithParam<UsageCase> {};

TEST_P(CliUsageErrorTest, IsRefusedWithAMessage) {
  const UsageCase& c = GetParam();
  std::vector<const char*> argv{"tallyer-cli"};
  argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
  CliRequest request;
  std::ostringstream out, err;
  EXPECT_EQ(ParseCommandLine(static_cast<int>(argv.size()), argv.data(), kNow, request, out, err),
            ParseResult::kUsageError);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(err.str().rfind("tallyer-cli: ", 0), 0u) << err.str();
  EXPECT_NE(err.str().find(c.messagePart), std::string::npos) << err.str();
  EXPECT_NE(err.str().find("--help"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliUsageErrorTest,
    ::testing::Values(
        UsageCase{{}, "GROUP_FILE"},
        UsageCase{{"--mode", "0", "g.group"}, "--mode"},
        UsageCase{{"--mode", "5", "g.group"}, "--mode"},
        UsageCase{{"--mode", "two", "g.group"}, "--mode"},
        UsageCase{{"--format", "4", "g.group"}, "--format"},
        UsageCase{{"--from", "2005-04-31", "g.group"}, "--from の日付が不正です: 2005-04-31"},
        UsageCase{{"--to", "yesterday", "g.group"}, "--to の日付が不正です: yesterday"},
        UsageCase{{"--band", "9-18", "g.group"}, "--band の時間帯が不正です: 9-18"},
        UsageCase{{"--csv", "", "g.group"}, "--csv"},
        UsageCase{{"--csv", "-", "--html", "-", "g.group"}, "--csv - と --html -"},
        UsageCase{{"--csv", "-", "--json", "-", "g.group"}, "--csv - と --json -"},
        UsageCase{{"--json", "", "g.group"}, "--json"},
        UsageCase{{"--by", "quarter", "g.group"}, "--by"},
        UsageCase{{"--by", "month", "--csv", "a.csv", "g.group"}, "--by は --json、--xlsx、--report か表示の表と使います"},
        UsageCase{{"--by", "week", "--html", "-", "g.group"}, "--by は --json、--xlsx、--report か表示の表と使います"},
        UsageCase{{"--colour", "g.group"}, "--colour"},
        UsageCase{{"a.group", "b.group"}, "b.group"}));

TEST(CliOptionsTest, ByNamesItsUnitAndGoesWithJsonOrTheTable) {
  const std::pair<const char*, PeriodUnit> units[] = {
      {"day", PeriodUnit::kDay}, {"week", PeriodUnit::kWeek}, {"month", PeriodUnit::kMonth},
      {"year", PeriodUnit::kYear}, {"fiscal-year", PeriodUnit::kFiscalYear}};
  for (const auto& [name, unit] : units) {
    const Parsed p = Parse({"--by", name, "g.group"});
    ASSERT_EQ(p.result, ParseResult::kProceed) << p.err;
    EXPECT_EQ(p.request.settings.breakdownUnit, unit) << name;
  }
  const Parsed withJson = Parse({"--by", "year", "--csv", "a.csv", "--json", "-", "g.group"});
  ASSERT_EQ(withJson.result, ParseResult::kProceed) << withJson.err;
  EXPECT_TRUE(withJson.request.json->toStdout);
  EXPECT_FALSE(Parse({"g.group"}).request.settings.breakdownUnit.has_value());
}

TEST(CliOptionsTest, HelpNamesEveryOptionInJapaneseAndEnglish) {
  const Parsed p = Parse({"--help"});
  EXPECT_EQ(p.result, ParseResult::kHelpShown);
  EXPECT_EQ(p.err, "");
  for (const char* part :
       {"GROUP_FILE", "--from", "--to", "--member", "--mode", "--type-file", "--band",
        "--content", "--exact", "--ignore-case-width", "--no-overlap", "--no-tentative",
        "--format", "--csv", "--html", "--json", "--by", "--version", "1. 合計時間", "2. 色別合計時間", "3. タイプ別合計時間",
        "4. 内容別合計時間", "hh時間mm分", "default", "既定"}) {
    EXPECT_NE(p.out.find(part), std::string::npos) << part;
  }
}

}  // namespace
}  // namespace tallyer::cli
