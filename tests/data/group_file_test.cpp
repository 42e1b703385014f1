#include "data/group.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>

#include "data/cp932.h"
#include "data/file_error.h"
#include "data/month_file.h"
#include "run/diagnostic_log.h"
#include "run/group_loading.h"
#include "support/text_match.h"
#include "support/archive_writer.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"

namespace tallyer {
namespace {

using testing::GroupFileBuilder;
using testing::MemberRecord;
using testing::RecordingUi;
using testing::TempDir;

std::string J(const char* utf8) { return Utf8ToCp932(utf8); }

const std::string kMalformed = J("ファイルの形式が正しくありません。");

class GroupFileTest : public ::testing::Test {
 protected:
  // Reads the group as the programs do, telling the recording UI and the log.
  bool Read(const std::filesystem::path& path) { return ReadGroupFile(group_, path, ui_, log_); }

  std::filesystem::path Write(const std::string& bytes, const std::string& name = "team.group") {
    const auto path = dir_ / name;
    testing::WriteBytes(path, bytes);
    return path;
  }

  // The only message shown, or a failure when there was not exactly one.
  RecordingUi::Message OnlyMessage() const {
    EXPECT_EQ(ui_.messages.size(), 1u);
    return ui_.messages.empty() ? RecordingUi::Message{"", MessageKind::kInformation} : ui_.messages[0];
  }

  std::vector<std::string> Keys() const {
    std::vector<std::string> keys;
    for (const CMember& m : group_.Members()) keys.push_back(m.key);
    return keys;
  }

