#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <gtest/gtest.h>

#include "data/cp932.h"
#include "data/file_error.h"
#include "report/report_file.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"
#include "support/text_match.h"

namespace tallyer {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::RecordingUi;
using testing::TempDir;
using testing::WriteBytes;

// Writes as the run does, the target chosen by the output path, and tells
// the recording UI what the run would show.
bool WriteShown(const std::string& doc, const fs::path& outputPath, const fs::path& htmlReportPath,
                RecordingUi& ui) {
  const auto problem = WriteReportFile(outputPath.empty() ? htmlReportPath : outputPath, doc);
  if (problem) ui.ShowMessage(problem->message, problem->kind);
  return !problem;
}

std::vector<std::string> Entries(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(WriteReportFile, WritesTheDocumentToTheCsvPath) {
  TempDir dir;
  RecordingUi ui;
  const std::string doc = "a,b\r\n\x8c\x8f\r\n";
  ASSERT_TRUE(WriteShown(doc, dir / "out.csv", dir / "page.html", ui));
  EXPECT_EQ(ReadBytes(dir / "out.csv"), doc);
  EXPECT_FALSE(fs::exists(dir / "page.html"));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"out.csv"});
}

TEST(WriteReportFile, WritesTheHtmlPathWhenNoOutputPathIsGiven) {
  TempDir dir;
  RecordingUi ui;
  ASSERT_TRUE(WriteShown("<html>", fs::path(), dir / "page.html", ui));
  EXPECT_EQ(ReadBytes(dir / "page.html"), "<html>");
  EXPECT_TRUE(ui.messages.empty());
}

TEST(WriteReportFile, ReplacesALongerFileCompletely) {
  TempDir dir;
  RecordingUi ui;
  WriteBytes(dir / "out.csv", std::string(10000, 'x'));
  ASSERT_TRUE(WriteShown("short\r\n", dir / "out.csv", fs::path(), ui));
  EXPECT_EQ(ReadBytes(dir / "out.csv"), "short\r\n");
  EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"out.csv"});
}

TEST(WriteReportFile, KeepsThePermissionsOfAReplacedFile) {
  TempDir dir;
  RecordingUi ui;
#ifdef _WIN32
  GTEST_SKIP() << "Windows files have no permission bits, only the read-only attribute";
#endif
  WriteBytes(dir / "out.csv", "old");
  fs::permissions(dir / "out.csv", fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_TRUE(WriteShown("new", dir / "out.csv", fs::path(), ui));
  EXPECT_EQ(fs::status(dir / "out.csv").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
}

TEST(WriteReportFile, ReadOnlyFileIsRefusedAndKept) {
  TempDir dir;
  RecordingUi ui;
  WriteBytes(dir / "out.csv", "old");
  fs::permissions(dir / "out.csv", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_FALSE(WriteShown("new", dir / "out.csv", fs::path(), ui));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text,
            Utf8ToCp932((dir / "out.csv").string() + " へのｱｸｾｽは拒否されました。"));
  EXPECT_EQ(ReadBytes(dir / "out.csv"), "old");
  EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"out.csv"});
}

TEST(WriteReportFile, WritesAWritableFileInAFolderThatTakesNoNewFiles) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no folder permission bits to take the right to create away";
#else
  if (::geteuid() == 0) GTEST_SKIP() << "folder permissions do not bind root";
#endif
  TempDir dir;
  RecordingUi ui;
  fs::create_directory(dir / "locked");
  WriteBytes(dir / "locked" / "out.csv", "an older and longer report");
  fs::permissions(dir / "locked", fs::perms::owner_read | fs::perms::owner_exec);
  const bool written = WriteShown("new", dir / "locked" / "out.csv", fs::path(), ui);
  fs::permissions(dir / "locked", fs::perms::owner_all);
  EXPECT_TRUE(written);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(ReadBytes(dir / "locked" / "out.csv"), "new");
}

TEST(WriteReportFile, WritesThroughASymbolicLink) {
  TempDir dir;
  RecordingUi ui;
  WriteBytes(dir / "real.csv", "old contents");
  std::error_code ec;
  fs::create_symlink(dir / "real.csv", dir / "link.csv", ec);
  if (ec) GTEST_SKIP() << "no symbolic links here (Wine, or Windows without the right)";
  ASSERT_TRUE(WriteShown("new", dir / "link.csv", fs::path(), ui));
  EXPECT_TRUE(fs::is_symlink(dir / "link.csv"));
  EXPECT_EQ(ReadBytes(dir / "real.csv"), "new");
}

