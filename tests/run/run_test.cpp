#include "run/run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <system_error>
#include <vector>

#include "data/cp932.h"
#include "run/diagnostic_log.h"
#include "run/group_loading.h"
#include "run/notices.h"
#include "run/stored_options.h"
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
using testing::ReadBytes;
using testing::RecordingRunHost;
using testing::RecordingUi;
using testing::ScheduleRecord;
using testing::TempDir;
using testing::WriteBytes;

using Writes = std::vector<std::pair<std::string, std::string>>;

constexpr std::uint32_t kRed = 0x0000FFu;
constexpr std::uint32_t kSky = 0xFF8000u;

std::string J(const char* utf8) { return Utf8ToCp932(utf8); }

const std::vector<int> kAllPositions{0, 10, 30, 40, 45, 50, 55, 65, 90, 0};
const std::vector<std::string> kSavedNames{"date1",   "date2",  "Cl",   "Everyone",
                                           "Combo",   "Time",   "String", "Same",
                                           "Overlap", "NoTemp", "Hankaku", "Format"};

std::vector<std::string> NamesOf(const Writes& writes) {
  std::vector<std::string> names;
  for (const auto& w : writes) names.push_back(w.first);
  return names;
}

ScheduleRecord Record(const char* key, const char* start, const char* end, std::uint32_t color,
                      const char* content, std::uint32_t flags = 0) {
  ScheduleRecord r;
  r.memberKey = key;
  r.start = At(start);
  r.end = At(end);
  r.color = color;
  r.content = J(content);
  r.flags = flags;
  return r;
}

// A group 営業部 of 田中 (tanaka), 鈴木 (suzuki) and the hidden 山田, with one
// month file for April 2005, loaded as the dialog loads it.
class RunTest : public ::testing::Test {
 protected:
  RunTest() : log_(dir_ / "no.log"), context_() {
    WriteBytes(dir_ / "Team.group", GroupFileBuilder()
                                        .Name(J("営業部"))
                                        .Add(J("田中"), "tanaka")
                                        .Add(J("鈴木"), "suzuki")
                                        .Add(J("山田"), "yamada", GroupFileBuilder::kHidden)
                                        .Build());
    WriteBytes(dir_ / "Team200504.sch", AprilMonth().Build());
    EXPECT_EQ(context_.group.ReadFile(dir_ / "Team.group"), std::nullopt);
    app_.htmlReportPath = dir_ / "Planwell_Output.html";
    settings_.groupPath = dir_ / "Team.group";
    settings_.everyone = true;
    settings_.firstDate = DateTime::FromParts(2005, 4, 1);
    settings_.lastDate = DateTime::FromParts(2005, 4, 30);
  }

  static MonthFileBuilder AprilMonth() {
    MonthFileBuilder month;
    month.Add(Record("tanaka", "2005-04-04 09:00", "2005-04-04 10:30", kRed, "会議"))
        .Add(Record("tanaka", "2005-04-05 13:00", "2005-04-05 14:00", kSky, "外出",
                    ScheduleRecord::kTentative))
        .Add(Record("suzuki", "2005-04-06 18:00", "2005-04-06 19:00", kRed, "会議"))
        .Add(Record("yamada", "2005-04-06 18:00", "2005-04-06 19:00", kRed, "会議"));
    return month;
  }

  RunOutcome RunWith(SettingsStore& store) { return tallyer::Run(settings_, context_, app_, store, host_); }
  RunOutcome RunOnce() { return RunWith(store_); }
  fs::path Csv() const { return dir_ / "out.csv"; }

  TempDir dir_;
  RecordingUi ui_;
  DiagnosticLog log_;
  TallyContext context_;
  AppValues app_;
  TallySettings settings_;
  MemorySettingsStore store_;
  RecordingRunHost host_;
};

const std::string kCsvHead =
    J("グループ名：営業部\r\n期間：2005年4月1日(金) ～ 2005年4月30日(土)\r\n");

// ----- refusals ---------------------------------------------------------------

