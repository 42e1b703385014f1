// Runs the real tallyer-cli on group and month files written byte by byte and
// compares what it writes with the exact bytes the reports must hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "cli_process.h"
#include "data/cp932.h"
#include "support/archive_writer.h"
#include "support/temp_dir.h"
#include "support/text_match.h"

namespace tallyer::testing {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kSky = 0xFF8000;  // red 0, green 128, blue 255

std::string Sjis(const std::string& utf8) { return Utf8ToCp932(utf8); }

ScheduleRecord Entry(const char* from, const char* to, std::uint32_t color, const char* content,
                     const char* key) {
  ScheduleRecord r;
  r.start = At(from);
  r.end = At(to);
  r.color = color;
  r.content = Sjis(content);
  r.memberKey = key;
  return r;
}

const char* const kHtmlHead =
    "<html><head>\n"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">\n"
    "<title>集計結果</title>\n<style type=\"text/css\">\n<!--\n"
    "table { border-collapse: collapse; border: none; }\n"
    "td { border: 1px solid gray; padding: 3px; vertical-align: top; }\n"
    "-->\n</style>\n</head>\n<body>\n";
const char* const kHtmlTail = "</table>\n</body></html>";
const char* const kAprilLine = "期間：2005年4月1日(金) ～ 2005年4月30日(土)";

class CliProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* d : {"data", "tmp", "capture", "out"}) fs::create_directory(root_ / d);
    group_ = root_ / "data" / fs::u8path("営業部.group");
    WriteBytes(group_, GroupFileBuilder()
                           .Name(Sjis("営業部"))
                           .Add(Sjis("田中"), "tanaka")
                           .Add(Sjis("佐藤"), "sato", GroupFileBuilder::kHidden)
                           .Add(Sjis("山田"), "yamada", GroupFileBuilder::kDeleted)
                           .Add(Sjis("鈴木"), "suzuki")
                           .Build());
  }

  void WriteMonth(const char* yyyymm, const std::vector<ScheduleRecord>& records) {
    MonthFileBuilder month;
    for (const auto& r : records) month.Add(r);
    WriteBytes(root_ / "data" / fs::u8path(std::string("営業部") + yyyymm + ".sch"), month.Build());
  }

  // 田中: three schedules, 150 minutes; 鈴木: only one outside the period;
  // the hidden member's schedule is never counted.
  void WriteAprilOf150Minutes() {
    WriteMonth("200504", {Entry("2005-04-01 09:00", "2005-04-01 10:00", kRed, "会議", "tanaka"),
                          Entry("2005-04-05 13:00", "2005-04-05 13:30", kSky, "外出", "tanaka"),
                          Entry("2005-04-11 10:00", "2005-04-11 11:00", kRed, "会議", "tanaka"),
                          Entry("2005-04-12 10:00", "2005-04-12 11:00", kRed, "会議", "sato"),
                          Entry("2005-05-01 10:00", "2005-05-01 11:00", kRed, "会議", "suzuki")});
  }

  // 田中: two red schedules of 90 minutes in all and one sky-blue of 30.
  void WriteAprilOfTwoColours() {
    WriteMonth("200504", {Entry("2005-04-01 09:00", "2005-04-01 10:00", kRed, "会議", "tanaka"),
                          Entry("2005-04-05 13:00", "2005-04-05 13:30", kSky, "外出", "tanaka"),
                          Entry("2005-04-11 10:00", "2005-04-11 10:30", kRed, "会議", "tanaka")});
    WriteBytes(TypeFile(), Sjis("nopalette\r\n会議\t255,0,0\r\n"));
  }

  fs::path TypeFile() const { return root_ / "data" / fs::u8path("営業部.type"); }
  fs::path Out(const char* name) const { return root_ / "out" / name; }

  CliProcessResult Cli(std::vector<std::string> arguments, const fs::path& workDir = {}) {
    return RunCliProgram(arguments, workDir.empty() ? root_.Path() : workDir, root_ / "tmp",
                         root_ / "capture");
  }

  std::vector<std::string> April(std::vector<std::string> more) {
    std::vector<std::string> args{"--from", "2005-04-01", "--to", "2005-04-30"};
    args.insert(args.end(), more.begin(), more.end());
    args.push_back(testing::Utf8(group_));
    return args;
  }

  // Reports for standard output and the table pass through temporary files;
  // none may be left behind.
  void ExpectNoTemporaryFiles() {
    EXPECT_TRUE(fs::is_empty(root_ / "tmp"));
    for (const auto& entry : fs::directory_iterator(root_ / "out")) {
      const std::string name = testing::Utf8(entry.path().filename());
      EXPECT_TRUE(name == "report.csv" || name == "report.html" || name == "report.json") << name;
    }
  }

  TempDir root_;
  fs::path group_;
};

