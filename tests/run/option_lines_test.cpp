#include <gtest/gtest.h>

#include "data/cp932.h"
#include "run/run.h"

namespace tallyer {
namespace {

TallySettings April2005() {
  TallySettings s;
  s.firstDate = DateTime::FromParts(2005, 4, 1);
  s.lastDate = DateTime::FromParts(2005, 4, 30, 18, 12);
  return s;
}

TEST(ComposeOptionLines, PeriodLineOnlyByDefault) {
  EXPECT_EQ(ComposeOptionLines(April2005(), true),
            Utf8ToCp932("期間：2005年4月1日(金) ～ 2005年4月30日(土)\r\n"));
  EXPECT_EQ(ComposeOptionLines(April2005(), false),
            Utf8ToCp932("期間：2005年4月1日(金) ～ 2005年4月30日(土)<br>\n"));
}

TEST(ComposeOptionLines, FullWidthColonAndTildeAreTheirCp932Bytes) {
  const std::string lines = ComposeOptionLines(April2005(), true);
  EXPECT_EQ(lines.substr(0, 6), "\x8a\xfa\x8a\xd4\x81\x46");
  EXPECT_NE(lines.find(") \x81\x60 2005"), std::string::npos);
}

TEST(ComposeOptionLines, PeriodContentBandInThisOrder) {
  TallySettings s = April2005();
  s.bandOnly = true;
  s.bandStart = DateTime::FromParts(2000, 1, 1, 9, 5);
  s.bandEnd = DateTime::FromParts(2000, 1, 1, 18, 0);
  s.contentOnly = true;
  s.contentText = Utf8ToCp932("会議");
  EXPECT_EQ(ComposeOptionLines(s, true),
            Utf8ToCp932("期間：2005年4月1日(金) ～ 2005年4月30日(土)\r\n"
                        "次の文字列を含む：会議\r\n"
                        "次の時間帯のみ：9:05 ～ 18:00\r\n"));
  EXPECT_EQ(ComposeOptionLines(s, false),
            Utf8ToCp932("期間：2005年4月1日(金) ～ 2005年4月30日(土)<br>\n"
                        "次の文字列を含む：会議<br>\n"
                        "次の時間帯のみ：9:05 ～ 18:00<br>\n"));
}

TEST(ComposeOptionLines, BandWithoutContent) {
  TallySettings s = April2005();
  s.bandOnly = true;
  s.contentText = "ignored";
  EXPECT_EQ(ComposeOptionLines(s, true),
            Utf8ToCp932("期間：2005年4月1日(金) ～ 2005年4月30日(土)\r\n"
                        "次の時間帯のみ：17:30 ～ 23:59\r\n"));
}

TEST(ComposeOptionLines, ContentTextIsTheUsersTextUnfolded) {
  TallySettings s = April2005();
  s.contentOnly = true;
  s.contentText = Utf8ToCp932("ＡＢｃ");
  EXPECT_EQ(ComposeOptionLines(s, false),
            Utf8ToCp932("期間：2005年4月1日(金) ～ 2005年4月30日(土)<br>\n次の文字列を含む：ＡＢｃ<br>\n"));
}

TEST(ComposeOptionLines, ContentTextIsEscapedForItsKind) {
  TallySettings s = April2005();
  s.contentOnly = true;
  s.contentText = "<b>\"A\",&";
  EXPECT_EQ(ComposeOptionLines(s, false),
            Utf8ToCp932("期間：2005年4月1日(金) ～ 2005年4月30日(土)<br>\n"
                        "次の文字列を含む：&lt;b&gt;&quot;A&quot;,&amp;<br>\n"));
  // In CSV the whole line is one field.
  EXPECT_EQ(ComposeOptionLines(s, true),
            Utf8ToCp932("期間：2005年4月1日(金) ～ 2005年4月30日(土)\r\n"
                        "\"次の文字列を含む：<b>\"\"A\"\",&\"\r\n"));
}

}  // namespace
}  // namespace tallyer