struct RefusalCase {
  const char* name;
  void (*spoil)(TallySettings&);
  const char* message;  // UTF-8
};

class RunRefusal : public RunTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(RunRefusal, ShowsItsMessageAndChangesNothing) {
  settings_.outputPath = Csv();
  settings_.durationFormat = 3;
  context_.optionLines = "previous";
  WriteBytes(Csv(), "previous report");
  GetParam().spoil(settings_);
  EXPECT_EQ(RunOnce(), RunOutcome::kRefused);
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text, J(GetParam().message));
  EXPECT_EQ(host_.messages[0].kind, MessageKind::kExclamation);
  EXPECT_EQ(host_.progress, std::vector<int>{0});
  EXPECT_TRUE(store_.writes.empty());
  EXPECT_TRUE(host_.opened.empty());
  EXPECT_EQ(ReadBytes(Csv()), "previous report");
  EXPECT_FALSE(fs::exists(app_.htmlReportPath));
  EXPECT_EQ(app_.durationFormat, 0);
  EXPECT_EQ(context_.optionLines, "previous");
}

INSTANTIATE_TEST_SUITE_P(
    Checks, RunRefusal,
    ::testing::Values(
        RefusalCase{"BandEndsBeforeItStarts",
                    [](TallySettings& s) {
                      s.bandOnly = true;
                      s.bandStart = DateTime::FromParts(2000, 1, 1, 18, 0);
                      s.bandEnd = DateTime::FromParts(2000, 1, 1, 9, 0);
                    },
                    "日付範囲が不正です。"},
        RefusalCase{"BandComparedWithItsDate",
                    [](TallySettings& s) {
                      s.bandOnly = true;
                      s.bandStart = DateTime::FromParts(2000, 1, 2, 8, 0);
                      s.bandEnd = DateTime::FromParts(2000, 1, 1, 23, 0);
                    },
                    "日付範囲が不正です。"},
        RefusalCase{"PeriodEndsBeforeItStarts",
                    [](TallySettings& s) { std::swap(s.firstDate, s.lastDate); },
                    "日付範囲が不正です。"},
        RefusalCase{"PeriodComparedWithItsTimeOfDay",
                    [](TallySettings& s) {
                      s.firstDate = DateTime::FromParts(2005, 4, 10, 10, 0);
                      s.lastDate = DateTime::FromParts(2005, 4, 10, 9, 59);
                    },
                    "日付範囲が不正です。"},
        RefusalCase{"NoMemberSelected",
                    [](TallySettings& s) { s.everyone = false; },
                    "集計対象とするメンバーが選択されていません。"},
        RefusalCase{"TypeModeWithTheHintText",
                    [](TallySettings& s) { s.mode = kModeType; },
                    "タイプ別色情報ファイルを指定して下さい。"},
        RefusalCase{"TypeModeWithABareName",
                    [](TallySettings& s) {
                      s.mode = kModeType;
                      s.typeFilePath = "colors.type";
                    },
                    "タイプ別色情報ファイルを指定して下さい。"},
        RefusalCase{"ModeAboveTheList", [](TallySettings& s) { s.mode = 4; },
                    "集計モードを選択して下さい。"},
        RefusalCase{"NoModeSelected", [](TallySettings& s) { s.mode = -1; },
                    "集計モードを選択して下さい。"},
        // The checks come in their order: the first failure is the one shown.
        RefusalCase{"BandBeforeMembers",
                    [](TallySettings& s) {
                      s.everyone = false;
                      s.mode = 7;
                      s.bandOnly = true;
                      s.bandStart = DateTime::FromParts(2000, 1, 1, 18, 0);
                      s.bandEnd = DateTime::FromParts(2000, 1, 1, 9, 0);
                    },
                    "日付範囲が不正です。"},
        RefusalCase{"PeriodBeforeMembersTypeFileAndMode",
                    [](TallySettings& s) {
                      s.everyone = false;
                      s.mode = kModeType;
                      std::swap(s.firstDate, s.lastDate);
                    },
                    "日付範囲が不正です。"},
        RefusalCase{"MembersBeforeTypeFile",
                    [](TallySettings& s) {
                      s.everyone = false;
                      s.mode = kModeType;
                    },
                    "集計対象とするメンバーが選択されていません。"},
        RefusalCase{"MembersBeforeMode",
                    [](TallySettings& s) {
                      s.everyone = false;
                      s.mode = 9;
                    },
                    "集計対象とするメンバーが選択されていません。"}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

// ----- report targets that are files of the run --------------------------------

// The report would replace the group file, a month file or the type file: the
// run is refused before anything else, and the file keeps its bytes.
TEST_F(RunTest, NeverWritesOverTheFilesItReads) {
  WriteBytes(dir_ / "colors.type", J("会議\t255,0,0\r\n"));
  settings_.typeFilePath = dir_ / "colors.type";
  fs::create_hard_link(dir_ / "Team.group", dir_ / "group-link.csv");
  struct Target {
    fs::path csv;   // empty: the HTML report
    fs::path html;
    fs::path file;  // the file that must stay as it is
  };
  std::vector<Target> targets = {
      {dir_ / "group-link.csv", app_.htmlReportPath, dir_ / "Team.group"},
      {dir_ / ".." / dir_.Path().filename() / "Team200504.sch", app_.htmlReportPath, dir_ / "Team200504.sch"},
      {fs::path(), dir_ / "colors.type", dir_ / "colors.type"},
      {dir_ / "new.GROUP", app_.htmlReportPath, dir_ / "new.GROUP"},
  };
  // Where the system lets the test make symbolic links (not under Wine).
  std::error_code ec;
  fs::create_symlink(dir_ / "Team200504.sch", dir_ / "month-link.html", ec);
  if (!ec) targets.push_back({fs::path(), dir_ / "month-link.html", dir_ / "Team200504.sch"});
  for (const Target& t : targets) {
    SCOPED_TRACE(t.csv.string() + " " + t.html.string());
    const std::string before = ReadBytes(t.file);
    settings_.outputPath = t.csv;
    app_.htmlReportPath = t.html;
    context_.optionLines = "previous";
    // Two later checks would fail as well: the target is checked first.
    settings_.everyone = false;
    RecordingRunHost host;
    EXPECT_EQ(tallyer::Run(settings_, context_, app_, store_, host), RunOutcome::kRefused);
    const fs::path& given = t.csv.empty() ? t.html : t.csv;
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, given.string() + J(" は集計に使うファイルなので上書きできません。"));
    EXPECT_EQ(host.messages[0].kind, MessageKind::kExclamation);
    EXPECT_EQ(host.progress, std::vector<int>{0});
    EXPECT_TRUE(host.opened.empty());
    EXPECT_TRUE(store_.writes.empty());
    EXPECT_EQ(context_.optionLines, "previous");
    EXPECT_EQ(ReadBytes(t.file), before);
  }
  EXPECT_FALSE(fs::exists(dir_ / "new.GROUP"));
  EXPECT_FALSE(fs::exists(dir_ / "Planwell_Output.html"));
}

TEST_F(RunTest, TheTargetComesBeforeAnUnreadableTypeFile) {
  settings_.mode = kModeType;
  settings_.typeFilePath = dir_ / "missing.type";
  settings_.outputPath = dir_ / "Team.group";
  EXPECT_EQ(RunOnce(), RunOutcome::kRefused);
  settings_.outputPath = Csv();
  EXPECT_EQ(RunOnce(), RunOutcome::kUnreadableInput);
  ASSERT_EQ(host_.messages.size(), 2u);
  EXPECT_EQ(host_.messages[0].text, (dir_ / "Team.group").string() + J(" は集計に使うファイルなので上書きできません。"));
  EXPECT_EQ(host_.messages[1].text, J("タイプ別色情報ファイル ") + (dir_ / "missing.type").string() + J(" を読めません。"));
  EXPECT_FALSE(fs::exists(Csv()));
  EXPECT_TRUE(store_.writes.empty());
}

// ----- passing runs -------------------------------------------------------------

TEST_F(RunTest, CsvRunWritesTheReportAndSaysSo) {
  settings_.outputPath = Csv();
  EXPECT_EQ(RunOnce(), RunOutcome::kDone);
  EXPECT_EQ(ReadBytes(Csv()), kCsvHead + J("田中,2,2時間30分\r\n鈴木,1,1時間00分\r\n"));
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text, "\x8fo\x97\xcd\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42");
  EXPECT_EQ(host_.messages[0].kind, MessageKind::kInformation);
  EXPECT_TRUE(host_.opened.empty());
  EXPECT_FALSE(fs::exists(app_.htmlReportPath));
  // The message comes once the bar stands at 90, before it returns to 0.
  EXPECT_EQ(host_.events.end()[-3], "progress 90");
  EXPECT_EQ(host_.events.end()[-2], "message " + host_.messages[0].text);
  EXPECT_EQ(host_.events.end()[-1], "progress 0");
}