TEST_F(CliProgramTest, WritesTheTotalsCsvOfTheDesktopProgram) {
  WriteAprilOf150Minutes();
  const auto r = Cli(April({"--csv", testing::Utf8(Out("report.csv"))}));
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(ReadBytes(Out("report.csv")),
            Sjis(std::string("グループ名：営業部\r\n") + kAprilLine +
                 "\r\n田中,3,2時間30分\r\n鈴木,0,0時間00分\r\n"));
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "tallyer-cli: 出力しました。\n");
  ExpectNoTemporaryFiles();
}

TEST_F(CliProgramTest, TakesJapaneseArgumentsAsTyped) {
  WriteAprilOf150Minutes();
  // The folder and file names and the content text reach the program whole,
  // whatever code page the system has.
  fs::create_directory(root_ / "out" / fs::u8path("報告"));
  const auto r = Cli(April({"--content", "会議", "--csv", "out/報告/会議.csv"}));
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(Cp932ToUtf8(ReadBytes(root_ / "out" / fs::u8path("報告/会議.csv"))),
            std::string("グループ名：営業部\r\n") + kAprilLine + "\r\n次の文字列を含む：会議\r\n"
                "田中,2,2時間00分\r\n鈴木,0,0時間00分\r\n");
}

TEST_F(CliProgramTest, WritesTheTotalsHtmlToTheGivenPath) {
  WriteAprilOf150Minutes();
  const auto r = Cli(April({"--html", testing::Utf8(Out("report.html"))}));
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(ReadBytes(Out("report.html")),
            Sjis(std::string(kHtmlHead) + "グループ名：営業部<br>" + kAprilLine + "<br>\n<table>\n" +
                 "<tr><td>田中</td><td>3件</td><td>2時間30分</td></tr>\n"
                 "<tr><td>鈴木</td><td>0件</td><td>0時間00分</td></tr>\n" + kHtmlTail));
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "");
}

TEST_F(CliProgramTest, WritesBothTypeReportsInOneCall) {
  WriteAprilOfTwoColours();
  const auto r = Cli(April({"--mode", "3", "--type-file", testing::Utf8(TypeFile()), "--csv",
                            testing::Utf8(Out("report.csv")), "--html", testing::Utf8(Out("report.html"))}));
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(ReadBytes(Out("report.csv")),
            Sjis(std::string("グループ名：営業部\r\n") + kAprilLine + "\r\n" +
                 "田中,\"#ff0000\",会議,2,1時間30分\r\n"
                 ",\"#0080ff\",1件,0時間30分\r\n"
                 "鈴木,\"#ff0000\",会議,0,0時間00分\r\n"));
  EXPECT_EQ(ReadBytes(Out("report.html")),
            Sjis(std::string(kHtmlHead) + "グループ名：営業部<br>" + kAprilLine + "<br>\n<table>\n" +
                 "<tr><td rowspan=2>田中</td><td bgcolor=\"#ff0000\"><font color=white>会議</font>"
                 "</td><td>2件</td><td>1時間30分</td></tr>\n"
                 "<tr><td bgcolor=\"#0080ff\">&nbsp;&nbsp;&nbsp;</td><td>1件</td>"
                 "<td>0時間30分</td></tr>\n"
                 "<tr><td>鈴木</td><td bgcolor=\"#ff0000\"><font color=white>会議</font></td>"
                 "<td>0件</td><td>0時間00分</td></tr>\n" + kHtmlTail));
  EXPECT_EQ(r.err, "tallyer-cli: 出力しました。\n");
}


