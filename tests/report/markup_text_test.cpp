#include "report/markup_text.h"

#include <gtest/gtest.h>

namespace tallyer {
namespace {

struct MarkupCase {
  std::string text;
  std::string page;
  std::string svg;
};

class MarkupTextTest : public ::testing::TestWithParam<MarkupCase> {};

TEST_P(MarkupTextTest, EscapesHostileTexts) {
  std::string page = "[";
  AppendPageText(page, GetParam().text);
  EXPECT_EQ(page, "[" + GetParam().page);
  std::string svg;
  AppendOneLineText(svg, GetParam().text);
  EXPECT_EQ(svg, GetParam().svg);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Texts, MarkupTextTest,
    ::testing::Values(
        MarkupCase{"田中 一郎", "田中 一郎", "田中 一郎"},
        MarkupCase{"<script>alert(\"x\")</script>",
                   "&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt;",
                   "&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt;"},
        MarkupCase{"a&amp;b", "a&amp;amp;b", "a&amp;amp;b"},
        MarkupCase{"\" onmouseover=\"x", "&quot; onmouseover=&quot;x",
                   "&quot; onmouseover=&quot;x"},
        MarkupCase{"</title></svg><img src=x>", "&lt;/title&gt;&lt;/svg&gt;&lt;img src=x&gt;",
                   "&lt;/title&gt;&lt;/svg&gt;&lt;img src=x&gt;"},
        MarkupCase{"<!-- ]]> -->", "&lt;!-- ]]&gt; --&gt;", "&lt;!-- ]]&gt; --&gt;"},
        MarkupCase{"it's", "it's", "it's"},
        // Each line end is one break, whichever kind.
        MarkupCase{"a\r\nb\rc\nd", "a<br>b<br>c<br>d", "a b c d"},
        MarkupCase{"\r\n\r\n", "<br><br>", "  "}, MarkupCase{"\n\r", "<br><br>", "  "},
        MarkupCase{"end\r", "end<br>", "end "},
        // TAB stays; other controls and bytes that are not UTF-8 become U+FFFD.
        MarkupCase{"a\tb", "a\tb", "a\tb"},
        MarkupCase{"a\0b\x1b[31m"s, "a\xef\xbf\xbd" "b\xef\xbf\xbd[31m",
                   "a\xef\xbf\xbd" "b\xef\xbf\xbd[31m"},
        MarkupCase{"\x7f\xc2\x85", "\xef\xbf\xbd\xef\xbf\xbd", "\xef\xbf\xbd\xef\xbf\xbd"},
        MarkupCase{"\xff<\xe4\xb8", "\xef\xbf\xbd&lt;\xef\xbf\xbd\xef\xbf\xbd",
                   "\xef\xbf\xbd&lt;\xef\xbf\xbd\xef\xbf\xbd"},
        MarkupCase{"\xef\xbf\xbf", "\xef\xbf\xbd", "\xef\xbf\xbd"},  // U+FFFF
        MarkupCase{"\xf0\x9f\x98\x80", "\xf0\x9f\x98\x80", "\xf0\x9f\x98\x80"}));

}  // namespace
}  // namespace tallyer