  TempDir dir_;
  RecordingUi ui_;
  DiagnosticLog log_{dir_ / "zanbo.log"};  // absent, so logging is off unless a test creates it
  CGroup group_;
};

TEST_F(GroupFileTest, ReadsTheHeaderAndEveryMemberField) {
  const auto path = Write(GroupFileBuilder()
                              .LeadWord(0x12345678)
                              .Name(J("開発部"))
                              .GroupStrings({J("メモ")})
                              .SchedulerVersion(315)
                              .Add(MemberRecord{.name = J("山田"),
                                                .key = "yamada",
                                                .flags = 0x3,
                                                .text3 = "t3",
                                                .text4 = "t4",
                                                .text5 = "t5",
                                                .text6 = "t6"})
                              .Add(J("佐藤"), "sato")
                              .Build());
  EXPECT_TRUE(Read(path));
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(group_.leadWord, 0x12345678u);
  EXPECT_EQ(group_.GetName(), J("開発部"));
  EXPECT_EQ(group_.groupNote, J("メモ"));
  EXPECT_EQ(group_.version, 315u << 16);
  EXPECT_EQ(group_.Path(), path);
  ASSERT_EQ(group_.Count(), 2);
  const CMember& first = group_.Item(0);
  EXPECT_EQ(first.DisplayName(), J("山田"));
  EXPECT_EQ(first.key, "yamada");
  EXPECT_EQ(first.text3, "t3");
  EXPECT_EQ(first.text4, "t4");
  EXPECT_EQ(first.text5, "t5");
  EXPECT_EQ(first.text6, "t6");
  EXPECT_EQ(first.flags, 0x3u);
  EXPECT_EQ(first.group, &group_);
  EXPECT_EQ(group_.Item(1).key, "sato");
  EXPECT_EQ(ui_.busyCount, 1);
  EXPECT_EQ(ui_.busyDepth, 0);
}

TEST_F(GroupFileTest, WithoutGroupStringsAndWordsTheNoteIsEmptyAndTheVersionSix) {
  ASSERT_TRUE(Read(Write(
      GroupFileBuilder().GroupStrings({"old note"}).SchedulerVersion(300).Add("a", "a").Build(), "old.group")));
  EXPECT_TRUE(Read(Write(GroupFileBuilder().Name("g").Add("a", "k1").Add("b", "k2").Build())));
  EXPECT_EQ(group_.groupNote, "");
  EXPECT_EQ(group_.version, CGroup::kDefaultVersion);
  EXPECT_EQ(Keys(), (std::vector<std::string>{"k1", "k2"}));
}

TEST_F(GroupFileTest, ExtraGroupStringsAndWordsAreSkipped) {
  const auto path = Write(GroupFileBuilder()
                              .GroupStrings({"note", std::string(300, 'x'), ""})
                              .GroupWords({315u << 16, 7, 8, 9})
                              .Add("a", "k1")
                              .Add("b", "k2")
                              .Build());
  EXPECT_TRUE(Read(path));
  EXPECT_EQ(group_.groupNote, "note");
  EXPECT_EQ(group_.version, 315u << 16);
  EXPECT_EQ(Keys(), (std::vector<std::string>{"k1", "k2"}));
}

// S and W below, at and above the fields this reader knows.
class MemberLayoutTest : public GroupFileTest,
                         public ::testing::WithParamInterface<std::tuple<std::uint32_t, std::uint32_t>> {};

TEST_P(MemberLayoutTest, RecordsAreReadWithTheirCountsAndUnknownFieldsSkipped) {
  const auto [s, w] = GetParam();
  auto member = [](const std::string& id, std::uint32_t flags) {
    return MemberRecord{.name = "n" + id,
                        .key = "k" + id,
                        .flags = flags,
                        .text3 = "3" + id,
                        .text4 = "4" + id,
                        .text5 = "5" + id,
                        .text6 = "6" + id,
                        .extraStrings = {"e" + id, std::string(260, 'E')},
                        .extraWords = {0xEEEEEEEE, 0xDDDDDDDD}};
  };
  const auto path = Write(GroupFileBuilder()
                              .StringCount(s)
                              .WordCount(w)
                              .Add(member("1", 0x1))
                              .Add(member("2", 0x2))
                              .Build());
  ASSERT_TRUE(Read(path));
  ASSERT_EQ(group_.Count(), 2);
  for (int i = 0; i < 2; ++i) {
    const std::string id = std::to_string(i + 1);
    const CMember& m = group_.Item(i);
    EXPECT_EQ(m.name, "n" + id);
    EXPECT_EQ(m.key, "k" + id);
    // Three strings and the flags are read whatever the counts say.
    EXPECT_EQ(m.text3, "3" + id);
    EXPECT_EQ(m.text4, s > 3 ? "4" + id : "");
    EXPECT_EQ(m.text5, s > 4 ? "5" + id : "");
    EXPECT_EQ(m.text6, s > 5 ? "6" + id : "");
    EXPECT_EQ(m.flags, static_cast<std::uint32_t>(i + 1));
  }
}

INSTANTIATE_TEST_SUITE_P(Counts, MemberLayoutTest,
                         ::testing::Combine(::testing::Range<std::uint32_t>(0, 10),
                                            ::testing::Values<std::uint32_t>(0, 1, 2, 3)));

TEST_F(GroupFileTest, DeletedMembersAreDroppedAndHiddenOnesKeptButNotListed) {
  const auto path = Write(GroupFileBuilder()
                              .Add("A", "a", 0x00)
                              .Add("B", "b", 0x40)
                              .Add("C", "c", 0x20)
                              .Add("D", "d", 0x60)
                              .Add("E", "e", 0x01 | 0x80 | 0x1000)
                              .Add("F", "f", 0xFFFFFFBF)  // every bit but deleted: hidden
                              .Build());
  std::vector<std::string> keys, names;
  ListVisibleMembers(group_, path, keys, names, ui_, log_);
  EXPECT_EQ(Keys(), (std::vector<std::string>{"a", "c", "e", "f"}));
  EXPECT_EQ(keys, (std::vector<std::string>{"a", "e"}));
  EXPECT_EQ(names, (std::vector<std::string>{"A", "E"}));
  EXPECT_FALSE(group_.Item(1).IsVisible());
  EXPECT_TRUE(ui_.messages.empty());
}

struct VersionCase {
  std::uint32_t word;
  const char* refusal;  // nullptr when accepted
};

class VersionTest : public GroupFileTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(VersionTest, NewerSchedulersFilesAreRefusedAfterReadingThem) {
  const VersionCase& c = GetParam();
  const auto path = Write(GroupFileBuilder().GroupWords({c.word}).Add("A", "a").Add("B", "b").Build());
  std::vector<std::string> keys, names;
  EXPECT_EQ(ListVisibleMembers(group_, path, keys, names, ui_, log_), c.refusal == nullptr);
  EXPECT_EQ(group_.version, c.word);
  if (c.refusal == nullptr) {
    EXPECT_TRUE(ui_.messages.empty());
    EXPECT_EQ(keys, (std::vector<std::string>{"a", "b"}));
    return;
  }
  // The member list service names the file before the reader's words.
  const auto message = OnlyMessage();
  EXPECT_EQ(message.text, J("ファイル ") + path.string() + J(" を読めませんでした。\n") + J(c.refusal));
  EXPECT_EQ(message.kind, MessageKind::kError);
  EXPECT_EQ(group_.Count(), 0);
  EXPECT_TRUE(keys.empty());
  EXPECT_EQ(ui_.busyDepth, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, VersionTest,
    ::testing::Values(VersionCase{0x013B0000, nullptr}, VersionCase{0x013BFFFF, nullptr},
                      VersionCase{0x00000000, nullptr},
                      VersionCase{0x013C0000, "このファイルはver 3.16以上のPlanwellでないと開けません。"},
                      VersionCase{0x01F40007, "このファイルはver 5.00以上のPlanwellでないと開けません。"},
                      VersionCase{0xFFFF0000, "このファイルはver 655.35以上のPlanwellでないと開けません。"}));

TEST_F(GroupFileTest, ReadFileReportsTheVersionResult) {
  EXPECT_FALSE(Read(Write(GroupFileBuilder().SchedulerVersion(316).Add("A", "a").Build())));
  EXPECT_TRUE(Read(Write(GroupFileBuilder().SchedulerVersion(315).Add("A", "a").Build())));
}

TEST_F(GroupFileTest, TruncatedFileKeepsTheCompleteMembers) {
  GroupFileBuilder builder;
  builder.Add("A", "a").Add("B", "b").Add(MemberRecord{.name = "C", .key = "c", .text3 = "third"});
  const std::string bytes = builder.Build();
  const auto path = Write(bytes.substr(0, builder.MemberOffset(2) + 5));
  EXPECT_FALSE(Read(path));
  const auto message = OnlyMessage();
  EXPECT_EQ(message.text, kMalformed);
  EXPECT_EQ(message.kind, MessageKind::kExclamation);
  EXPECT_EQ(Keys(), (std::vector<std::string>{"a", "b"}));
}

TEST_F(GroupFileTest, TooNewButTruncatedFileIsReportedAsMalformed) {
  // The version is looked at only once every member was read.
  GroupFileBuilder builder;
  builder.SchedulerVersion(316).Add("A", "a").Add("B", "b");
  const std::string bytes = builder.Build();
  EXPECT_FALSE(Read(Write(bytes.substr(0, bytes.size() - 1))));
  EXPECT_EQ(OnlyMessage().text, kMalformed);
  EXPECT_EQ(Keys(), (std::vector<std::string>{"a"}));
}

TEST_F(GroupFileTest, MissingFileShowsItsPathAndLogsOneLine) {
  testing::WriteBytes(log_.Path(), "earlier line\r\n");
  const auto path = dir_ / "予定 表.group";
  EXPECT_FALSE(Read(path));
  const auto message = OnlyMessage();
  EXPECT_EQ(message.text, J("ファイル ") + Utf8ToCp932(testing::Utf8(path)) + J(" が見つかりません。"));
  EXPECT_EQ(message.kind, MessageKind::kExclamation);
  const std::string log = testing::ReadBytes(log_.Path());
  EXPECT_THAT(log, testing::MatchesStdRegex("earlier line\r\n"
                                           "ZanboApp\\([0-9]+/[0-9]+ [0-9]+:[0-9][0-9]:[0-9][0-9]\\):"
                                           "CGroup::ReadFile\\(\\) ex->m_cause=2\r\n"));
  EXPECT_EQ(ui_.busyDepth, 0);
}

TEST_F(GroupFileTest, WithoutTheLogFileNothingIsLogged) {
  EXPECT_FALSE(Read(dir_ / "missing.group"));
  EXPECT_FALSE(Read(dir_ / "missing.group"));
  EXPECT_FALSE(std::filesystem::exists(log_.Path()));
  EXPECT_EQ(ui_.messages.size(), 2u);
}

TEST_F(GroupFileTest, UnreadableFileIsInvalidAndLogsItsCause) {
  testing::WriteBytes(log_.Path(), "");
  EXPECT_FALSE(Read(dir_.Path()));  // a folder: access denied
  const auto message = OnlyMessage();
  EXPECT_EQ(message.text, J("ファイルの形式が不正です"));
  EXPECT_EQ(message.kind, MessageKind::kExclamation);
  EXPECT_THAT(testing::ReadBytes(log_.Path()), ::testing::EndsWith("ex->m_cause=5\r\n"));
}

TEST_F(GroupFileTest, EmptyPathReloadsTheCurrentFile) {
  const auto path = Write(GroupFileBuilder().Add("A", "a").Build());
  ASSERT_TRUE(Read(path));
  Write(GroupFileBuilder().Add("B", "b").Add("C", "c").Build());
  EXPECT_TRUE(Read({}));
  EXPECT_EQ(group_.Path(), path);
  EXPECT_EQ(Keys(), (std::vector<std::string>{"b", "c"}));
}

TEST_F(GroupFileTest, ThePathMovesTheMonthFilesAlong) {
  TextPool pool;
  CMonthFile monthFile(pool);
  monthFile.SetGroup(&group_);
  group_.SetMonthFile(&monthFile);
  monthFile.SetMonth(DateTime::FromParts(2005, 6, 1));
  group_.SetPath(dir_ / "Team.group");
  EXPECT_EQ(monthFile.Path(), dir_ / "Team200506.sch");
  Read(dir_ / "Other.group");  // missing, but the path is taken all the same
  EXPECT_EQ(monthFile.Path(), dir_ / "Other200506.sch");
}

TEST_F(GroupFileTest, WideTextsAreConvertedToCp932) {
  testing::ArchiveWriter w;
  w.U32(0).WideUtf8("営業部").U32(1).U32(3).U32(1).U32(0).U32(0);
  w.WideUtf8("鈴木～").String("suzuki").String("").U32(0);
  ASSERT_TRUE(Read(Write(std::move(w).Bytes())));
  EXPECT_EQ(group_.name, J("営業部"));
  ASSERT_EQ(group_.Count(), 1);
  EXPECT_EQ(group_.Item(0).name, J("鈴木～"));
}

TEST_F(GroupFileTest, AFailedOpenLeavesNoMembersOfThePreviousFile) {
  ASSERT_TRUE(Read(Write(GroupFileBuilder().Add("A", "a").Build())));
  std::vector<std::string> keys, names;
  EXPECT_FALSE(ListVisibleMembers(group_, dir_ / "gone.group", keys, names, ui_, log_));
  EXPECT_EQ(group_.Count(), 0);
  EXPECT_TRUE(keys.empty());
}

// The reader itself tells nothing: it returns what the run driver shows and logs.
TEST_F(GroupFileTest, ReaderReturnsTheProblemWithItsFileCauseAndLogText) {
  struct Case {
    std::filesystem::path path;
    int cause;
    const char* logText;
  };
  const auto cut = Write(GroupFileBuilder().Add("A", "a").Build().substr(0, 30), "cut.group");
  for (const Case& c : {Case{dir_ / "missing.group", kCauseFileNotFound, "CGroup::ReadFile() ex->m_cause="},
                        Case{dir_.Path(), kCauseAccessDenied, "CGroup::ReadFile() ex->m_cause="},
                        Case{cut, kCauseEndOfFile, ""}}) {
    const std::optional<Problem> problem = group_.ReadFile(c.path);
    ASSERT_TRUE(problem.has_value()) << c.path;
    EXPECT_EQ(problem->file, c.path);
    EXPECT_EQ(problem->cause, c.cause);
    EXPECT_EQ(problem->logText, c.logText);
  }
  EXPECT_EQ(group_.ReadFile(Write(GroupFileBuilder().Add("A", "a").Build())), std::nullopt);
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(ui_.busyCount, 0);
}

}  // namespace
}  // namespace tallyer