TEST_F(CliProgramTest, FindsMonthFilesFromARelativeGroupPathAndAnyTypeFilePath) {
  WriteAprilOfTwoColours();
  const auto r = Cli({"--from", "2005-04-01", "--to", "2005-04-30", "--mode", "3", "--type-file",
                      "営業部.type", "--csv", "-", "営業部.group"},
                     root_ / "data");
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_NE(r.out.find(Sjis("田中,\"#ff0000\",会議,2,1時間30分\r\n")), std::string::npos);
}

TEST_F(CliProgramTest, DashSendsTheCsvBytesToStandardOutput) {
  WriteAprilOf150Minutes();
  const auto r = Cli(April({"--csv", "-"}));
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(r.out, Sjis(std::string("グループ名：営業部\r\n") + kAprilLine +
                        "\r\n田中,3,2時間30分\r\n鈴木,0,0時間00分\r\n"));
  EXPECT_EQ(r.err, "");
  ExpectNoTemporaryFiles();
}

TEST_F(CliProgramTest, DashSendsTheHtmlBytesToStandardOutputBesideACsvFile) {
  WriteAprilOf150Minutes();
  const auto r = Cli(April({"--format", "1", "--html", "-", "--csv", testing::Utf8(Out("report.csv"))}));
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(r.out, Sjis(std::string(kHtmlHead) + "グループ名：営業部<br>" + kAprilLine +
                        "<br>\n<table>\n<tr><td>田中</td><td>3件</td><td>2:30</td></tr>\n"
                        "<tr><td>鈴木</td><td>0件</td><td>0:00</td></tr>\n" + kHtmlTail));
  EXPECT_EQ(ReadBytes(Out("report.csv")),
            Sjis(std::string("グループ名：営業部\r\n") + kAprilLine +
                 "\r\n田中,3,2:30\r\n鈴木,0,0:00\r\n"));
  EXPECT_EQ(r.err, "tallyer-cli: 出力しました。\n");
  ExpectNoTemporaryFiles();
}

TEST_F(CliProgramTest, PrintsAnAlignedTableWithoutReportOptions) {
  WriteAprilOf150Minutes();
  const auto r = Cli(April({}));
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(r.out, std::string("グループ名：営業部\n") + kAprilLine + "\n\n" +
                       "メンバー  件数       時間\n"
                       "--------  ----  ---------\n"
                       "田中         3  2時間30分\n"
                       "鈴木         0  0時間00分\n");
  EXPECT_EQ(r.err, "");
  ExpectNoTemporaryFiles();
}

TEST_F(CliProgramTest, TableOfContentsShowsTheFilterLinesAndTheChosenMembers) {
  ScheduleRecord tentative = Entry("2005-04-20 09:00", "2005-04-20 12:00", kRed, "会議", "tanaka");
  tentative.flags = ScheduleRecord::kTentative;
  WriteMonth("200504",
             {Entry("2005-04-01 08:00", "2005-04-01 10:00", kRed, "定例会議", "tanaka"),
              Entry("2005-04-02 17:00", "2005-04-02 19:00", kRed, "会議", "tanaka"), tentative,
              Entry("2005-04-03 10:00", "2005-04-03 11:00", kSky, "外出", "tanaka"),
              Entry("2005-04-04 10:00", "2005-04-04 10:45", kRed, "ｶｲｷﾞ", "suzuki")});
  const auto r = Cli(April({"--mode", "4", "--content", "会議", "--band", "09:00-18:00",
                            "--no-tentative", "--format", "2", "--member", "tanaka"}));
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(r.out, std::string("グループ名：営業部\n") + kAprilLine + "\n" +
                       "次の文字列を含む：会議\n"
                       "次の時間帯のみ：9:00 ～ 18:00\n\n"
                       "メンバー  内容      件数  時間\n"
                       "--------  --------  ----  ----\n"
                       "田中      定例会議     1  60分\n"
                       "          会議         1  60分\n");
}