TEST(WriteReportFile, WritesATargetWhoseNameIsNearTheLengthLimit) {
  TempDir dir;
  RecordingUi ui;
  const std::string name = std::string(251, 'r') + ".csv";  // 255 bytes, the usual limit
  WriteBytes(dir / name, "old");
  ASSERT_TRUE(WriteShown("new", dir / name, fs::path(), ui));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(ReadBytes(dir / name), "new");
  EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{name});
}

TEST(WriteReportFile, MissingFolderShowsNotFoundWithThePath) {
  TempDir dir;
  RecordingUi ui;
  const fs::path target = dir / "missing" / "out.csv";
  EXPECT_FALSE(WriteShown("doc", target, fs::path(), ui));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, Utf8ToCp932(target.string() + " が見つかりませんでした。"));
  EXPECT_EQ(ui.messages[0].kind, MessageKind::kExclamation);
  EXPECT_FALSE(fs::exists(dir / "missing"));
}

TEST(WriteReportFile, FolderThatIsAFileShowsInvalidPath) {
  TempDir dir;
  RecordingUi ui;
  WriteBytes(dir / "plain", "x");
  const fs::path target = dir / "plain" / "out.html";
  EXPECT_FALSE(WriteShown("doc", fs::path(), target, ui));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, Utf8ToCp932(target.string() + " には無効なﾊﾟｽが含まれています。"));
  EXPECT_EQ(ReadBytes(dir / "plain"), "x");
}

TEST(WriteReportFile, FailedReplacementKeepsWhatWasThereAndLeavesNoTemporaryFile) {
  TempDir dir;
  RecordingUi ui;
  // A folder in the target's place cannot be replaced by the report.
  fs::create_directory(dir / "out.csv");
  WriteBytes(dir / "out.csv" / "inside", "kept");
  EXPECT_FALSE(WriteShown("doc", dir / "out.csv", fs::path(), ui));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text,
            Utf8ToCp932((dir / "out.csv").string() + " へのｱｸｾｽは拒否されました。"));
  EXPECT_EQ(ReadBytes(dir / "out.csv" / "inside"), "kept");
  EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"out.csv"});
}

TEST(WriteReportFile, FullDeviceShowsDiskFull) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  RecordingUi ui;
  EXPECT_FALSE(WriteShown("doc", "/dev/full", fs::path(), ui));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, Utf8ToCp932("/dev/full へのｱｸｾｽ中にﾃﾞｨｽｸがいっぱいになりました。"));
}

TEST(WriteReportFile, DeviceIsWrittenInPlace) {
  if (!fs::exists("/dev/null")) GTEST_SKIP() << "no /dev/null here";
  RecordingUi ui;
  EXPECT_TRUE(WriteShown("doc", "/dev/null", fs::path(), ui));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

#ifdef _WIN32
TEST(WriteReportFile, AReportHeldOpenByAnotherProgramIsASharingViolation) {
  TempDir dir;
  RecordingUi ui;
  WriteBytes(dir / "out.csv", "old");
  // As a spreadsheet holds the file it shows: open, sharing nothing.
  const HANDLE held = CreateFileW((dir / "out.csv").c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const bool written = WriteShown("new", dir / "out.csv", fs::path(), ui);
  CloseHandle(held);
  EXPECT_FALSE(written);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text,
            Utf8ToCp932(testing::Utf8(dir / "out.csv") + " へのｱｸｾｽ中に共有違反が発生しました。"));
  EXPECT_EQ(ReadBytes(dir / "out.csv"), "old");
  EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"out.csv"});
}
#endif

TEST(WriteReportFile, ShowsThePathInCp932) {
  TempDir dir;
  RecordingUi ui;
  const fs::path target = dir.Path() / fs::u8path("無い") / fs::u8path("報告.csv");
  EXPECT_FALSE(WriteShown("doc", target, fs::path(), ui));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text,
            Utf8ToCp932(testing::Utf8(target) + " が見つかりませんでした。"));
  EXPECT_NE(ui.messages[0].text.find(Utf8ToCp932("無い")), std::string::npos);
}

// A library that writes only files it names itself (as a workbook library
// does) gets a fresh file beside the target, which then replaces the target.
TEST(WriteReportFile, NamedFileWriterFillsATemporaryFileThatReplacesTheTarget) {
  TempDir dir;
  WriteBytes(dir / "out.xlsx", "older and longer");
  fs::permissions(dir / "out.xlsx", fs::perms::owner_read | fs::perms::owner_write);
  fs::path handed;
  ReportContent content;
  content.writeNamedFile = [&](const fs::path& path) {
    handed = path;
    WriteBytes(path, "book");
    return true;
  };
  EXPECT_EQ(WriteReportFile(dir / "out.xlsx", content), std::nullopt);
  EXPECT_EQ(handed.parent_path(), dir.Path());
  EXPECT_NE(handed, dir / "out.xlsx");
  EXPECT_EQ(ReadBytes(dir / "out.xlsx"), "book");
#ifndef _WIN32  // Windows files have no permission bits
  EXPECT_EQ(fs::status(dir / "out.xlsx").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
#endif
  EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"out.xlsx"});
}

