#include "report/stacked_chart.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tallyer {
namespace {

using ::testing::ElementsAre;

TEST(LeadingCategories, TakesTheLargestFirstTiesInOrderAndNoEmptyOnes) {
  EXPECT_THAT(LeadingCategories({5, 9, 5, 0, 9, 1}, 10), ElementsAre(1, 4, 0, 2, 5));
  EXPECT_THAT(LeadingCategories({5, 9, 5, 0, 9, 1}, 3), ElementsAre(1, 4, 0));
  EXPECT_THAT(LeadingCategories({0, -3}, 10), ElementsAre());
}

std::vector<std::string> SeriesNames(const ChartData& chart) {
  std::vector<std::string> names;
  for (const ChartSeries& s : chart.series) names.push_back(s.name);
  return names;
}

// Twelve contents, c0 … c11, with c{i} worth i + 1 hours in all; bar A has
// every content, bar B only the two smallest.
StackedChartInput TwelveContents() {
  StackedChartInput input;
  for (int i = 0; i < 12; ++i) {
    // Built by append: "c" + a temporary string makes GCC 12 warn falsely (-Wrestrict).
    std::string name = std::to_string(i);
    name.insert(name.begin(), 'c');
    input.categories.push_back({name, std::nullopt});
  }
  StackedChartInput::Bar a{"田中 一郎", {}, {}};
  StackedChartInput::Bar b{"鈴木", {}, {}};
  for (std::size_t i = 0; i < 12; ++i) {
    const long long minutes = 60LL * static_cast<long long>(i + 1);
    a.cells.push_back({i, {1, i < 2 ? minutes - 30 : minutes}});
    if (i < 2) b.cells.push_back({i, {1, 30}});
  }
  a.total = {12, 4680 - 60};
  b.total = {2, 60};
  input.bars = {a, b};
  return input;
}

TEST(StackedChart, NamesTheTenLargestCategoriesAndGathersTheRest) {
  const ChartData chart = StackedChart(TwelveContents());
  EXPECT_THAT(SeriesNames(chart), ElementsAre("c11", "c10", "c9", "c8", "c7", "c6", "c5", "c4",
                                              "c3", "c2", "その他"));
  for (std::size_t rank = 0; rank < 10; ++rank) {
    EXPECT_EQ(chart.series[rank].color, kCategoryPalette[rank]) << rank;
  }
  EXPECT_EQ(chart.series[10].color, kOtherColor);
  // The same ten in every bar, in rank order, then the rest: c0 and c1.
  ASSERT_EQ(chart.bars.size(), 2u);
  ASSERT_EQ(chart.bars[0].segments.size(), 11u);
  EXPECT_EQ(chart.bars[0].segments[0].minutes, 720);
  EXPECT_EQ(chart.bars[0].segments[10].series, 10u);
  EXPECT_EQ(chart.bars[0].segments[10].minutes, 30 + 90);
  EXPECT_EQ(chart.bars[0].segments[10].title, "田中 一郎／その他：2時間00分（2件）");
  ASSERT_EQ(chart.bars[1].segments.size(), 11u);
  EXPECT_EQ(chart.bars[1].segments[3].minutes, 0);
  EXPECT_EQ(chart.bars[1].segments[10].minutes, 60);
  EXPECT_EQ(chart.bars[0].title, "田中 一郎：77時間00分（12件）");
  EXPECT_EQ(chart.bars[0].segments[0].title, "田中 一郎／c11：12時間00分（1件）");
}

TEST(StackedChart, KeepsTheCategoriesOwnColoursAndTheDurationForm) {
  StackedChartInput input;
  input.categories = {{"会議", Rgb{0xFF, 0, 0}}, {"#ffffff", kWhite}};
  // 会議 comes in two parts, as a colour the type file lists twice.
  input.bars = {{"田中", {3, 90}, {{0, {1, 40}}, {1, {1, 30}}, {0, {1, 20}}}}};
  input.durationFormat = 1;
  input.valueTexts = true;
  const ChartData chart = StackedChart(input);
  EXPECT_THAT(SeriesNames(chart), ElementsAre("会議", "#ffffff", "その他"));
  EXPECT_EQ(chart.series[0].color, (Rgb{0xFF, 0, 0}));
  EXPECT_EQ(chart.series[1].color, kWhite);
  ASSERT_EQ(chart.bars[0].segments.size(), 2u);  // nothing else: no その他 segment
  EXPECT_EQ(chart.bars[0].segments[0].title, "田中／会議：1:00（2件）");
  EXPECT_EQ(chart.bars[0].title, "田中：1:30（3件）");
  EXPECT_EQ(chart.bars[0].valueText, "1:30");
}

TEST(StackedChart, GivesASingleCategoryNoSegmentTitles) {
  StackedChartInput input;
  input.categories = {{"合計", std::nullopt}};
  input.legend = false;
  input.bars = {{"田中", {3, 90}, {{0, {3, 90}}}}};
  const ChartData chart = StackedChart(input);
  EXPECT_FALSE(chart.legend);
  ASSERT_EQ(chart.bars[0].segments.size(), 1u);
  EXPECT_EQ(chart.bars[0].segments[0].title, "");
  EXPECT_EQ(chart.bars[0].title, "田中：1時間30分（3件）");
}

}  // namespace
}  // namespace tallyer