TEST_F(RunTest, HtmlRunWritesAndOpensThePage) {
  EXPECT_EQ(RunOnce(), RunOutcome::kDone);
  EXPECT_TRUE(host_.messages.empty());
  ASSERT_EQ(host_.opened, std::vector<fs::path>{app_.htmlReportPath});
  EXPECT_EQ(host_.events.end()[-2], "open " + app_.htmlReportPath.string());
  EXPECT_EQ(ReadBytes(app_.htmlReportPath),
            J("<html><head>\n"
              "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">\n"
              "<title>集計結果</title>\n"
              "<style type=\"text/css\">\n"
              "<!--\n"
              "table { border-collapse: collapse; border: none; }\n"
              "td { border: 1px solid gray; padding: 3px; vertical-align: top; }\n"
              "-->\n"
              "</style>\n"
              "</head>\n<body>\n"
              "グループ名：営業部<br>期間：2005年4月1日(金) ～ 2005年4月30日(土)<br>\n"
              "<table>\n"
              "<tr><td>田中</td><td>2件</td><td>2時間30分</td></tr>\n"
              "<tr><td>鈴木</td><td>1件</td><td>1時間00分</td></tr>\n"
              "</table>\n</body></html>"));
}

TEST_F(RunTest, APageTheDesktopCannotOpenIsToldWithItsPlace) {
  host_.openSucceeds = false;
  EXPECT_EQ(RunOnce(), RunOutcome::kDone);
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text, J("集計結果を ") + app_.htmlReportPath.string() +
                                        J(" に書き出しましたが、ブラウザーで開けませんでした。"));
  EXPECT_EQ(host_.messages[0].kind, MessageKind::kInformation);
  EXPECT_EQ(host_.events.end()[-3], "open " + app_.htmlReportPath.string());
  EXPECT_EQ(host_.events.end()[-1], "progress 0");
  EXPECT_TRUE(fs::exists(app_.htmlReportPath));
}

