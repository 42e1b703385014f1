#include <deque>
#include <gtest/gtest.h>

#include "data/cp932.h"
#include "data/type_colors.h"
#include "report/classic_report.h"
#include "support/result_of.h"

namespace tallyer {
namespace {

constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return r | (g << 8) | (b << 16);
}
constexpr std::uint32_t kRed = Rgb(255, 0, 0);
constexpr std::uint32_t kSky = Rgb(0, 128, 255);
constexpr std::uint32_t kWhite = Rgb(255, 255, 255);

std::string J(const char* utf8) { return Utf8ToCp932(utf8); }

// Members and schedules built in memory; MemberResult only points at them.
class ReportRows : public ::testing::Test {
 protected:
  const CMember& Member(const char* utf8Name) {
    CMember& m = members_.emplace_back();
    m.name = J(utf8Name);
    m.key = m.name;
    return m;
  }
  // A schedule of `minutes` (< 15 hours) from 09:00 on 1 June 2005.
  const CSchedule* Schedule(std::uint32_t color, int minutes, std::string contentCp932 = {}) {
    CSchedule& s = schedules_.emplace_back();
    s.start = DateTime::FromParts(2005, 6, 1, 9, 0);
    s.end = DateTime::FromParts(2005, 6, 1, 9 + minutes / 60, minutes % 60);
    s.color = color;
    s.content = texts_.emplace_back(std::move(contentCp932));
    return &s;
  }
  const CSchedule* Span(int startHour, int startMinute, int endHour, int endMinute) {
    CSchedule& s = schedules_.emplace_back();
    s.start = DateTime::FromParts(2005, 6, 1, startHour, startMinute);
    s.end = DateTime::FromParts(2005, 6, 1, endHour, endMinute);
    return &s;
  }
  static MemberResult Result(const CMember& m, std::vector<const CSchedule*> schedules = {}) {
    return MemberResult{&m, std::move(schedules)};
  }

  // The rows of one member result as the classic document of its mode holds
  // them: the document of a result of that member alone, without its head
  // (up to the period line, or "<table>" LF) and trailer.
  static std::string Rows(const MemberResult& r, bool csv, int mode, int format,
                          const CTypeColors* types = nullptr, bool noOverlap = false) {
    TallySettings s;
    s.mode = mode;
    s.durationFormat = format;
    s.noOverlap = noOverlap;
    s.firstDate = DateTime::FromParts(2005, 6, 1);
    s.lastDate = DateTime::FromParts(2005, 6, 30);
    const TallyResult result = testing::ResultOf({r}, s, types);
    if (csv) {
      const std::string doc = ClassicCsvDocument(result);
      return doc.substr(doc.find("\r\n", doc.find("\r\n") + 2) + 2);
    }
    const std::string doc = ClassicHtmlDocument(result);
    const std::size_t from = doc.find("<table>\n") + 8;
    return doc.substr(from, doc.rfind("</table>") - from);
  }
  std::string Totals(const MemberResult& r, bool csv, int format = 0, bool noOverlap = false) {
    return Rows(r, csv, kModeTotal, format, nullptr, noOverlap);
  }
  static std::string Colors(const MemberResult& r, bool csv, const CTypeColors* types,
                            int format = 0) {
    return Rows(r, csv, types != nullptr ? kModeType : kModeColor, format, types);
  }
  static std::string Contents(const MemberResult& r, bool csv, int format = 0) {
    return Rows(r, csv, kModeContent, format);
  }
  static CTypeColors Types(std::vector<std::pair<const char*, std::uint32_t>> entries) {
    CTypeColors types;
    for (const auto& [name, color] : entries) {
      types.names.push_back(J(name));
      types.colors.push_back(color);
    }
    return types;
  }