TEST_F(CliProgramTest, ShowsTheFaultyLinkMessageOnceForBothReports) {
  ScheduleRecord faulty = Entry("2005-04-02 09:00", "2005-04-02 10:00", kRed, "会議", "tanaka");
  faulty.kind = 1;
  faulty.link = 5;  // names no earlier record
  WriteMonth("200504",
             {Entry("2005-04-01 09:00", "2005-04-01 10:00", kRed, "会議", "tanaka"), faulty});
  const auto r = Cli(April({"--csv", "-", "--html", testing::Utf8(Out("report.html"))}));
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(r.err, "tallyer-cli: 致命的なエラー'1'がインデックス1スケジュールで起きました。\n");
  EXPECT_NE(r.out.find(Sjis("田中,2,2時間00分\r\n")), std::string::npos);
}

// The last day lies in the next month and starts earlier in the day than the
// first date: its month file is read and its schedules and minutes count.
TEST_F(CliProgramTest, APeriodCoversItsLastDayWhateverTheTimeOfDay) {
  WriteMonth("201207", {Entry("2012-07-27 09:00", "2012-07-27 10:00", kRed, "会議", "tanaka"),
                        Entry("2012-07-26 09:00", "2012-07-26 10:00", kRed, "会議", "suzuki")});
  WriteMonth("201208", {Entry("2012-08-01 10:00", "2012-08-01 12:00", kRed, "会議", "tanaka"),
                        Entry("2012-08-01 11:00", "2012-08-01 13:00", kRed, "会議", "tanaka"),
                        Entry("2012-08-02 10:00", "2012-08-02 11:00", kRed, "会議", "suzuki")});
  const std::string head = "グループ名：営業部\r\n期間：2012年7月27日(金) ～ 2012年8月1日(水)\r\n";
  const std::vector<std::string> period{"--from", "2012-07-27T10:00", "--to", "2012-08-01T09:00",
                                        "--format", "3", "--csv", "-", group_.string()};
  auto r = Cli(period);
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(r.out, Sjis(head + "田中,3,300\r\n鈴木,0,0\r\n"));
  std::vector<std::string> noOverlap{"--no-overlap"};
  noOverlap.insert(noOverlap.end(), period.begin(), period.end());
  r = Cli(noOverlap);
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(r.out, Sjis(head + "田中,3,240\r\n鈴木,0,0\r\n"));
}

// A report of zeros for a period that holds no day would read as real.
TEST_F(CliProgramTest, AReversedPeriodIsRefusedWithoutReport) {
  WriteAprilOf150Minutes();
  for (const auto& [from, to] : {std::pair{"2005-04-30", "2005-04-01"},
                                 std::pair{"2005-04-10T10:00", "2005-04-10T09:59:59"}}) {
    const auto r = Cli({"--from", from, "--to", to, "--csv", Out("report.csv").string(),
                        "--html", Out("report.html").string(), group_.string()});
    EXPECT_EQ(r.exitStatus, 2) << from;
    EXPECT_EQ(r.err, "tallyer-cli: 日付範囲が不正です。\n");
    EXPECT_TRUE(fs::is_empty(root_ / "out"));
  }
}

struct RefusalCase {
  const char* name;
  std::vector<std::string> arguments;
  const char* message;  // the whole of standard error
};

class CliRefusalTest : public CliProgramTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(CliRefusalTest, ExitsWithTwoAndWritesNothing) {
  WriteAprilOf150Minutes();
  std::vector<std::string> args = GetParam().arguments;
  args.push_back("--csv");
  args.push_back(testing::Utf8(Out("report.csv")));
  const auto r = Cli(April(args));
  EXPECT_EQ(r.exitStatus, 2);
  EXPECT_EQ(r.err, GetParam().message);
  EXPECT_EQ(r.out, "");
  EXPECT_FALSE(fs::exists(Out("report.csv")));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliRefusalTest,
    ::testing::Values(
        RefusalCase{"BandStartAfterEnd", {"--band", "18:00-09:00"},
                    "tallyer-cli: 日付範囲が不正です。\n"},
        RefusalCase{"TypeModeWithoutTypeFile", {"--mode", "3"},
                    "tallyer-cli: タイプ別色情報ファイルを指定して下さい。\n"},
        RefusalCase{"UnknownMember", {"--member", "tanaka", "--member", "伊藤"},
                    "tallyer-cli: メンバー \"伊藤\" はグループにいません。 (no visible member has "
                    "this key)\n--member に指定できるキー / keys:\n  tanaka (田中)\n  suzuki (鈴木)\n"},
        RefusalCase{"HiddenMember", {"--member", "sato"},
                    "tallyer-cli: メンバー \"sato\" はグループにいません。 (no visible member has "
                    "this key)\n--member に指定できるキー / keys:\n  tanaka (田中)\n  suzuki (鈴木)\n"},
        RefusalCase{"UsageError", {"--mode", "9"},
                    "tallyer-cli: --mode: Value 9 not in range 1 to 4\n"
                    "使い方は tallyer-cli --help で表示します。 (see --help)\n"}),
    [](const auto& info) { return info.param.name; });

