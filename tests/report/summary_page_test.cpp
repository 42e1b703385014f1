#include "report/summary_page.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>

namespace tallyer {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

CategoryRow Row(std::string text, std::optional<Rgb> color = {}) {
  return {{std::move(text), color}, 2, "1時間30分"};
}

SummaryPage ColourPage() {
  SummaryPage page;
  page.group = "営業部";
  page.categoryHeading = "タイプ";
  page.members = {{"田中", {Row("会議", Rgb{0xFF, 0x80, 0x00}), Row("#0000ff", Rgb{0, 0, 0xFF})}, 4, "3時間00分"},
                  {"鈴木", {Row("会議", Rgb{0xFF, 0x80, 0x00})}, 2, "1時間30分"},
                  {"佐藤", {}, 0, "0時間00分"}};
  page.team = TableBlock{"チーム", {Row("会議", Rgb{0xFF, 0x80, 0x00})}, 6, "4時間30分"};
  page.totalCount = 6;
  page.totalDuration = "4時間30分";
  return page;
}

TEST(SummaryPage, SpansEachMembersNameOverItsRowsAndTheirSum) {
  const std::string html = SummaryPageHtml(ColourPage());
  EXPECT_THAT(html, HasSubstr("<tbody>\n<tr><th scope=\"rowgroup\" rowspan=\"3\">田中</th>"));
  EXPECT_THAT(html, HasSubstr("<tr class=\"sum\"><td>計</td><td class=\"num\">4</td>"
                              "<td class=\"num\">3時間00分</td></tr>\n</tbody>"));
  // One row: no span and no sum; no rows: an empty category cell.
  EXPECT_THAT(html, HasSubstr("<tr><th scope=\"row\">鈴木</th><td class=\"swatch\""));
  EXPECT_THAT(html, HasSubstr("<tr><th scope=\"row\">佐藤</th><td></td><td class=\"num\">0</td>"));
  EXPECT_EQ(Count(html, "<tr class=\"sum\">"), 1u);
  // One <tbody> per member, then the team and the totals.
  EXPECT_EQ(Count(html, "<tbody"), 5u);
  EXPECT_THAT(html, HasSubstr("<tbody class=\"team\">\n<tr><th scope=\"row\">チーム</th>"));
  EXPECT_THAT(html, HasSubstr("<tbody class=\"total\">\n<tr><th scope=\"row\">合計</th><td></td>"
                              "<td class=\"num\">6</td><td class=\"num\">4時間30分</td></tr>"));
}

TEST(SummaryPage, WritesTextOnAColourInTheColourOfHigherContrast) {
  const std::string html = SummaryPageHtml(ColourPage());
  EXPECT_THAT(html, HasSubstr("style=\"background-color: #ff8000; color: #000000\">会議</td>"));
  EXPECT_THAT(html, HasSubstr("style=\"background-color: #0000ff; color: #ffffff\">#0000ff</td>"));
}

TEST(SummaryPage, HasNoCategoryColumnInModeOne) {
  SummaryPage page;
  page.members = {{"田中", {}, 3, "2時間30分"}};
  page.totalCount = 3;
  page.totalDuration = "2時間30分";
  const std::string html = SummaryPageHtml(page);
  EXPECT_THAT(html, HasSubstr("<tr><th scope=\"col\">メンバー</th><th scope=\"col\" class=\"num\">件数"));
  EXPECT_THAT(html, HasSubstr("<tr><th scope=\"row\">田中</th><td class=\"num\">3</td>"));
  EXPECT_THAT(html, Not(HasSubstr("class=\"team\"")));
}

SummaryPage BreakdownPage(std::size_t units) {
  SummaryPage page;
  SummaryPage::Breakdown breakdown;
  breakdown.heading = "日別";
  for (std::size_t i = 0; i < units; ++i) breakdown.table.unitLabels.push_back("u" + std::to_string(i));
  breakdown.table.members = {{"田中", std::vector<std::string>(units, "t"), "T"}};
  breakdown.table.totals = {"合計", std::vector<std::string>(units, "s"), "S"};
  page.breakdown = breakdown;
  return page;
}

TEST(SummaryPage, SplitsWideBreakdownsAndTurnsThePaper) {
  struct Case {
    std::size_t units, tables;
    bool landscape;
  };
  for (const Case c : {Case{12, 1, false}, Case{13, 1, true}, Case{24, 1, true}, Case{25, 3, true}}) {
    const std::string html = SummaryPageHtml(BreakdownPage(c.units));
    EXPECT_EQ(Count(html, "<table class=\"breakdown\">"), c.tables) << c.units;
    EXPECT_EQ(Count(html, "@page { size: A4 landscape;"), c.landscape ? 1u : 0u) << c.units;
    // Every unit once, the totals column once, at the end.
    EXPECT_EQ(Count(html, "<td class=\"num\">t</td>"), c.units) << c.units;
    EXPECT_EQ(Count(html, "<th scope=\"col\" class=\"num\">合計</th>"), 1u) << c.units;
    EXPECT_LT(html.find(">u" + std::to_string(c.units - 1) + "</th>"),
              html.find("<th scope=\"col\" class=\"num\">合計</th>"));
  }
}

TEST(SummaryPage, EscapesEveryText) {
  const std::string hostile = "<script>alert(1)</script>&\"\r\n";
  SummaryPage page = ColourPage();
  page.title = page.group = page.period = page.made = page.memberChartHeading = hostile;
  page.optionLines = {hostile};
  page.figures = {{hostile, hostile}};
  page.categoryHeading = hostile;
  page.members[0].name = hostile;
  page.members[0].rows[0].category.text = hostile;
  page.members[0].rows[0].duration = hostile;
  page.team->name = hostile;
  page.totalDuration = hostile;
  page.breakdown = BreakdownPage(2).breakdown;
  page.breakdown->heading = hostile;
  page.breakdown->table.unitLabels[0] = hostile;
  page.breakdown->table.members[0].name = hostile;
  page.breakdown->table.members[0].cells[1] = hostile;
  page.breakdown->table.totals.total = hostile;
  const std::string html = SummaryPageHtml(page);
  EXPECT_THAT(html, Not(HasSubstr("<script")));
  EXPECT_THAT(html, Not(HasSubstr("&\"")));
  EXPECT_THAT(html, Not(HasSubstr("\r")));
  EXPECT_EQ(Count(html, "&lt;script&gt;alert(1)&lt;/script&gt;&amp;&quot;<br>"), 19u);
  EXPECT_EQ(Count(html, "&lt;script&gt;alert(1)&lt;/script&gt;&amp;&quot; "), 1u);  // <title>
}

}  // namespace
}  // namespace tallyer
