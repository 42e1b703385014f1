#include "report/summary_page_frame.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tallyer {
namespace {

using ::testing::HasSubstr;
using Spans = std::vector<std::pair<std::size_t, std::size_t>>;

TEST(SummaryPageFrame, IsOneUtf8DocumentWithItsStylesInside) {
  std::string page;
  AppendPageHead(page, "営業部 <集計>\r\n", false);
  AppendPageEnd(page);
  EXPECT_EQ(page.rfind("<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n", 0),
            0u);
  EXPECT_THAT(page, HasSubstr("<title>営業部 &lt;集計&gt; </title>"));
  EXPECT_THAT(page, HasSubstr("print-color-adjust: exact;"));
  EXPECT_THAT(page, HasSubstr("@page { size: A4; "));
  EXPECT_EQ(page.find('\r'), std::string::npos);
  EXPECT_EQ(page.find("<script"), std::string::npos);
  EXPECT_EQ(page.find("://"), std::string::npos);  // nothing fetched
  EXPECT_TRUE(page.ends_with("</body>\n</html>\n"));
}

TEST(SummaryPageFrame, PrintsWideBreakdownsOnLandscapePaper) {
  std::string page;
  AppendPageHead(page, "x", true);
  EXPECT_THAT(page, HasSubstr("@page { size: A4 landscape; "));
}

TEST(SummaryPageFrame, SplitsBreakdownsOfMoreThan24UnitsIntoTablesOf12) {
  EXPECT_EQ(BreakdownTableSpans(0), Spans{});
  EXPECT_EQ(BreakdownTableSpans(1), (Spans{{0, 1}}));
  EXPECT_EQ(BreakdownTableSpans(24), (Spans{{0, 24}}));
  EXPECT_EQ(BreakdownTableSpans(25), (Spans{{0, 12}, {12, 24}, {24, 25}}));
  EXPECT_EQ(BreakdownTableSpans(36), (Spans{{0, 12}, {12, 24}, {24, 36}}));
}

}  // namespace
}  // namespace tallyer