TEST_F(RunTest, ProgressMovesThroughEveryPositionWhateverTheOptions) {
  EXPECT_EQ(RunOnce(), RunOutcome::kDone);
  EXPECT_EQ(host_.progress, kAllPositions);
  RecordingRunHost second;
  settings_.contentOnly = settings_.bandOnly = settings_.noTentative = true;
  settings_.outputPath = Csv();
  EXPECT_EQ(tallyer::Run(settings_, context_, app_, store_, second), RunOutcome::kDone);
  EXPECT_EQ(second.progress, kAllPositions);
}

TEST_F(RunTest, SavesTheTwelveValuesInOrder) {
  settings_.contentText = J("会議");
  settings_.mode = kModeContent;
  settings_.noTentative = true;
  settings_.ignoreCaseWidth = true;
  settings_.durationFormat = 1;
  settings_.outputPath = Csv();
  EXPECT_EQ(RunOnce(), RunOutcome::kDone);
  EXPECT_EQ(store_.writes, (Writes{{"date1", "20050401"},
                                   {"date2", "20050430"},
                                   {"Cl", J("会議")},
                                   {"Everyone", "1"},
                                   {"Combo", "3"},
                                   {"Time", "0"},
                                   {"String", "0"},
                                   {"Same", "0"},
                                   {"Overlap", "0"},
                                   {"NoTemp", "1"},
                                   {"Hankaku", "1"},
                                   {"Format", "1"}}));
}

