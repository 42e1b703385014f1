#include "run/result_export.h"

#include <gtest/gtest.h>

#include <ostream>

#include "data/cp932.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"

namespace tallyer {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::RecordingUi;
using testing::TempDir;
using testing::WriteBytes;

class GroupNameFormatter : public Formatter {
 public:
  void Write(const TallyResult& result, std::ostream& out) const override { out << result.groupName; }
};

struct ExportCase {
  const char* name;
  const char* target;  // in the group's folder
  bool written;
  const char* messageEnd;  // UTF-8; empty: no message
};

class ExportResultTest : public ::testing::TestWithParam<ExportCase> {};

TEST_P(ExportResultTest, WritesOnlyWhereARunMayWrite) {
  const ExportCase& c = GetParam();
  TempDir dir;
  const fs::path group = dir / "g.group";
  WriteBytes(group, "group");
  WriteBytes(dir / "g200506.sch", "month");
  WriteBytes(dir / "colours.txt", "types");
  TallyResult result;
  result.groupName = "bytes";
  result.settings.groupPath = group;
  result.settings.typeFilePath = dir / "colours.txt";
  const fs::path target = dir / c.target;
  const std::string before = fs::exists(target) ? ReadBytes(target) : std::string();

  RecordingUi ui;
  EXPECT_EQ(ExportResult(GroupNameFormatter(), result, target, ui), c.written);
  EXPECT_EQ(fs::exists(target) ? ReadBytes(target) : std::string(), c.written ? "bytes" : before);
  if (*c.messageEnd == '\0') {
    EXPECT_TRUE(ui.messages.empty());
  } else {
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(Cp932ToUtf8(ui.messages[0].text).ends_with(c.messageEnd)) << Cp932ToUtf8(ui.messages[0].text);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Targets, ExportResultTest,
    ::testing::Values(ExportCase{"NewFile", "out.json", true, ""},
                      ExportCase{"TheGroupFile", "g.group", false, "は集計に使うファイルなので上書きできません。"},
                      ExportCase{"AMonthFile", "g200506.sch", false, "は集計に使うファイルなので上書きできません。"},
                      ExportCase{"TheTypeFileHoweverNamed", "colours.txt", false,
                                 "は集計に使うファイルなので上書きできません。"},
                      ExportCase{"ANewSchedulerName", "new.TYPE", false, "は集計に使うファイルなので上書きできません。"},
                      ExportCase{"AMissingFolder", "no/such/out.json", false, "。"}),
    [](const ::testing::TestParamInfo<ExportCase>& info) { return std::string(info.param.name); });

TEST(ReportTargetAllowed, AsksBeforeARunWithTheRunsOwnFiles) {
  TempDir dir;
  TallySettings settings;
  settings.groupPath = dir / "g.group";
  WriteBytes(settings.groupPath, "group");
  RecordingUi ui;
  EXPECT_TRUE(ReportTargetAllowed(settings, dir / "g.html", ui));
  EXPECT_FALSE(ReportTargetAllowed(settings, dir / "." / "g.group", ui));
  EXPECT_EQ(ui.messages.size(), 1u);
}

}  // namespace
}  // namespace tallyer