TEST(WriteReportFile, NamedFileWriterThatFailsLeavesThePreviousReport) {
  TempDir dir;
  WriteBytes(dir / "out.xlsx", "previous");
  ReportContent content;
  content.writeNamedFile = [&](const fs::path& path) {
    WriteBytes(path, "half");
    return false;
  };
  const auto problem = WriteReportFile(dir / "out.xlsx", content);
  ASSERT_TRUE(problem.has_value());
  EXPECT_EQ(problem->message,
            Utf8ToCp932((dir / "out.xlsx").string() + " へのｱｸｾｽ中に不明なｴﾗｰが発生しました。"));
  EXPECT_EQ(problem->file, dir / "out.xlsx");
  EXPECT_EQ(ReadBytes(dir / "out.xlsx"), "previous");
  EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"out.xlsx"});
}

TEST(WriteReportFile, NamedFileWriterWritesADeviceInPlace) {
  if (!fs::exists("/dev/null")) GTEST_SKIP() << "no /dev/null here";
  fs::path handed;
  ReportContent content;
  content.writeNamedFile = [&](const fs::path& path) {
    handed = path;
    return true;
  };
  EXPECT_EQ(WriteReportFile("/dev/null", content), std::nullopt);
  EXPECT_EQ(handed, "/dev/null");
}

struct MessageCase {
  int cause;
  const char* expected;  // UTF-8, %1 as given
};

class ReportFileErrorMessageTest : public ::testing::TestWithParam<MessageCase> {};

TEST_P(ReportFileErrorMessageTest, NamesTheCauseAndThePath) {
  const MessageCase& c = GetParam();
  std::string expected = c.expected;
  expected.replace(expected.find("%1"), 2, "/r/a.csv");
  EXPECT_EQ(ReportFileErrorMessage(c.cause, "/r/a.csv"), Utf8ToCp932(expected));
}

INSTANTIATE_TEST_SUITE_P(
    Causes, ReportFileErrorMessageTest,
    ::testing::Values(
        MessageCase{kCauseGeneric, "%1 へのｱｸｾｽ中に不明なｴﾗｰが発生しました。"},
        MessageCase{kCauseFileNotFound, "%1 が見つかりませんでした。"},
        MessageCase{kCauseBadPath, "%1 には無効なﾊﾟｽが含まれています。"},
        MessageCase{kCauseTooManyOpenFiles, "開いているﾌｧｲﾙが多すぎるため、%1 を開けませんでした。"},
        MessageCase{kCauseAccessDenied, "%1 へのｱｸｾｽは拒否されました。"},
        MessageCase{kCauseInvalidFile, "%1 へ無効なﾌｧｲﾙ ﾊﾝﾄﾞﾙが関連付けられていました。"},
        MessageCase{kCauseDirectoryFull, "%1 を作成できませんでした。そのﾃﾞｨﾚｸﾄﾘはいっぱいです。"},
        MessageCase{kCauseHardIO, "%1 へのｱｸｾｽ中にﾊｰﾄﾞｳｪｱ I/O ｴﾗｰが報告されました。"},
        MessageCase{kCauseSharingViolation, "%1 へのｱｸｾｽ中に共有違反が発生しました。"},
        MessageCase{kCauseLockViolation, "%1 へのｱｸｾｽ中にﾛｯｸ違反が発生しました。"},
        MessageCase{kCauseDiskFull, "%1 へのｱｸｾｽ中にﾃﾞｨｽｸがいっぱいになりました。"},
        // Causes the table does not name are unclassified.
        MessageCase{kCauseNone, "%1 へのｱｸｾｽ中に不明なｴﾗｰが発生しました。"},
        MessageCase{kCauseRemoveCurrentDir, "%1 へのｱｸｾｽ中に不明なｴﾗｰが発生しました。"},
        MessageCase{kCauseBadSeek, "%1 へのｱｸｾｽ中に不明なｴﾗｰが発生しました。"},
        MessageCase{kCauseEndOfFile, "%1 へのｱｸｾｽ中に不明なｴﾗｰが発生しました。"},
        MessageCase{99, "%1 へのｱｸｾｽ中に不明なｴﾗｰが発生しました。"}));

}  // namespace
}  // namespace tallyer
