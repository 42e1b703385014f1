// The real tallyer-cli refusing report targets that are files of the
// scheduler or of the run, and taking its checks in their written order.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <system_error>
#include <string>
#include <vector>

#include "cli_process.h"
#include "data/cp932.h"
#include "data/month_file.h"
#include "support/archive_writer.h"
#include "support/temp_dir.h"
#include "support/text_match.h"

namespace tallyer::testing {
namespace {

namespace fs = std::filesystem;

const char* const kNotOverwritten = " は集計に使うファイルなので上書きできません。\n";

ScheduleRecord Entry(const char* from, const char* to) {
  ScheduleRecord r;
  r.start = At(from);
  r.end = At(to);
  r.color = 0x0000FF;
  r.content = Utf8ToCp932("会議");
  r.memberKey = "tanaka";
  return r;
}

// data/営業部.group with 田中 (tanaka), a month file inside the period (April
// 2005) and one outside it, and the type file; the program runs in the root.
class ReportTargetsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* d : {"data", "tmp", "capture", "out"}) fs::create_directory(root_ / d);
    WriteBytes(Group(), GroupFileBuilder().Name(Utf8ToCp932("営業部")).Add(Utf8ToCp932("田中"), "tanaka").Build());
    WriteBytes(MonthFilePath(Group(), 2005, 4),
               MonthFileBuilder().Add(Entry("2005-04-01 09:00", "2005-04-01 10:00")).Build());
    WriteBytes(MonthFilePath(Group(), 2010, 1),
               MonthFileBuilder().Add(Entry("2010-01-04 09:00", "2010-01-04 10:00")).Build());
    WriteBytes(Type(), Utf8ToCp932("会議\t255,0,0\r\n"));
  }

  fs::path Group() const { return root_ / "data" / fs::u8path("営業部.group"); }
  fs::path Type() const { return root_ / "data" / fs::u8path("営業部.type"); }
  fs::path Out(const char* name) const { return root_ / "out" / name; }

  CliProcessResult Cli(std::vector<std::string> more, const std::string& group = "data/営業部.group") {
    std::vector<std::string> args;
    if (std::find(more.begin(), more.end(), "--from") == more.end())
      args = {"--from", "2005-04-01", "--to", "2005-04-30"};
    args.insert(args.end(), more.begin(), more.end());
    args.push_back(group);
    return RunCliProgram(args, root_.Path(), root_ / "tmp", root_ / "capture");
  }

  TempDir root_;
};

struct TargetCase {
  const char* name;
  const char* option;  // --csv, --html or --report
  const char* target;  // relative to the root, or "ABS:" + that for the absolute path
  const char* file;    // the file that must keep its bytes (relative to the root)
  const char* link;    // "sym" or "hard": the target is made a link to `file`
};

class ProtectedTargetTest : public ReportTargetsTest, public ::testing::WithParamInterface<TargetCase> {};

TEST_P(ProtectedTargetTest, IsRefusedWithStatusTwoAndNothingWritten) {
  const TargetCase& c = GetParam();
  const fs::path file = root_ / c.file;
  std::string target = c.target;
  fs::path targetPath = root_ / target;
  if (target.rfind("ABS:", 0) == 0) {
    targetPath = root_ / target.substr(4);
    target = Utf8(targetPath);
  }
  if (std::string(c.link) == "sym") {
    std::error_code ec;
    fs::create_symlink(file, targetPath, ec);
    if (ec) GTEST_SKIP() << "no symbolic links here (Wine, or Windows without the right)";
  }
  if (std::string(c.link) == "hard") fs::create_hard_link(file, targetPath);
  const bool existed = fs::exists(file);
  const std::string before = existed ? ReadBytes(file) : std::string();

  // The other report would be written second; it must not be written either.
  const bool csv = std::string(c.option) == "--csv";
  const auto r = Cli({"--type-file", "data/営業部.type", c.option, target, csv ? "--html" : "--csv",
                      Out(csv ? "report.html" : "report.csv").string()});
  EXPECT_EQ(r.exitStatus, 2);
  EXPECT_EQ(r.err, "tallyer-cli: " + target + kNotOverwritten);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(fs::exists(file), existed);
  if (existed) {
    EXPECT_EQ(ReadBytes(file), before);
  }
  // Only the link the case made, if any, lies in the reports' folder.
  const auto made = std::distance(fs::directory_iterator(root_ / "out"), fs::directory_iterator());
  EXPECT_EQ(made, std::string(c.link).empty() ? 0 : 1);
  EXPECT_FALSE(fs::exists(Out("report.html")));
  EXPECT_FALSE(fs::exists(Out("report.csv")));
  EXPECT_TRUE(fs::is_empty(root_ / "tmp"));
}

