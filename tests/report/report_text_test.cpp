#include "report/report_text.h"

#include <gtest/gtest.h>

#include "data/cp932.h"

namespace tallyer {
namespace {

std::string Html(std::string_view text) {
  std::string doc = "x";
  AppendHtmlText(doc, text);
  return doc;
}

std::string Csv(std::string_view text) {
  std::string doc = "x";
  AppendCsvField(doc, text);
  return doc;
}

TEST(AppendHtmlText, EscapesTheFourMarkupCharacters) {
  EXPECT_EQ(Html("a&b<c>d\"e'f"), "xa&amp;b&lt;c&gt;d&quot;e'f");
  EXPECT_EQ(Html("<<&&>>"), "x&lt;&lt;&amp;&amp;&gt;&gt;");
  EXPECT_EQ(Html(""), "x");
}

TEST(AppendHtmlText, LeavesOtherTextsByteForByte) {
  // Second bytes of CP932 characters include '\\', '|', '[' and '@' but never
  // one of the escaped bytes.
  const std::string text = Utf8ToCp932("表ソ能予ー田中 太郎@[]|");
  EXPECT_EQ(Html(text), "x" + text);
}

TEST(AppendCsvField, PlainFieldsStayUnquoted) {
  EXPECT_EQ(Csv("abc"), "xabc");
  EXPECT_EQ(Csv(""), "x");
  const std::string text = Utf8ToCp932("営業部 表");
  EXPECT_EQ(Csv(text), "x" + text);
}

TEST(AppendCsvField, QuotesFieldsWithCommaQuoteOrLineBreak) {
  EXPECT_EQ(Csv("A,B"), "x\"A,B\"");
  EXPECT_EQ(Csv("say \"hi\""), "x\"say \"\"hi\"\"\"");
  EXPECT_EQ(Csv("\""), "x\"\"\"\"");
  EXPECT_EQ(Csv("a\rb"), "x\"a\rb\"");
  EXPECT_EQ(Csv("a\nb"), "x\"a\nb\"");
  const std::string text = Utf8ToCp932("会議,表");
  EXPECT_EQ(Csv(text), "x\"" + text + "\"");
}

// A field a spreadsheet would run as a formula or read as a number starts
// with "'"; the quoting of the field comes after the prefix.
struct FormulaCase {
  std::string text;
  std::string field;
};

class AppendCsvFieldFormula : public ::testing::TestWithParam<FormulaCase> {};

TEST_P(AppendCsvFieldFormula, GetsALeadingApostropheThenTheUsualQuoting) {
  EXPECT_EQ(Csv(GetParam().text), "x" + GetParam().field);
}

INSTANTIATE_TEST_SUITE_P(
    EachLeadingCharacter, AppendCsvFieldFormula,
    ::testing::Values(FormulaCase{"=1+1", "'=1+1"}, FormulaCase{"=SUM(1,2)", "\"'=SUM(1,2)\""},
                      FormulaCase{"+1", "'+1"}, FormulaCase{"+a,b", "\"'+a,b\""},
                      FormulaCase{"-1", "'-1"}, FormulaCase{"-a,b", "\"'-a,b\""},
                      FormulaCase{"@x", "'@x"}, FormulaCase{"@\"x\"", "\"'@\"\"x\"\"\""},
                      FormulaCase{"\tx", "'\tx"}, FormulaCase{"\tx,y", "\"'\tx,y\""},
                      // A CR always brings the quotes.
                      FormulaCase{"\rx", "\"'\rx\""}, FormulaCase{"\r", "\"'\r\""},
                      FormulaCase{"=", "'="}, FormulaCase{"-", "'-"}));

TEST(AppendCsvField, OtherFirstCharactersGetNoPrefix) {
  for (const std::string text : {"a=1", " =1", "1-2", "'=1", "#1", "%1"}) {
    EXPECT_EQ(Csv(text), "x" + text);
  }
  EXPECT_EQ(Csv("\n=1"), "x\"\n=1\"");
  // A CP932 character is never taken for one of the six, whatever its second byte.
  const std::string wide = Utf8ToCp932("＝表ー＋");
  EXPECT_EQ(Csv(wide), "x" + wide);
}

// Each kind escapes in its own way; the formula prefix belongs to CSV alone.
TEST(ReportText, EachKindHasItsOwnEscaping) {
  std::string csv, html;
  AppendCsvField(csv, "<a,b>");
  AppendHtmlText(html, "<a,b>");
  EXPECT_EQ(csv, "\"<a,b>\"");
  EXPECT_EQ(html, "&lt;a,b&gt;");
  csv.clear();
  html.clear();
  AppendCsvField(csv, "=1+1");
  AppendHtmlText(html, "=1+1");
  EXPECT_EQ(csv, "'=1+1");
  EXPECT_EQ(html, "=1+1");
}

}  // namespace
}  // namespace tallyer