 private:
  std::deque<CMember> members_;
  std::deque<CSchedule> schedules_;
  std::deque<std::string> texts_;
};

// ----- mode 1 (the examples are in the document tests) ---------------------

TEST_F(ReportRows, TotalsRowCountsOverlapOnceWhenAsked) {
  // 09:00-10:00 and 09:30-10:30 on the same day: 120 minutes, 90 without overlap.
  const MemberResult r = Result(Member("佐藤"), {Span(9, 0, 10, 0), Span(9, 30, 10, 30)});
  EXPECT_EQ(Totals(r, true, 3, false), J("佐藤,2,120\r\n"));
  EXPECT_EQ(Totals(r, true, 3, true), J("佐藤,2,90\r\n"));
}

TEST_F(ReportRows, TotalsRowWithoutADurationFormLeavesTheLastCellEmpty) {
  const MemberResult r = Result(Member("田中"), {Schedule(kRed, 60)});
  EXPECT_EQ(Totals(r, true, -1), J("田中,1,\r\n"));
  EXPECT_EQ(Totals(r, false, -1), J("<tr><td>田中</td><td>1件</td><td></td></tr>\n"));
}

TEST_F(ReportRows, TotalsRowEscapesTheMemberName) {
  const MemberResult r = Result(Member("A,\"B\" <C&D>"), {Schedule(kRed, 60)});
  EXPECT_EQ(Totals(r, true, 3), "\"A,\"\"B\"\" <C&D>\",1,60\r\n");
  EXPECT_EQ(Totals(r, false, 3),
            J("<tr><td>A,&quot;B&quot; &lt;C&amp;D&gt;</td><td>1件</td><td>60</td></tr>\n"));
}

// ----- modes 2 and 3 ----------------------------------------------------------

TEST_F(ReportRows, ColorModeSingleKeyWritesABareCount) {
  const MemberResult r = Result(Member("田中"), {Schedule(kSky, 30)});
  EXPECT_EQ(Colors(r, true, nullptr), J("田中,\"#0080ff\",1,0時間30分\r\n"));
  EXPECT_EQ(Colors(r, false, nullptr),
            J("<tr><td>田中</td><td bgcolor=\"#0080ff\">&nbsp;&nbsp;&nbsp;</td><td>1件</td>"
              "<td>0時間30分</td></tr>\n"));
}

TEST_F(ReportRows, ColorModeGroupAscendsByColourValueWithCountsInKen) {
  // 0x00ff8000 (sky) sorts after 0x000000ff (red) although it came first.
  const MemberResult r =
      Result(Member("田中"), {Schedule(kSky, 30), Schedule(kRed, 90), Schedule(kSky, 15)});
  EXPECT_EQ(Colors(r, true, nullptr),
            J("田中,\"#ff0000\",1件,1時間30分\r\n"
              ",\"#0080ff\",2件,0時間45分\r\n"));
  EXPECT_EQ(Colors(r, false, nullptr),
            J("<tr><td rowspan=2>田中</td><td bgcolor=\"#ff0000\">&nbsp;&nbsp;&nbsp;</td>"
              "<td>1件</td><td>1時間30分</td></tr>\n"
              "<tr><td bgcolor=\"#0080ff\">&nbsp;&nbsp;&nbsp;</td><td>2件</td><td>0時間45分</td>"
              "</tr>\n"));
}

TEST_F(ReportRows, ColorModeThreeKeysOpenARowBetweenEachPair) {
  const MemberResult r =
      Result(Member("田中"), {Schedule(kWhite, 1), Schedule(kSky, 2), Schedule(kRed, 3)});
  EXPECT_EQ(Colors(r, false, nullptr, 3),
            J("<tr><td rowspan=3>田中</td><td bgcolor=\"#ff0000\">&nbsp;&nbsp;&nbsp;</td>"
              "<td>1件</td><td>3</td></tr>\n"
              "<tr><td bgcolor=\"#0080ff\">&nbsp;&nbsp;&nbsp;</td><td>1件</td><td>2</td></tr>\n"
              "<tr><td bgcolor=\"#ffffff\">&nbsp;&nbsp;&nbsp;</td><td>1件</td><td>1</td></tr>\n"));
  EXPECT_EQ(Colors(r, true, nullptr, 3),
            J("田中,\"#ff0000\",1件,3\r\n,\"#0080ff\",1件,2\r\n,\"#ffffff\",1件,1\r\n"));
}

TEST_F(ReportRows, TypeModeSingleNamedKey) {
  const CTypeColors types = Types({{"会議", kRed}});
  const MemberResult r = Result(Member("田中"), {Schedule(kRed, 60), Schedule(kRed, 30)});
  EXPECT_EQ(Colors(r, true, &types), J("田中,\"#ff0000\",会議,2,1時間30分\r\n"));
  EXPECT_EQ(Colors(r, false, &types),
            J("<tr><td>田中</td><td bgcolor=\"#ff0000\"><font color=white>会議</font></td>"
              "<td>2件</td><td>1時間30分</td></tr>\n"));
}

TEST_F(ReportRows, NamedKeyOnALightColourTakesBlackText) {
  const CTypeColors types = Types({{"外出", kWhite}, {"黒", 0}});
  const MemberResult r = Result(Member("田中"), {Schedule(kWhite, 60), Schedule(0, 60)});
  EXPECT_EQ(Colors(r, false, &types, 3),
            J("<tr><td rowspan=2>田中</td><td bgcolor=\"#ffffff\"><font color=black>外出</font>"
              "</td><td>1件</td><td>60</td></tr>\n"
              "<tr><td bgcolor=\"#000000\"><font color=white>黒</font></td><td>1件</td>"
              "<td>60</td></tr>\n"));
}

TEST_F(ReportRows, MemberWithoutKeysGetsOneZeroRow) {
  const MemberResult suzuki = Result(Member("鈴木"));
  const CTypeColors empty;
  for (const CTypeColors* types : {static_cast<const CTypeColors*>(nullptr), &empty}) {
    EXPECT_EQ(Colors(suzuki, true, types), J("鈴木,,0,\r\n"));
    EXPECT_EQ(Colors(suzuki, false, types),
              J("<tr><td>鈴木</td><td>&nbsp;</td><td>0件</td><td>0時間00分</td></tr>\n"));
  }
}

TEST_F(ReportRows, TypeTableGivesAMemberWithoutSchedulesOneZeroRowPerColour) {
  const CTypeColors types =
      Types({{"会議", kRed}, {"外出", kSky}, {"", kWhite}, {"休暇", Rgb(1, 2, 3)}});
  const MemberResult suzuki = Result(Member("鈴木"));
  // The entry without a name gets the colour-only cell although it is in the table.
  EXPECT_EQ(Colors(suzuki, true, &types),
            J("鈴木,\"#ff0000\",会議,0,0時間00分\r\n"
              ",\"#0080ff\",外出,0,0時間00分\r\n"
              ",\"#ffffff\",0件,0時間00分\r\n"
              ",\"#010203\",休暇,0,0時間00分\r\n"));
  EXPECT_EQ(Colors(suzuki, false, &types, 1),
            J("<tr><td rowspan=4>鈴木</td><td bgcolor=\"#ff0000\"><font color=white>会議</font>"
              "</td><td>0件</td><td>0:00</td></tr>\n"
              "<tr><td bgcolor=\"#0080ff\"><font color=white>外出</font></td><td>0件</td>"
              "<td>0:00</td></tr>\n"
              "<tr><td bgcolor=\"#ffffff\">&nbsp;&nbsp;&nbsp;</td><td>0件</td><td>0:00</td>"
              "</tr>\n"
              "<tr><td bgcolor=\"#010203\"><font color=white>休暇</font></td><td>0件</td>"
              "<td>0:00</td></tr>\n"));
}

TEST_F(ReportRows, ColorRowsWithoutADurationFormHaveEmptyDurations) {
  const MemberResult r = Result(Member("田中"), {Schedule(kRed, 60), Schedule(kSky, 60)});
  EXPECT_EQ(Colors(r, true, nullptr, 9), J("田中,\"#ff0000\",1件,\r\n,\"#0080ff\",1件,\r\n"));
  EXPECT_EQ(Colors(Result(Member("鈴木")), false, nullptr, 9),
            J("<tr><td>鈴木</td><td>&nbsp;</td><td>0件</td><td></td></tr>\n"));
}

TEST_F(ReportRows, ColorRowsEscapeMemberAndTypeNames) {
  const CTypeColors types = Types({{"<会議>,\"A\"&", kRed}});
  const MemberResult r = Result(Member("x,y"), {Schedule(kRed, 60)});
  EXPECT_EQ(Colors(r, true, &types, 3), J("\"x,y\",\"#ff0000\",\"<会議>,\"\"A\"\"&\",1,60\r\n"));
  EXPECT_EQ(Colors(r, false, &types, 3),
            J("<tr><td>x,y</td><td bgcolor=\"#ff0000\"><font color=white>&lt;会議&gt;,&quot;A"
              "&quot;&amp;</font></td><td>1件</td><td>60</td></tr>\n"));
}

// Texts a spreadsheet would run as formulas: every text field of the CSV gets
// the prefix, counts, durations and colours never do, and HTML shows the text.
TEST_F(ReportRows, CsvTextFieldsThatLookLikeFormulasArePrefixed) {
  const CTypeColors types = Types({{"=SUM(1,2)", kRed}});
  const MemberResult r = Result(Member("=1+1"), {Schedule(kRed, 60, "-a,b"), Schedule(kSky, 30, "@x")});
  EXPECT_EQ(Totals(r, true, 3), "'=1+1,2,90\r\n");
  EXPECT_EQ(Colors(r, true, &types, 3),
            "'=1+1,\"#ff0000\",\"'=SUM(1,2)\",1,60\r\n,\"#0080ff\"," + J("1件") + ",30\r\n");
  EXPECT_EQ(Contents(r, true, 3), "'=1+1,\"'-a,b\",1,60\r\n,'@x,1,30\r\n");
  EXPECT_EQ(Contents(r, false, 3),
            "<tr><td rowspan=2>=1+1</td><td>-a,b&nbsp;</td><td>" + J("1件") +
                "</td><td>60</td></tr>\n<tr><td>@x&nbsp;</td><td>" + J("1件") + "</td><td>30</td></tr>\n");
  EXPECT_EQ(Colors(r, false, &types, 3).find("'"), std::string::npos);
}

// ----- mode 4 ---------------------------------------------------------------

TEST_F(ReportRows, ContentGroupInOrderOfFirstOccurrence) {
  const MemberResult r = Result(Member("田中"), {Schedule(kRed, 60, J("会議")),
                                                 Schedule(kRed, 30, J("外出")),
                                                 Schedule(kSky, 30, J("会議"))});
  EXPECT_EQ(Contents(r, true), J("田中,会議,2,1時間30分\r\n,外出,1,0時間30分\r\n"));
  EXPECT_EQ(Contents(r, false),
            J("<tr><td rowspan=2>田中</td><td>会議&nbsp;</td><td>2件</td><td>1時間30分</td>"
              "</tr>\n"
              "<tr><td>外出&nbsp;</td><td>1件</td><td>0時間30分</td></tr>\n"));
}

TEST_F(ReportRows, ContentSingleKey) {
  const MemberResult r =
      Result(Member("田中"), {Schedule(kRed, 60, J("会議")), Schedule(kSky, 30, J("会議"))});
  EXPECT_EQ(Contents(r, true), J("田中,会議,2,1時間30分\r\n"));
  EXPECT_EQ(Contents(r, false),
            J("<tr><td>田中</td><td>会議&nbsp;</td><td>2件</td><td>1時間30分</td></tr>\n"));
}

TEST_F(ReportRows, ContentRowOfAMemberWithoutSchedulesFillsTheDuration) {
  const MemberResult suzuki = Result(Member("鈴木"));
  EXPECT_EQ(Contents(suzuki, true), J("鈴木,,0,0時間00分\r\n"));
  EXPECT_EQ(Contents(suzuki, false),
            J("<tr><td>鈴木</td><td>&nbsp;</td><td>0件</td><td>0時間00分</td></tr>\n"));
  EXPECT_EQ(Contents(suzuki, true, 5), J("鈴木,,0,\r\n"));
}

TEST_F(ReportRows, EmptyContentStillGetsAVisibleCell) {
  const MemberResult r = Result(Member("田中"), {Schedule(kRed, 60)});
  EXPECT_EQ(Contents(r, false, 2),
            J("<tr><td>田中</td><td>&nbsp;</td><td>1件</td><td>60分</td></tr>\n"));
  EXPECT_EQ(Contents(r, true, 2), J("田中,,1,60分\r\n"));
}

TEST_F(ReportRows, ContentTextsAreEscaped) {
  const MemberResult r = Result(Member("田中"), {Schedule(kRed, 60, J("打合せ,A社")),
                                                 Schedule(kRed, 60, "<b>\"x\"&"),
                                                 Schedule(kRed, 60, "a\r\nb")});
  EXPECT_EQ(Contents(r, true, 3),
            J("田中,\"打合せ,A社\",1,60\r\n,\"<b>\"\"x\"\"&\",1,60\r\n,\"a\r\nb\",1,60\r\n"));
  EXPECT_EQ(Contents(r, false, 3),
            J("<tr><td rowspan=3>田中</td><td>打合せ,A社&nbsp;</td><td>1件</td><td>60</td></tr>\n"
              "<tr><td>&lt;b&gt;&quot;x&quot;&amp;&nbsp;</td><td>1件</td><td>60</td></tr>\n"
              "<tr><td>a\r\nb&nbsp;</td><td>1件</td><td>60</td></tr>\n"));
}

TEST_F(ReportRows, ContentsEndingInALeadByteAreStillEscapedAndBucketedApart) {
  // The byte after a lone lead byte is no second byte: a quote or '<' there is
  // escaped like any other, and each content keeps its own bucket.
  const MemberResult r = Result(Member("田中"), {Schedule(kRed, 60, "\x82"), Schedule(kRed, 60, "\x82\""),
                                                 Schedule(kRed, 60, "\x82<"), Schedule(kRed, 60, "\x82,"),
                                                 Schedule(kRed, 60, "\x82"), Schedule(kRed, 60, "a\x82")});
  EXPECT_EQ(Contents(r, true, 3), J("田中") + ",\x82,2,120\r\n,\"\x82\"\"\",1,60\r\n,\x82<,1,60\r\n"
                                    ",\"\x82,\",1,60\r\n,a\x82,1,60\r\n");
  const std::string tail = "&nbsp;</td><td>" + J("1件") + "</td><td>60</td></tr>\n";
  EXPECT_EQ(Contents(r, false, 3), "<tr><td rowspan=5>" + J("田中") + "</td><td>\x82&nbsp;</td><td>" + J("2件") +
                                       "</td><td>120</td></tr>\n<tr><td>\x82&quot;" + tail + "<tr><td>\x82&lt;" + tail +
                                       "<tr><td>\x82," + tail + "<tr><td>a\x82" + tail);
}

}  // namespace
}  // namespace tallyer