TEST_F(CliProgramTest, AMissingGroupFileIsAFileError) {
  const fs::path missing = root_ / "data" / fs::u8path("人事部.group");
  const auto r = Cli({"--csv", testing::Utf8(Out("report.csv")), testing::Utf8(missing)});
  EXPECT_EQ(r.exitStatus, 1);
  EXPECT_EQ(r.err, "tallyer-cli: ファイル " + testing::Utf8(missing) + " が見つかりません。\n");
  EXPECT_FALSE(fs::exists(Out("report.csv")));
}

TEST_F(CliProgramTest, ATruncatedGroupFileIsAFileErrorWithoutTable) {
  const std::string bytes = ReadBytes(group_);
  WriteBytes(group_, bytes.substr(0, bytes.size() - 3));
  const auto r = Cli(April({}));
  EXPECT_EQ(r.exitStatus, 1);
  EXPECT_EQ(r.err, "tallyer-cli: ファイルの形式が正しくありません。\n");
  EXPECT_EQ(r.out, "");
}

// A mistyped --type-file would otherwise give a report without any type name
// and a status of success.
TEST_F(CliProgramTest, ATypeFileThatCannotBeReadIsAFileErrorWithoutReport) {
  WriteAprilOfTwoColours();
  for (const fs::path& unreadable : {root_ / "data" / fs::u8path("人事部.type"), root_ / "data"}) {
    const auto r = Cli(April({"--mode", "3", "--type-file", testing::Utf8(unreadable), "--csv",
                              testing::Utf8(Out("report.csv"))}));
    EXPECT_EQ(r.exitStatus, 1) << unreadable;
    EXPECT_EQ(r.err, "tallyer-cli: タイプ別色情報ファイル " + testing::Utf8(unreadable) +
                         " を読めません。 (cannot read the type colour file)\n");
    EXPECT_FALSE(fs::exists(Out("report.csv")));
  }
  // Outside the type mode the file is not used, as in the window.
  const auto r = Cli(April({"--type-file", "人事部.type", "--csv", testing::Utf8(Out("report.csv"))}));
  EXPECT_EQ(r.exitStatus, 0) << r.err;
}

TEST_F(CliProgramTest, AReportThatCannotBeWrittenIsAFileErrorWithoutSuccess) {
  WriteAprilOf150Minutes();
  const auto r = Cli(April({"--csv", testing::Utf8(root_ / "no-such-folder" / "report.csv")}));
  EXPECT_EQ(r.exitStatus, 1);
  EXPECT_EQ(r.err.find("出力しました。"), std::string::npos) << r.err;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  EXPECT_NE(r.err.find("no-such-folder"), std::string::npos) << r.err;
}

// A POSIX path can hold any bytes; JSON holds UTF-8 only.
TEST_F(CliProgramTest, JsonGoesToStandardOutputWithBadPathBytesReplaced) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows file names are UTF-16: no byte can be bad";
#endif
  WriteAprilOfTwoColours();
  const std::string name = std::string("bad\xff") + ".type";
  fs::copy_file(TypeFile(), root_ / "data" / name);
  const auto r = Cli({"--from", "2005-04-01", "--to", "2005-04-30", "--mode", "3", "--type-file", name,
                      "--json", "-", "--csv", Out("report.csv").string(), "営業部.group"},
                     root_ / "data");
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_NE(r.out.find("\"typeFile\": \"bad\xef\xbf\xbd.type\""), std::string::npos) << r.out;
  EXPECT_EQ(r.out.substr(0, 2), "{\n");
  EXPECT_EQ(r.out.substr(r.out.size() - 2), "}\n");
  EXPECT_EQ(r.err, "tallyer-cli: 出力しました。\n");
  EXPECT_TRUE(fs::exists(Out("report.csv")));
  ExpectNoTemporaryFiles();
}