// Writes the month file of the period when the run saves its first value: its
// schedules reach the report only if the save comes before any file is read.
class MonthFileOnSave : public MemorySettingsStore {
 public:
  MonthFileOnSave(fs::path monthPath, std::string bytes)
      : monthPath_(std::move(monthPath)), bytes_(std::move(bytes)) {}
  void WriteText(const std::string& name, const std::string& value) override {
    if (writes.empty()) WriteBytes(monthPath_, bytes_);
    MemorySettingsStore::WriteText(name, value);
  }

 private:
  fs::path monthPath_;
  std::string bytes_;
};

TEST_F(RunTest, SavesBeforeAnyFileIsRead) {
  fs::remove(dir_ / "Team200504.sch");
  MonthFileOnSave store(dir_ / "Team200504.sch", AprilMonth().Build());
  settings_.outputPath = Csv();
  EXPECT_EQ(RunWith(store), RunOutcome::kDone);
  EXPECT_EQ(NamesOf(store.writes), kSavedNames);
  EXPECT_EQ(ReadBytes(Csv()), kCsvHead + J("田中,2,2時間30分\r\n鈴木,1,1時間00分\r\n"));
}

TEST_F(RunTest, CopiesFormatAndBandIntoTheApplicationValues) {
  settings_.durationFormat = 2;
  settings_.bandStart = DateTime::FromParts(2000, 1, 1, 9, 0);
  settings_.bandEnd = DateTime::FromParts(2000, 1, 1, 18, 0);
  settings_.outputPath = Csv();
  EXPECT_EQ(RunOnce(), RunOutcome::kDone);
  EXPECT_EQ(app_.durationFormat, 2);
  EXPECT_EQ(app_.bandStart, settings_.bandStart);
  EXPECT_EQ(app_.bandEnd, settings_.bandEnd);
  EXPECT_EQ(ReadBytes(Csv()), kCsvHead + J("田中,2,150分\r\n鈴木,1,60分\r\n"));
  // The band is not saved by a run; it waits for the program's exit.
  for (const auto& w : store_.writes) EXPECT_TRUE(w.first != "time1" && w.first != "time2");
}

TEST_F(RunTest, FiltersComeWithTheirOptionLines) {
  settings_.outputPath = Csv();
  settings_.contentOnly = true;
  settings_.contentText = J("会議");
  settings_.bandOnly = true;
  settings_.bandStart = DateTime::FromParts(2000, 1, 1, 9, 0);
  settings_.bandEnd = DateTime::FromParts(2000, 1, 1, 10, 0);
  EXPECT_EQ(RunOnce(), RunOutcome::kDone);
  EXPECT_EQ(context_.optionLines, ComposeOptionLines(settings_, true));
  EXPECT_EQ(ReadBytes(Csv()), kCsvHead + J("次の文字列を含む：会議\r\n"
                                           "次の時間帯のみ：9:00 ～ 10:00\r\n"
                                           "田中,1,1時間00分\r\n"
                                           "鈴木,0,0時間00分\r\n"));
}

TEST_F(RunTest, TentativeRegistrationsDroppedWhenAsked) {
  settings_.outputPath = Csv();
  settings_.noTentative = true;
  EXPECT_EQ(RunOnce(), RunOutcome::kDone);
  EXPECT_EQ(ReadBytes(Csv()), kCsvHead + J("田中,1,1時間30分\r\n鈴木,1,1時間00分\r\n"));
}

