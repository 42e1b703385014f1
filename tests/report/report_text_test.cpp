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

TEST(AppendReportText, ChoosesTheEscapingOfTheKind) {
  std::string csv, html;
  AppendReportText(csv, "<a,b>", true);
  AppendReportText(html, "<a,b>", false);
  EXPECT_EQ(csv, "\"<a,b>\"");
  EXPECT_EQ(html, "&lt;a,b&gt;");
}

}  // namespace
}  // namespace tallyer
