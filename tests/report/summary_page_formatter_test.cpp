#include "report/summary_page_formatter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "data/cp932.h"
#include "report/summary_charts.h"

namespace tallyer {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

TallyRow ColorRow(std::uint32_t color, const char* type, long long count, long long minutes) {
  return TallyRow{color, Utf8ToCp932(type), {}, {count, minutes}};
}

// Mode 3: 会議 is red, 外出 blue; green has no type name.
TallyResult TypeResult() {
  TallyResult result;
  result.settings.mode = kModeType;
  result.settings.firstDate = DateTime::FromParts(2025, 1, 1);
  result.settings.lastDate = DateTime::FromParts(2025, 1, 31, 23, 59);
  result.groupName = Utf8ToCp932("営業部");
  result.generatedAt = DateTime::FromParts(2025, 1, 31, 9, 5);
  result.members = {
      {"tanaka", Utf8ToCp932("田中 一郎"), {3, 150},
       {ColorRow(0x0000FF, "会議", 2, 120), ColorRow(0xFF0000, "外出", 0, 0),
        ColorRow(0x00FF00, "", 1, 30)}},
      {"suzuki", Utf8ToCp932("鈴木 花子"), {1, 31},
       {ColorRow(0x0000FF, "会議", 0, 0), ColorRow(0xFF0000, "外出", 1, 31)}},
  };
  result.totals = {4, 181};
  result.teamRows = {ColorRow(0x0000FF, "会議", 2, 120), ColorRow(0xFF0000, "外出", 1, 31),
                     ColorRow(0x00FF00, "", 1, 30)};
  return result;
}

TEST(SummaryPageOf, SaysWhatRanWhenAndTheKeyFigures) {
  const SummaryPage page = SummaryPageOf(TypeResult());
  EXPECT_EQ(page.group, "営業部");
  EXPECT_EQ(page.period, "2025年1月1日(水) ～ 2025年1月31日(金)");
  EXPECT_EQ(page.made, "Tallyer 2.0.0 · 2025年1月31日(金) 9:05 作成");
  EXPECT_THAT(page.figures,
              ElementsAre(std::pair<std::string, std::string>{"合計時間", "3時間01分"},
                          std::pair<std::string, std::string>{"メンバー数", "2人"},
                          std::pair<std::string, std::string>{"予定件数", "4件"},
                          // 181 / 2 = 90.5, rounded half up
                          std::pair<std::string, std::string>{"1人あたり平均", "1時間31分"}));
}

TEST(SummaryPageOf, AveragesNothingWithoutMembers) {
  TallyResult result;
  result.settings.durationFormat = 1;
  const SummaryPage page = SummaryPageOf(result);
  EXPECT_EQ(page.figures[0].second, "0:00");
  EXPECT_EQ(page.figures[3].second, "—");
  EXPECT_THAT(page.memberChartSvg, HasSubstr("データなし"));
}

TEST(SummaryPageOf, NamesTypesByNameOrColourOnTheirColour) {
  const SummaryPage page = SummaryPageOf(TypeResult());
  EXPECT_EQ(page.categoryHeading, "タイプ");
  ASSERT_EQ(page.members[0].rows.size(), 3u);
  EXPECT_EQ(page.members[0].rows[0].category.text, "会議");
  EXPECT_EQ(page.members[0].rows[0].category.color, (Rgb{0xFF, 0, 0}));
  EXPECT_EQ(page.members[0].rows[2].category.text, "#00ff00");
  EXPECT_EQ(page.members[0].rows[2].duration, "0時間30分");
  ASSERT_TRUE(page.team);
  EXPECT_EQ(page.team->rows.size(), 3u);
  EXPECT_EQ(page.totalDuration, "3時間01分");
}

TEST(MemberChartOf, StacksEachMemberByTheTeamsLargestCategories) {
  const ChartData chart = MemberChartOf(TypeResult());
  std::vector<std::string> names;
  for (const ChartSeries& s : chart.series) names.push_back(s.name);
  EXPECT_THAT(names, ElementsAre("会議", "外出", "#00ff00", "その他"));
  EXPECT_EQ(chart.series[1].color, (Rgb{0, 0, 0xFF}));
  ASSERT_EQ(chart.bars.size(), 2u);
  EXPECT_EQ(chart.bars[0].title, "田中 一郎：2時間30分（3件）");
  EXPECT_EQ(chart.bars[1].segments[1].minutes, 31);
  EXPECT_EQ(chart.bars[1].segments[1].title, "鈴木 花子／外出：0時間31分（1件）");
}

TEST(MemberChartOf, DrawsOneSegmentABarInModeOne) {
  TallyResult result;
  result.members = {{"tanaka", "tanaka", {3, 90}, {}}};
  result.totals = {3, 90};
  const ChartData chart = MemberChartOf(result);
  EXPECT_FALSE(chart.legend);
  ASSERT_EQ(chart.bars.size(), 1u);
  ASSERT_EQ(chart.bars[0].segments.size(), 1u);
  EXPECT_EQ(chart.bars[0].segments[0].minutes, 90);
  EXPECT_EQ(chart.bars[0].valueText, "1時間30分");
}

TEST(BreakdownChartOf, StacksEachUnitByMember) {
  TallyResult result = TypeResult();
  PeriodBreakdown breakdown;
  breakdown.unit = PeriodUnit::kMonth;
  breakdown.periods = {{"2025-01", {}, {}}, {"2025-02", {}, {}}};
  breakdown.memberCells = {{{3, 150}, {0, 0}}, {{0, 0}, {1, 31}}};
  breakdown.totals = {{3, 150}, {1, 31}};
  result.breakdown = breakdown;
  const ChartData chart = BreakdownChartOf(result);
  ASSERT_EQ(chart.bars.size(), 2u);
  EXPECT_EQ(chart.series[0].name, "田中 一郎");
  EXPECT_EQ(chart.series[1].name, "鈴木 花子");
  EXPECT_EQ(chart.bars[1].title, "2025-02：0時間31分（1件）");
  EXPECT_EQ(chart.bars[1].segments[1].minutes, 31);

  const SummaryPage page = SummaryPageOf(result);
  ASSERT_TRUE(page.breakdown);
  EXPECT_EQ(page.breakdown->heading, "月別");
  EXPECT_THAT(page.breakdown->table.unitLabels, ElementsAre("2025-01", "2025-02"));
  EXPECT_THAT(page.breakdown->table.members[1].cells, ElementsAre("0時間00分", "0時間31分"));
  EXPECT_EQ(page.breakdown->table.totals.total, "3時間01分");
}

// Each member has contents of its own: the chart's work grows with the rows,
// not with members times contents (400,000 rows here, not 160 million cells).
TEST(MemberChartOf, StaysLinearWhenEveryMemberHasContentsOfItsOwn) {
  TallyResult result;
  result.settings.mode = kModeContent;
  for (int m = 0; m < 1000; ++m) {
    MemberTally member{"k", std::to_string(m), {400, 400}, {}};
    for (int c = 0; c < 400; ++c) {
      TallyRow row;
      row.content = std::to_string(m);
      row.content += '-';
      row.content += std::to_string(c);
      row.figures = {1, 1 + (m == 7 && c < 10 ? 100 : 0)};
      member.rows.push_back(row);
      result.teamRows.push_back(row);
    }
    result.members.push_back(std::move(member));
  }
  const ChartData chart = MemberChartOf(result);
  ASSERT_EQ(chart.series.size(), 11u);
  EXPECT_EQ(chart.series[0].name, "7-0");
  EXPECT_EQ(chart.bars[7].segments[0].minutes, 101);
  EXPECT_EQ(chart.bars[0].segments.back().minutes, 400);  // all その他
}

}  // namespace
}  // namespace tallyer