TEST_F(RunTest, OnlySelectedMembersUnlessEveryone) {
  settings_.outputPath = Csv();
  settings_.everyone = false;
  settings_.selectedKeys = {"suzuki"};
  EXPECT_EQ(RunOnce(), RunOutcome::kDone);
  EXPECT_EQ(ReadBytes(Csv()), kCsvHead + J("鈴木,1,1時間00分\r\n"));
  settings_.everyone = true;  // the selection no longer counts
  EXPECT_EQ(RunOnce(), RunOutcome::kDone);
  EXPECT_EQ(ReadBytes(Csv()), kCsvHead + J("田中,2,2時間30分\r\n鈴木,1,1時間00分\r\n"));
}

TEST_F(RunTest, AReversedBandIsNotCheckedWhileTheBandIsOff) {
  settings_.outputPath = Csv();
  settings_.bandStart = DateTime::FromParts(2000, 1, 1, 18, 0);
  settings_.bandEnd = DateTime::FromParts(2000, 1, 1, 9, 0);
  EXPECT_EQ(RunOnce(), RunOutcome::kDone);
  EXPECT_EQ(ReadBytes(Csv()), kCsvHead + J("田中,2,2時間30分\r\n鈴木,1,1時間00分\r\n"));
}

TEST_F(RunTest, APeriodOfOneInstantIsNotRefused) {
  settings_.outputPath = Csv();
  settings_.firstDate = settings_.lastDate = DateTime::FromParts(2005, 4, 4, 12, 0);
  EXPECT_EQ(RunOnce(), RunOutcome::kDone);
  EXPECT_EQ(ReadBytes(Csv()), J("グループ名：営業部\r\n期間：2005年4月4日(月) ～ 2005年4月4日(月)\r\n"
                                "田中,1,1時間30分\r\n鈴木,0,0時間00分\r\n"));
}

// The last day lies in the next month and its time of day is earlier than the
// first date's: it is still a day of the period, its month is read and its
// minutes count, overlaps too.
TEST_F(RunTest, ThePeriodsLastDayCountsWhateverItsTimeOfDay) {
  WriteBytes(dir_ / "Team200505.sch",
             MonthFileBuilder()
                 .Add(Record("tanaka", "2005-05-01 09:00", "2005-05-01 11:00", kRed, "会議"))
                 .Add(Record("tanaka", "2005-05-01 10:00", "2005-05-01 12:00", kRed, "会議"))
                 .Add(Record("tanaka", "2005-05-02 09:00", "2005-05-02 10:00", kRed, "会議"))
                 .Build());
  settings_.outputPath = Csv();
  settings_.firstDate = DateTime::FromParts(2005, 4, 6, 10, 0);
  settings_.lastDate = DateTime::FromParts(2005, 5, 1, 9, 0);
  const std::string head = J("グループ名：営業部\r\n期間：2005年4月6日(水) ～ 2005年5月1日(日)\r\n");
  EXPECT_EQ(RunOnce(), RunOutcome::kDone);
  EXPECT_EQ(ReadBytes(Csv()), head + J("田中,2,4時間00分\r\n鈴木,1,1時間00分\r\n"));
  settings_.noOverlap = true;
  EXPECT_EQ(RunOnce(), RunOutcome::kDone);
  EXPECT_EQ(ReadBytes(Csv()), head + J("田中,2,3時間00分\r\n鈴木,1,1時間00分\r\n"));
}

TEST_F(RunTest, EveryModeWritesItsRows) {
  settings_.outputPath = Csv();
  settings_.durationFormat = 3;
  settings_.mode = kModeColor;
  EXPECT_EQ(RunOnce(), RunOutcome::kDone);
  EXPECT_EQ(ReadBytes(Csv()), kCsvHead + J("田中,\"#ff0000\",1件,90\r\n,\"#0080ff\",1件,60\r\n"
                                           "鈴木,\"#ff0000\",1,60\r\n"));
  settings_.mode = kModeType;
  WriteBytes(dir_ / "colors.type", J("会議\t255,0,0\r\n"));
  settings_.typeFilePath = dir_ / "colors.type";
  EXPECT_EQ(RunOnce(), RunOutcome::kDone);
  EXPECT_EQ(ReadBytes(Csv()), kCsvHead + J("田中,\"#ff0000\",会議,1,90\r\n,\"#0080ff\",1件,60\r\n"
                                           "鈴木,\"#ff0000\",会議,1,60\r\n"));
  settings_.mode = kModeContent;
  EXPECT_EQ(RunOnce(), RunOutcome::kDone);
  EXPECT_EQ(ReadBytes(Csv()), kCsvHead + J("田中,会議,1,90\r\n,外出,1,60\r\n鈴木,会議,1,60\r\n"));
}

