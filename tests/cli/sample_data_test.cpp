// The demo's sample: generated the same way every time and tallied cleanly.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "cli_process.h"
#include "data/cp932.h"
#include "support/temp_dir.h"
#include "support/text_match.h"

namespace tallyer::testing {
namespace {

namespace fs = std::filesystem;

TEST(SampleDataTest, IsDeterministicAndTalliesTheVisibleMembersWithoutMessages) {
  TempDir root;
  for (const char* d : {"tmp", "capture"}) fs::create_directory(root / d);
  const auto make = [&](const char* folder) {
    return RunProgram(TALLYER_SAMPLE_PROGRAM, {testing::Utf8(root / folder)}, root.Path(), root / "tmp",
                      root / "capture");
  };
  ASSERT_EQ(make("a").exitStatus, 0);
  ASSERT_EQ(make("b").exitStatus, 0);
  int months = 0;
  for (const auto& entry : fs::directory_iterator(root / "a")) {
    const fs::path name = entry.path().filename();
    EXPECT_EQ(ReadBytes(entry.path()), ReadBytes(root / "b" / name)) << name;
    if (name.extension() == ".sch") ++months;
  }
  EXPECT_EQ(months, 12);

  const auto r = RunCliProgram({"--from", "2025-01-01", "--to", "2025-12-31", "--csv", "-",
                                testing::Utf8(root / "a" / fs::u8path("営業部.group"))},
                               root.Path(), root / "tmp", root / "capture");
  EXPECT_EQ(r.exitStatus, 0);
  EXPECT_EQ(r.err, "");  // in particular no faulty revision link
  const std::string csv = Cp932ToUtf8(r.out);
  EXPECT_EQ(csv.rfind("グループ名：営業部\r\n期間：2025年1月1日(水) ～ 2025年12月31日(水)\r\n", 0), 0u);
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 2 + 6);  // six visible members
  EXPECT_EQ(csv.find("山本"), std::string::npos);               // hidden
  EXPECT_EQ(csv.find("中村"), std::string::npos);               // deleted
  EXPECT_EQ(csv.find(",0,"), std::string::npos);                // everyone has schedules
}

}  // namespace
}  // namespace tallyer::testing
