#include "cli/result_table.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "data/cp932.h"
#include "data/type_colors.h"
#include "support/result_of.h"

namespace tallyer::cli {
namespace {

using Rows = std::vector<std::vector<std::string>>;

// The table of the result the run builds from these member results.
TextTable TableOf(std::vector<MemberResult> results, const TallySettings& settings,
                      const CTypeColors* types) {
  return ResultTable(testing::ResultOf(std::move(results), settings, types));
}

constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kSky = 0xFF8000;  // red 0, green 128, blue 255

// Members and schedules built in memory; the texts the schedules point to
// live as long as the fixture.
class ResultTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tanaka_.name = Utf8ToCp932("田中");
    tanaka_.key = "tanaka";
    suzuki_.name = Utf8ToCp932("鈴木");
    suzuki_.key = "suzuki";
    settings_.firstDate = DateTime::FromParts(2005, 4, 1);
    settings_.lastDate = DateTime::FromParts(2005, 4, 30);
  }

  const CSchedule* Schedule(int day, int fromHour, int fromMinute, int toHour, int toMinute,
                            std::uint32_t color, const char* contentUtf8) {
    CSchedule s;
    s.start = DateTime::FromParts(2005, 4, day, fromHour, fromMinute);
    s.end = DateTime::FromParts(2005, 4, day, toHour, toMinute);
    s.color = color;
    s.content = texts_.emplace_back(Utf8ToCp932(contentUtf8));
    s.memberKey = texts_.emplace_back("tanaka");
    return &schedules_.emplace_back(s);
  }

  std::vector<MemberResult> Results() {
    MemberResult first{&tanaka_, {}};
    first.schedules = {Schedule(1, 9, 0, 10, 0, kRed, "会議"),
                       Schedule(1, 9, 30, 10, 0, kRed, "外出\r\n訪問"),
                       Schedule(4, 13, 0, 13, 30, kSky, "会議")};
    return {first, MemberResult{&suzuki_, {}}};
  }

  CMember tanaka_, suzuki_;
  TallySettings settings_;
  std::deque<std::string> texts_;
  std::deque<CSchedule> schedules_;
};

TEST_F(ResultTableTest, TotalModeListsCountAndTimePerMember) {
  const TextTable table = TableOf(Results(), settings_, nullptr);
  EXPECT_EQ(table.header, (std::vector<std::string>{"メンバー", "件数", "時間"}));
  EXPECT_EQ(table.alignRight, (std::vector<bool>{false, true, true}));
  EXPECT_EQ(table.rows, (Rows{{"田中", "3", "2時間00分"}, {"鈴木", "0", "0時間00分"}}));
}

TEST_F(ResultTableTest, NoOverlapCountsSharedMinutesOnceInTheChosenForm) {
  settings_.noOverlap = true;
  settings_.durationFormat = 1;
  EXPECT_EQ(TableOf(Results(), settings_, nullptr).rows,
            (Rows{{"田中", "3", "1:30"}, {"鈴木", "0", "0:00"}}));
}

TEST_F(ResultTableTest, ColorModeHasOneRowPerColourAndTheNameOnTheFirst) {
  settings_.mode = kModeColor;
  settings_.durationFormat = 2;
  const TextTable table = TableOf(Results(), settings_, nullptr);
  EXPECT_EQ(table.header, (std::vector<std::string>{"メンバー", "色", "件数", "時間"}));
  EXPECT_EQ(table.rows, (Rows{{"田中", "#ff0000", "2", "90分"},
                              {"", "#0080ff", "1", "30分"},
                              {"鈴木", "-", "0", "0分"}}));
}

TEST_F(ResultTableTest, TypeModeNamesTheTableColoursAndListsThemForEveryone) {
  settings_.mode = kModeType;
  CTypeColors types;
  types.names = {Utf8ToCp932("会議")};
  types.colors = {kRed};
  const TextTable table = TableOf(Results(), settings_, &types);
  EXPECT_EQ(table.header, (std::vector<std::string>{"メンバー", "色", "タイプ", "件数", "時間"}));
  EXPECT_EQ(table.rows, (Rows{{"田中", "#ff0000", "会議", "2", "1時間30分"},
                              {"", "#0080ff", "", "1", "0時間30分"},
                              {"鈴木", "#ff0000", "会議", "0", "0時間00分"}}));
}

TEST_F(ResultTableTest, ContentModeShowsLineBreaksInsideTextsAsSpaces) {
  settings_.mode = kModeContent;
  settings_.durationFormat = 3;
  const TextTable table = TableOf(Results(), settings_, nullptr);
  EXPECT_EQ(table.header, (std::vector<std::string>{"メンバー", "内容", "件数", "時間"}));
  EXPECT_EQ(table.rows, (Rows{{"田中", "会議", "2", "90"},
                              {"", "外出  訪問", "1", "30"},
                              {"鈴木", "-", "0", "0"}}));
}

TEST(ResultHeadingTest, GivesTheGroupLineAndTheOptionLinesWithLfEnds) {
  const std::string options =
      Utf8ToCp932("期間：2005年4月1日(金) ～ 2005年4月30日(土)\r\n次の文字列を含む：a<b\r\n");
  EXPECT_EQ(ResultHeading(Utf8ToCp932("営業部"), options),
            "グループ名：営業部\n"
            "期間：2005年4月1日(金) ～ 2005年4月30日(土)\n"
            "次の文字列を含む：a<b\n");
}

}  // namespace
}  // namespace tallyer::cli