// A type colour file that was given but cannot be read would give a report
// without types that looks complete; an empty or malformed one is read.
TEST_F(RunTest, TypeModeRefusesATypeFileItCannotRead) {
  settings_.outputPath = Csv();
  settings_.durationFormat = 3;
  settings_.mode = kModeType;
  for (const fs::path& unreadable : {dir_ / "missing.type", dir_.Path()}) {
    settings_.typeFilePath = unreadable;
    RecordingRunHost host;
    EXPECT_EQ(tallyer::Run(settings_, context_, app_, store_, host), RunOutcome::kUnreadableInput);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              J("タイプ別色情報ファイル ") + unreadable.string() + J(" を読めません。"));
    EXPECT_EQ(host.messages[0].kind, MessageKind::kExclamation);
    EXPECT_TRUE(store_.writes.empty());
    EXPECT_FALSE(fs::exists(Csv()));
  }
  // Outside the type mode the file is not read, so not asked for.
  settings_.mode = kModeColor;
  EXPECT_EQ(RunOnce(), RunOutcome::kDone);
  settings_.mode = kModeType;
  WriteBytes(dir_ / "empty.type", "");
  settings_.typeFilePath = dir_ / "empty.type";
  EXPECT_EQ(RunOnce(), RunOutcome::kDone);
  EXPECT_EQ(ReadBytes(Csv()), kCsvHead + J("田中,\"#ff0000\",1件,90\r\n,\"#0080ff\",1件,60\r\n"
                                           "鈴木,\"#ff0000\",1,60\r\n"));
}

TEST_F(RunTest, UnknownDurationFormLeavesDurationsEmpty) {
  settings_.outputPath = Csv();
  settings_.durationFormat = -1;
  EXPECT_EQ(RunOnce(), RunOutcome::kDone);
  EXPECT_EQ(ReadBytes(Csv()), kCsvHead + J("田中,2,\r\n鈴木,1,\r\n"));
}

TEST_F(RunTest, ReplacesALongerReportCompletely) {
  settings_.outputPath = Csv();
  WriteBytes(Csv(), std::string(5000, 'z'));
  EXPECT_EQ(RunOnce(), RunOutcome::kDone);
  EXPECT_EQ(ReadBytes(Csv()), kCsvHead + J("田中,2,2時間30分\r\n鈴木,1,1時間00分\r\n"));
}

// ----- failed writes ----------------------------------------------------------

TEST_F(RunTest, FailedCsvWriteShowsOneMessageAndNoSuccess) {
  settings_.outputPath = dir_ / "missing" / "out.csv";
  EXPECT_EQ(RunOnce(), RunOutcome::kWriteFailed);
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text,
            Utf8ToCp932(settings_.outputPath.string() + " が見つかりませんでした。"));
  EXPECT_EQ(host_.messages[0].kind, MessageKind::kExclamation);
  EXPECT_EQ(host_.progress, kAllPositions);
  EXPECT_EQ(NamesOf(store_.writes), kSavedNames);  // saved although the report failed
}

TEST_F(RunTest, FailedHtmlWriteOpensNothing) {
  WriteBytes(dir_ / "plain", "x");
  app_.htmlReportPath = dir_ / "plain" / "Planwell_Output.html";
  EXPECT_EQ(RunOnce(), RunOutcome::kWriteFailed);
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text,
            Utf8ToCp932(app_.htmlReportPath.string() + " には無効なﾊﾟｽが含まれています。"));
  EXPECT_TRUE(host_.opened.empty());
  EXPECT_EQ(host_.progress, kAllPositions);
}