INSTANTIATE_TEST_SUITE_P(
    EachWayOfNaming, ProtectedTargetTest,
    ::testing::Values(
        TargetCase{"GroupRelative", "--csv", "data/営業部.group", "data/営業部.group", ""},
        TargetCase{"GroupAbsolute", "--html", "ABS:data/営業部.group", "data/営業部.group", ""},
        TargetCase{"GroupThroughDotDot", "--csv", "out/../data/営業部.group", "data/営業部.group", ""},
        TargetCase{"GroupBySymbolicLink", "--csv", "out/link.csv", "data/営業部.group", "sym"},
        TargetCase{"GroupByHardLink", "--html", "out/hard.html", "data/営業部.group", "hard"},
        TargetCase{"MonthInsideThePeriod", "--csv", "data/営業部200504.sch", "data/営業部200504.sch", ""},
        TargetCase{"MonthInsideByHardLink", "--csv", "out/hard.csv", "data/営業部200504.sch", "hard"},
        TargetCase{"MonthOutsideThePeriod", "--html", "ABS:data/営業部201001.sch", "data/営業部201001.sch", ""},
        TargetCase{"MonthOutsideBySymbolicLink", "--html", "out/link.html", "data/営業部201001.sch", "sym"},
        TargetCase{"MonthOutsideByHardLink", "--csv", "out/hard.csv", "data/営業部201001.sch", "hard"},
        TargetCase{"TypeFileThroughDotDot", "--csv", "data/../data/営業部.type", "data/営業部.type", ""},
        TargetCase{"TypeFileByHardLink", "--html", "out/hard.html", "data/営業部.type", "hard"},
        TargetCase{"NameRuleInAnyCaseNotExisting", "--csv", "out/new.GROUP", "out/new.GROUP", ""},
        TargetCase{"NameRuleSch", "--html", "out/report.Sch", "out/report.Sch", ""},
        TargetCase{"NameRuleType", "--csv", "ABS:out/x.TYPE", "out/x.TYPE", ""},
        TargetCase{"GroupAsSummaryPage", "--report", "data/営業部.group", "data/営業部.group", ""},
        TargetCase{"MonthAsSummaryPageBySymbolicLink", "--report", "out/link.html",
                   "data/営業部200504.sch", "sym"},
        TargetCase{"NameRuleAsSummaryPage", "--report", "out/page.type", "out/page.type", ""}),
    [](const auto& info) { return info.param.name; });

TEST_F(ReportTargetsTest, OtherTargetsAreWrittenAsBefore) {
  const auto r = Cli({"--type-file", "data/営業部.type", "--csv", "out/営業部.csv", "--html",
                      "data/営業部.html"});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_TRUE(fs::exists(root_ / "out" / fs::u8path("営業部.csv")));
  EXPECT_TRUE(fs::exists(root_ / "data" / fs::u8path("営業部.html")));
}

// ----- the order of the checks ---------------------------------------------------

struct OrderCase {
  const char* name;
  std::vector<std::string> arguments;
  const char* group;  // the group file argument
  int status;
  const char* err;    // the start of standard error
};

class CheckOrderTest : public ReportTargetsTest, public ::testing::WithParamInterface<OrderCase> {};

TEST_P(CheckOrderTest, TheEarlierCheckSpeaks) {
  std::vector<std::string> args = GetParam().arguments;
  args.insert(args.end(), {"--html", Out("report.html").string()});
  const auto r = Cli(args, GetParam().group);
  EXPECT_EQ(r.exitStatus, GetParam().status);
  EXPECT_EQ(r.err.substr(0, std::string(GetParam().err).size()), GetParam().err) << r.err;
  EXPECT_FALSE(fs::exists(Out("report.html")));
}

INSTANTIATE_TEST_SUITE_P(
    TwoFailuresAtOnce, CheckOrderTest,
    ::testing::Values(
        OrderCase{"UsageBeforeTarget", {"--mode", "9", "--csv", "data/営業部.group"}, "data/営業部.group", 2,
                  "tallyer-cli: --mode: Value 9 not in range 1 to 4\n"},
        OrderCase{"TargetBeforeGroupFile", {"--csv", "x.sch"}, "data/人事部.group", 2,
                  "tallyer-cli: x.sch は集計に使うファイルなので上書きできません。\n"},
        OrderCase{"GroupFileBeforeMember", {"--member", "nobody"}, "data/人事部.group", 1,
                  "tallyer-cli: ファイル data/人事部.group が見つかりません。\n"},
        OrderCase{"MemberBeforeTypeFile", {"--member", "nobody", "--mode", "3", "--type-file", "data/無い.type"},
                  "data/営業部.group", 2, "tallyer-cli: メンバー \"nobody\" はグループにいません。"},
        OrderCase{"TypeFileBeforePeriod",
                  {"--mode", "3", "--type-file", "data", "--from", "2005-04-30", "--to", "2005-04-01"},
                  "data/営業部.group", 1, "tallyer-cli: タイプ別色情報ファイル "},
        OrderCase{"BandBeforePeriod", {"--band", "18:00-09:00", "--from", "2005-04-30", "--to", "2005-04-01"},
                  "data/営業部.group", 2, "tallyer-cli: 日付範囲が不正です。\n"}),
    [](const auto& info) { return info.param.name; });

// A target that cannot be written gives its message and status 1; the other
// target is written all the same.
TEST_F(ReportTargetsTest, AnUnwritableTargetLeavesTheOtherWritten) {
  const auto r = Cli({"--csv", (root_ / "missing" / "report.csv").string(), "--html", Out("report.html").string()});
  EXPECT_EQ(r.exitStatus, 1);
  EXPECT_NE(r.err.find("missing"), std::string::npos) << r.err;
  EXPECT_TRUE(fs::exists(Out("report.html")));
}

}  // namespace
}  // namespace tallyer::testing