TEST_F(CliProgramTest, OnlyOneOutputMayGoToStandardOutput) {
  WriteAprilOf150Minutes();
  const auto r = Cli(April({"--html", "-", "--json", "-"}));
  EXPECT_EQ(r.exitStatus, 2);
  EXPECT_EQ(r.err.find("tallyer-cli: --html - と --json - は同時に指定できません。"), 0u) << r.err;
  EXPECT_EQ(r.out, "");
  const auto page = Cli(April({"--report", "-", "--csv", "-"}));
  EXPECT_EQ(page.exitStatus, 2);
  EXPECT_EQ(page.err.find("tallyer-cli: --csv - と --report - は同時に指定できません。"), 0u) << page.err;
}

// The summary page is the same bytes in a file and on standard output; the
// classic reports beside it are untouched by it.
TEST_F(CliProgramTest, SummaryPageGoesToAFileOrStandardOutputAlike) {
  WriteAprilOf150Minutes();
  const auto file = Cli(April({"--report", Out("report.html").string(), "--csv", Out("report.csv").string()}));
  EXPECT_EQ(file.exitStatus, 0) << file.err;
  EXPECT_EQ(file.err, "tallyer-cli: 出力しました。\n");
  const auto out = Cli(April({"--report", "-"}));
  EXPECT_EQ(out.exitStatus, 0) << out.err;
  EXPECT_EQ(out.err, "");
  const std::string page = ReadBytes(Out("report.html"));
  // All but the time it was made, which may have moved on a minute.
  const auto timeless = [](const std::string& html) {
    const std::size_t made = html.find("<p class=\"made\">");
    return made == std::string::npos ? html : html.substr(0, made) + html.substr(html.find("</p>", made));
  };
  EXPECT_EQ(timeless(out.out), timeless(page));
  EXPECT_EQ(page.rfind("<!DOCTYPE html>\n", 0), 0u);
  EXPECT_NE(page.find("<h1>営業部</h1>"), std::string::npos);
  EXPECT_EQ(ReadBytes(Out("report.csv")),
            Sjis(std::string("グループ名：営業部\r\n") + kAprilLine +
                 "\r\n田中,3,2時間30分\r\n鈴木,0,0時間00分\r\n"));
  ExpectNoTemporaryFiles();
}

// The CSV failing leaves the HTML and the JSON written, and the status says so.
TEST_F(CliProgramTest, AnOutputThatCannotBeWrittenLeavesTheOthersWritten) {
  WriteAprilOf150Minutes();
  const auto r = Cli(April({"--csv", (root_ / "no-such-folder" / "r.csv").string(), "--html",
                            Out("report.html").string(), "--json", Out("report.json").string()}));
  EXPECT_EQ(r.exitStatus, 1);
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  EXPECT_TRUE(fs::exists(Out("report.html")));
  EXPECT_TRUE(fs::exists(Out("report.json")));
}

TEST_F(CliProgramTest, VersionNeedsNoGroupFile) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--version"}, std::vector<std::string>{"--version", "missing.group"}}) {
    const auto r = Cli(args);
    EXPECT_EQ(r.exitStatus, 0);
    EXPECT_EQ(r.out, "tallyer-cli 2.0.0\n");
    EXPECT_EQ(r.err, "");
  }
}

TEST_F(CliProgramTest, HelpExitsWithZero) {
  const auto r = Cli({"--help"});
  EXPECT_EQ(r.exitStatus, 0);
  EXPECT_NE(r.out.find("Usage: tallyer-cli [OPTIONS] GROUP_FILE"), std::string::npos);
  EXPECT_EQ(r.err, "");
}

}  // namespace
}  // namespace tallyer::testing