// ----- what the readers, the engine and the writer return ------------------------

// Each tells nothing itself; the driver tells what each returns, one message
// each, where the reader once told it: a damaged group when it is read, a
// faulty link while its month's chains are resolved (once per process), a
// failed write before the bar reaches 90. A damaged month stays silent.
TEST_F(RunTest, ProblemsOfEveryStepAreToldOnceEachInTheirPlace) {
  WriteBytes(log_.Path(), "");  // logging on
  const std::string group = ReadBytes(dir_ / "Team.group");
  WriteBytes(dir_ / "Cut.group", group.substr(0, group.size() - 3));
  CGroup damaged;
  EXPECT_FALSE(ReadGroupFile(damaged, dir_ / "Cut.group", host_, log_));
  EXPECT_FALSE(ReadGroupFile(damaged, dir_ / "Gone.group", host_, log_));

  const std::string may = MonthFileBuilder()
                              .Add(Record("tanaka", "2005-05-02 09:00", "2005-05-02 10:00", kRed, "会議"))
                              .Add(Record("tanaka", "2005-05-03 09:00", "2005-05-03 10:00", kRed, "会議"))
                              .Build();
  WriteBytes(dir_ / "Team200505.sch", may.substr(0, may.size() - 7));  // the second record cut
  for (const char* month : {"Team200506.sch", "Team200507.sch"}) {
    ScheduleRecord faulty = Record("suzuki", "2005-06-01 09:00", "2005-06-01 10:00", kRed, "会議");
    faulty.kind = 1;
    faulty.link = 5;
    WriteBytes(dir_ / month, MonthFileBuilder().Add(Record("suzuki", "2005-06-01 09:00",
                                                           "2005-06-01 10:00", kRed, "x"))
                                 .Add(faulty)
                                 .Build());
  }
  settings_.lastDate = DateTime::FromParts(2005, 7, 31);
  settings_.outputPath = dir_ / "missing" / "out.csv";
  EXPECT_EQ(RunOnce(), RunOutcome::kWriteFailed);

  const std::string malformed = J("ファイルの形式が正しくありません。");
  const std::string notFound = J("ファイル ") + Utf8ToCp932((dir_ / "Gone.group").string()) +
                               J(" が見つかりません。");
  const std::string faulty = J("致命的なエラー'1'がインデックス1スケジュールで起きました。");
  const std::string unwritten = Utf8ToCp932(settings_.outputPath.string() + " が見つかりませんでした。");
  // Every month is read under the busy cursor, and its chains resolved under another.
  const std::vector<std::string> month{"busy", "idle", "busy", "idle"};
  std::vector<std::string> expected{"busy", "message " + malformed, "idle",
                                    "busy", "message " + notFound, "idle",
                                    "progress 0", "progress 10"};
  // The bar advances after each month but the last, between 10 and 30.
  expected.insert(expected.end(), month.begin(), month.end());  // April
  expected.push_back("progress 15");
  expected.insert(expected.end(), month.begin(), month.end());  // May, cut short: silent
  expected.push_back("progress 20");
  expected.insert(expected.end(), {"busy", "idle", "busy", "message " + faulty, "idle"});  // June
  expected.push_back("progress 25");
  expected.insert(expected.end(), month.begin(), month.end());  // July: not told again
  expected.insert(expected.end(), {"progress 30", "progress 40", "progress 45", "progress 50",
                                   "progress 55", "progress 65", "message " + unwritten,
                                   "progress 90", "progress 0"});
  EXPECT_EQ(host_.events, expected);
  EXPECT_EQ(host_.busyDepth, 0);
  // Only the file error of the group is logged.
  const std::string logged = ReadBytes(log_.Path());
  EXPECT_EQ(std::count(logged.begin(), logged.end(), '\n'), 1) << logged;
  EXPECT_NE(logged.find("CGroup::ReadFile() ex->m_cause=2\r\n"), std::string::npos) << logged;
}

}  // namespace
}  // namespace tallyer
