#include "report/chart_svg.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>

#include "report/svg_drawing.h"

namespace tallyer {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

// The drawn rectangles of a chart, legend swatches included, in document order.
struct DrawnRect {
  double x, y, width, height;
  std::string fill;
  std::string title;
};

std::vector<DrawnRect> Rects(const std::string& svg) {
  static const std::regex kRect(
      R"re(<rect x="([-\d.]+)" y="([-\d.]+)" width="([-\d.]+)" height="([-\d.]+)" fill="(#[0-9a-f]{6})" stroke="#555555" stroke-width="0.5"(?:/>|><title>([^<]*)</title></rect>))re");
  std::vector<DrawnRect> rects;
  for (auto it = std::sregex_iterator(svg.begin(), svg.end(), kRect); it != std::sregex_iterator();
       ++it) {
    const std::smatch& m = *it;
    rects.push_back({std::stod(m[1]), std::stod(m[2]), std::stod(m[3]), std::stod(m[4]), m[5],
                     m[6]});
  }
  return rects;
}

std::vector<std::string> Texts(const std::string& svg) {
  static const std::regex kText(R"(<text [^>]*>([^<]*)</text>)");
  std::vector<std::string> texts;
  for (auto it = std::sregex_iterator(svg.begin(), svg.end(), kText); it != std::sregex_iterator();
       ++it) {
    texts.push_back((*it)[1]);
  }
  return texts;
}

std::vector<std::string> Fills(const std::vector<DrawnRect>& rects) {
  std::vector<std::string> fills;
  for (const DrawnRect& r : rects) fills.push_back(r.fill);
  return fills;
}

// Three series: red, white and grey for the rest.
ChartData ThreeSeries() {
  ChartData chart;
  chart.caption = "メンバー別";
  chart.series = {{"会議", {0xFF, 0x00, 0x00}}, {"#ffffff", kWhite}, {"その他", {0xBB, 0xBB, 0xBB}}};
  return chart;
}

ChartBar Bar(std::string label, std::vector<long long> minutes) {
  ChartBar bar;
  bar.label = label;
  bar.title = label + "：合計";
  for (std::size_t i = 0; i < minutes.size(); ++i) {
    bar.segments.push_back({i, minutes[i], label + " " + std::to_string(i)});
  }
  return bar;
}

TEST(BarChart, StacksSegmentsOnOneSharedScale) {
  ChartData chart = ThreeSeries();
  chart.bars = {Bar("田中", {600, 120, 30}), Bar("鈴木", {375, 0, 0})};
  const std::string svg = RenderBarChart(chart);
  const std::vector<DrawnRect> rects = Rects(svg);
  ASSERT_EQ(rects.size(), 4u + 3u);  // segments, then the legend's swatches
  // Segments follow each other without gaps, from one start.
  EXPECT_DOUBLE_EQ(rects[1].x, rects[0].x + rects[0].width);
  EXPECT_DOUBLE_EQ(rects[2].x, rects[1].x + rects[1].width);
  EXPECT_DOUBLE_EQ(rects[3].x, rects[0].x);
  // 750 and 375 minutes on one scale: half the length, within a tenth of a pixel.
  const double first = rects[2].x + rects[2].width - rects[0].x;
  EXPECT_NEAR(rects[3].width * 2, first, 0.2);
  EXPECT_NEAR(rects[0].width / rects[1].width, 5.0, 0.01);
  EXPECT_EQ(rects[0].title, "田中 0");
  EXPECT_EQ(rects[3].title, "鈴木 0");
  EXPECT_THAT(svg, HasSubstr("<g><title>田中：合計</title>"));
  EXPECT_THAT(svg, HasSubstr("<g><title>鈴木：合計</title>"));
}

TEST(BarChart, LeavesOutEmptySegmentsAndSeriesNobodyHas) {
  ChartData chart = ThreeSeries();
  chart.bars = {Bar("田中", {0, -5, 90}), Bar("鈴木", {30, 0, 0})};
  const std::vector<DrawnRect> rects = Rects(RenderBarChart(chart));
  EXPECT_THAT(Fills(rects), ElementsAre("#bbbbbb", "#ff0000",  // bars
                                        "#ff0000", "#bbbbbb"));  // legend, in series order
  const std::vector<std::string> texts = Texts(RenderBarChart(chart));
  EXPECT_THAT(texts, testing::Contains("会議"));
  EXPECT_THAT(texts, testing::Contains("その他"));
  EXPECT_THAT(texts, Not(testing::Contains("#ffffff")));
}

TEST(BarChart, DrawsNoLegendWhenAskedNot) {
  ChartData chart = ThreeSeries();
  chart.legend = false;
  chart.bars = {Bar("田中", {60})};
  EXPECT_EQ(Rects(RenderBarChart(chart)).size(), 1u);
}

TEST(BarChart, OutlinesWhiteSegments) {
  ChartData chart = ThreeSeries();
  chart.bars = {Bar("田中", {0, 60})};
  const std::string svg = RenderBarChart(chart);
  EXPECT_THAT(svg, HasSubstr("fill=\"#ffffff\" stroke=\"#555555\" stroke-width=\"0.5\""));
}

TEST(Charts, SayNoDataWhenEveryBarIsEmpty) {
  ChartData chart = ThreeSeries();
  for (const auto& bars : {std::vector<ChartBar>{}, std::vector{Bar("田中", {0, 0}), Bar("鈴木", {})}}) {
    chart.bars = bars;
    for (const std::string& svg : {RenderBarChart(chart), RenderColumnChart(chart)}) {
      EXPECT_THAT(Texts(svg), ElementsAre("データなし"));
      EXPECT_TRUE(Rects(svg).empty());
      EXPECT_THAT(svg, HasSubstr("<title>メンバー別</title>"));
    }
  }
}

TEST(Charts, EscapeEveryText) {
  ChartData chart = ThreeSeries();
  chart.caption = "<caption>";
  chart.series[0].name = "a&b";
  chart.bars = {Bar("</text><script>", {60})};
  chart.bars[0].valueText = "\"1\"";
  for (const std::string& svg : {RenderBarChart(chart), RenderColumnChart(chart)}) {
    EXPECT_THAT(svg, Not(HasSubstr("<script>")));
    EXPECT_THAT(svg, Not(HasSubstr("<caption>")));
    EXPECT_THAT(svg, Not(HasSubstr("a&b")));
    EXPECT_THAT(svg, HasSubstr("&lt;/text&gt;&lt;script&gt;"));
  }
}

TEST(ColumnChart, StacksTheFirstSeriesAtTheBottom) {
  ChartData chart = ThreeSeries();
  chart.bars = {Bar("2025-01", {60, 30}), Bar("2025-02", {0, 0, 120})};
  const std::vector<DrawnRect> rects = Rects(RenderColumnChart(chart));
  ASSERT_EQ(rects.size(), 3u + 3u);
  const double bottom = rects[0].y + rects[0].height;
  EXPECT_DOUBLE_EQ(rects[1].y + rects[1].height, rects[0].y);
  EXPECT_DOUBLE_EQ(rects[2].y + rects[2].height, bottom);
  EXPECT_NEAR(rects[2].height * 3, (rects[0].height + rects[1].height) * 4, 0.5);  // 120 : 90
  EXPECT_LT(rects[0].x + rects[0].width, rects[2].x);
}

TEST(ColumnChart, LabelsEveryFewColumnsWhenTheyCannotAllFit) {
  ChartData chart = ThreeSeries();
  for (int day = 1; day <= 366; ++day) chart.bars.push_back(Bar(std::to_string(100000 + day), {60}));
  const std::vector<std::string> texts = Texts(RenderColumnChart(chart));
  const auto labels = std::count_if(texts.begin(), texts.end(),
                                    [](const std::string& t) { return t.size() == 6; });
  EXPECT_GT(labels, 5);
  EXPECT_LT(labels, 40);
  EXPECT_THAT(texts, testing::Contains("100001"));
}

struct AxisCase {
  long long maxMinutes;
  long long step;
  int intervals;
};

class TimeAxisTest : public ::testing::TestWithParam<AxisCase> {};

TEST_P(TimeAxisTest, TakesTheSmallestStepOfAtMostSixIntervals) {
  const svg::TimeAxis axis = svg::ChooseTimeAxis(GetParam().maxMinutes);
  EXPECT_EQ(axis.stepMinutes, GetParam().step) << GetParam().maxMinutes;
  EXPECT_EQ(axis.intervals, GetParam().intervals) << GetParam().maxMinutes;
}

INSTANTIATE_TEST_SUITE_P(
    Maxima, TimeAxisTest,
    ::testing::Values(AxisCase{1, 6, 1}, AxisCase{36, 6, 6}, AxisCase{37, 12, 4},
                      AxisCase{72, 12, 6}, AxisCase{73, 30, 3}, AxisCase{180, 30, 6},
                      AxisCase{181, 60, 4}, AxisCase{360, 60, 6}, AxisCase{361, 120, 4},
                      AxisCase{721, 150, 5}, AxisCase{900, 150, 6}, AxisCase{901, 300, 4},
                      AxisCase{1801, 600, 4}, AxisCase{39060, 12000, 4},  // 651 hours
                      AxisCase{1'000'000'000'000, 300'000'000'000, 4}));

TEST(TimeAxis, WritesHoursWithTheFewestDigits) {
  EXPECT_EQ(svg::HoursText(0), "0");
  EXPECT_EQ(svg::HoursText(6), "0.1");
  EXPECT_EQ(svg::HoursText(30), "0.5");
  EXPECT_EQ(svg::HoursText(90), "1.5");
  EXPECT_EQ(svg::HoursText(150), "2.5");
  EXPECT_EQ(svg::HoursText(15), "0.25");
  EXPECT_EQ(svg::HoursText(12000), "200");
}

TEST(FitText, CutsLongTextsWithAnEllipsis) {
  EXPECT_EQ(svg::FitText("田中 一郎", 2000), "田中 一郎");
  const std::string cut = svg::FitText("営業部第一課 田中 一郎", 600);
  EXPECT_EQ(cut, "営業部第…");
  EXPECT_LE(svg::TextWidth(cut), 600);
  EXPECT_EQ(svg::FitText("abcdefghij", 300), "ab…");
}

}  // namespace
}  // namespace tallyer
