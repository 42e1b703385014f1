#include <deque>
#include <gtest/gtest.h>

#include "data/cp932.h"
#include "data/type_colors.h"
#include "report/classic_report.h"
#include "run/diagnostic_log.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"
#include "tally/result_builder.h"
#include "tally/tally_context.h"

namespace tallyer {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::RecordingUi;
using testing::TempDir;
using testing::WriteBytes;

constexpr std::uint32_t kRed = 0x0000FFu;
constexpr std::uint32_t kSky = 0xFF8000u;  // red 0, green 128, blue 255

std::string J(const char* utf8) { return Utf8ToCp932(utf8); }

const std::string kHtmlHead = J(
    "<html><head>\n"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">\n"
    "<title>集計結果</title>\n"
    "<style type=\"text/css\">\n"
    "<!--\n"
    "table { border-collapse: collapse; border: none; }\n"
    "td { border: 1px solid gray; padding: 3px; vertical-align: top; }\n"
    "-->\n"
    "</style>\n"
    "</head>\n<body>\n");
const char kTrailer[] = "</table>\n</body></html>";

const DateTime kFirst = DateTime::FromParts(2005, 4, 1);
const DateTime kLast = DateTime::FromParts(2005, 4, 30);

// The document the run makes of the context's member results: the result
// built from them, then the classic formatter of the kind. The formatters
// compose their own option lines: the period of kFirst to kLast here.
std::string Document(const TallyContext& context, bool csv, TallySettings s, const CTypeColors* types) {
  if (s.firstDate == DateTime{}) {
    s.firstDate = kFirst;
    s.lastDate = kLast;
  }
  const TallyResult result = BuildTallyResult(context, s, types, DateTime{});
  return csv ? ClassicCsvDocument(result) : ClassicHtmlDocument(result);
}

TallySettings Settings(int mode, int form) {
  TallySettings s;
  s.mode = mode;
  s.durationFormat = form;
  return s;
}

std::string TotalsDocument(const TallyContext& context, bool csv, int form, bool noOverlap,
                           const DateTime& first, const DateTime& last) {
  TallySettings s = Settings(kModeTotal, form);
  s.noOverlap = noOverlap;
  s.firstDate = first;
  s.lastDate = last;
  return Document(context, csv, s, nullptr);
}

std::string ColorDocument(const TallyContext& context, bool csv, int form, const CTypeColors* types) {
  return Document(context, csv, Settings(types != nullptr ? kModeType : kModeColor, form), types);
}

std::string ContentDocument(const TallyContext& context, bool csv, int form) {
  return Document(context, csv, Settings(kModeContent, form), nullptr);
}

// A context whose member results are built by hand; the report only reads them.
class ReportDocuments : public ::testing::Test {
 protected:
  ReportDocuments() : log_(dir_ / "no.log"), context_() {
    context_.group.name = J("営業部");
  }

  void Lines(bool csv) {
    context_.optionLines = J(csv ? "期間：2005年4月1日(金) ～ 2005年4月30日(土)\r\n"
                                 : "期間：2005年4月1日(金) ～ 2005年4月30日(土)<br>\n");
  }
  MemberResult& AddResult(const char* name) {
    CMember& m = members_.emplace_back();
    m.name = J(name);
    m.key = m.name;
    return context_.memberResults.emplace_back(MemberResult{&m, {}});
  }
  void AddSchedule(MemberResult& r, std::uint32_t color, int minutes, const char* content = "") {
    CSchedule& s = schedules_.emplace_back();
    s.start = DateTime::FromParts(2005, 4, 4, 9, 0);
    s.end = DateTime::FromParts(2005, 4, 4, 9 + minutes / 60, minutes % 60);
    s.color = color;
    s.content = texts_.emplace_back(J(content));
    r.schedules.push_back(&s);
  }
  // The example: 田中 with three schedules of 150 minutes in all, 鈴木 without any.
  void TanakaAndSuzuki() {
    MemberResult& tanaka = AddResult("田中");
    AddSchedule(tanaka, kRed, 60, "会議");
    AddSchedule(tanaka, kRed, 30, "会議");
    AddSchedule(tanaka, kSky, 60, "外出");
    AddResult("鈴木");
  }
  CTypeColors MeetingIsRed() {
    CTypeColors types;
    types.names = {J("会議")};
    types.colors = {kRed};
    return types;
  }

  TempDir dir_;
  RecordingUi ui_;
  DiagnosticLog log_;
  TallyContext context_;

 private:
  std::deque<CMember> members_;
  std::deque<CSchedule> schedules_;
  std::deque<std::string> texts_;
};

TEST_F(ReportDocuments, TotalsExampleCsv) {
  Lines(true);
  TanakaAndSuzuki();
  EXPECT_EQ(TotalsDocument(context_, true, 0, false, kFirst, kLast),
            J("グループ名：営業部\r\n"
              "期間：2005年4月1日(金) ～ 2005年4月30日(土)\r\n"
              "田中,3,2時間30分\r\n"
              "鈴木,0,0時間00分\r\n"));
}

TEST_F(ReportDocuments, TotalsExampleHtml) {
  Lines(false);
  TanakaAndSuzuki();
  EXPECT_EQ(TotalsDocument(context_, false, 0, false, kFirst, kLast),
            kHtmlHead +
                J("グループ名：営業部<br>期間：2005年4月1日(金) ～ 2005年4月30日(土)<br>\n"
                  "<table>\n"
                  "<tr><td>田中</td><td>3件</td><td>2時間30分</td></tr>\n"
                  "<tr><td>鈴木</td><td>0件</td><td>0時間00分</td></tr>\n") +
                kTrailer);
}

// Readers that guess the encoding (office suites, some browsers) need the
// page to say it: the line right after "<html><head>", in plain ASCII.
TEST_F(ReportDocuments, HtmlPageDeclaresShiftJisOnItsSecondLine) {
  Lines(false);
  TanakaAndSuzuki();
  const CTypeColors types = MeetingIsRed();
  for (const std::string& page :
       {TotalsDocument(context_, false, 0, false, kFirst, kLast),
        ColorDocument(context_, false, 0, &types), ContentDocument(context_, false, 0)}) {
    EXPECT_EQ(page.substr(0, 85),
              "<html><head>\n"
              "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">\n");
    EXPECT_EQ(page.substr(85, 24), J("<title>集計結果</title>\n"));
  }
  // The CSV file has no such line.
  Lines(true);
  EXPECT_EQ(TotalsDocument(context_, true, 0, false, kFirst, kLast).find("charset"),
            std::string::npos);
}

TEST_F(ReportDocuments, GroupLabelIsItsCp932Bytes) {
  Lines(true);
  const std::string doc = TotalsDocument(context_, true, 0, false, kFirst, kLast);
  EXPECT_EQ(doc.substr(0, 12), "\x83O\x83\x8b\x81[\x83v\x96\xbc\x81\x46");
}

TEST_F(ReportDocuments, NoMemberResultsGiveTheHeadAndTrailerOnly) {
  Lines(false);
  const std::string html = kHtmlHead +
                           J("グループ名：営業部<br>期間：2005年4月1日(金) ～ 2005年4月30日(土)"
                             "<br>\n<table>\n") +
                           kTrailer;
  EXPECT_EQ(TotalsDocument(context_, false, 0, false, kFirst, kLast), html);
  EXPECT_EQ(ColorDocument(context_, false, 0, nullptr), html);
  EXPECT_EQ(ContentDocument(context_, false, 0), html);
  Lines(true);
  const std::string csv = J("グループ名：営業部\r\n期間：2005年4月1日(金) ～ 2005年4月30日(土)\r\n");
  EXPECT_EQ(TotalsDocument(context_, true, 0, false, kFirst, kLast), csv);
  EXPECT_EQ(ColorDocument(context_, true, 0, nullptr), csv);
  EXPECT_EQ(ContentDocument(context_, true, 0), csv);
}

// Each formatter composes the option lines of its kind from the settings.
TEST_F(ReportDocuments, HeadHoldsTheOptionLinesOfItsKind) {
  TallySettings s = Settings(kModeTotal, 0);
  s.contentOnly = true;
  s.contentText = J("a<b,c");
  s.bandOnly = true;
  s.firstDate = kFirst;
  s.lastDate = kLast;
  EXPECT_EQ(Document(context_, true, s, nullptr),
            J("グループ名：営業部\r\n") + ClassicCsvOptionLines(s));
  EXPECT_EQ(Document(context_, false, s, nullptr),
            kHtmlHead + J("グループ名：営業部<br>") + ClassicHtmlOptionLines(s) + "<table>\n" + kTrailer);
}

TEST_F(ReportDocuments, GroupNameIsEscapedAndItsCsvLineIsOneField) {
  context_.group.name = J("A,B <\"営業\"&>");
  const std::string period = J("期間：2005年4月1日(金) ～ 2005年4月30日(土)");
  EXPECT_EQ(ContentDocument(context_, true, 0),
            J("\"グループ名：A,B <\"\"営業\"\"&>\"\r\n") + period + "\r\n");
  EXPECT_EQ(ContentDocument(context_, false, 0),
            kHtmlHead + J("グループ名：A,B &lt;&quot;営業&quot;&amp;&gt;<br>") + period +
                "<br>\n<table>\n" + kTrailer);
}

TEST_F(ReportDocuments, TypeExampleCsvAndHtml) {
  Lines(true);
  MemberResult& tanaka = AddResult("田中");
  AddSchedule(tanaka, kRed, 60);
  AddSchedule(tanaka, kSky, 30);
  AddSchedule(tanaka, kRed, 30);
  const CTypeColors types = MeetingIsRed();
  EXPECT_EQ(ColorDocument(context_, true, 0, &types),
            J("グループ名：営業部\r\n"
              "期間：2005年4月1日(金) ～ 2005年4月30日(土)\r\n"
              "田中,\"#ff0000\",会議,2,1時間30分\r\n"
              ",\"#0080ff\",1件,0時間30分\r\n"));
  Lines(false);
  EXPECT_EQ(ColorDocument(context_, false, 0, &types),
            kHtmlHead +
                J("グループ名：営業部<br>期間：2005年4月1日(金) ～ 2005年4月30日(土)<br>\n"
                  "<table>\n"
                  "<tr><td rowspan=2>田中</td><td bgcolor=\"#ff0000\"><font color=white>会議"
                  "</font></td><td>2件</td><td>1時間30分</td></tr>\n"
                  "<tr><td bgcolor=\"#0080ff\">&nbsp;&nbsp;&nbsp;</td><td>1件</td>"
                  "<td>0時間30分</td></tr>\n") +
                kTrailer);
}

TEST_F(ReportDocuments, ContentDocumentWithEveryGroupSize) {
  Lines(true);
  TanakaAndSuzuki();
  MemberResult& sato = AddResult("佐藤");
  AddSchedule(sato, kRed, 15, "外出");
  EXPECT_EQ(ContentDocument(context_, true, 1),
            J("グループ名：営業部\r\n"
              "期間：2005年4月1日(金) ～ 2005年4月30日(土)\r\n"
              "田中,会議,2,1:30\r\n"
              ",外出,1,1:00\r\n"
              "鈴木,,0,0:00\r\n"
              "佐藤,外出,1,0:15\r\n"));
}

TEST_F(ReportDocuments, FormattersWriteTheDocumentOfTheirKindThroughTheReportWriter) {
  TanakaAndSuzuki();
  for (const int mode : {kModeTotal, kModeColor, kModeContent}) {
    TallySettings s = Settings(mode, 3);
    s.firstDate = kFirst;
    s.lastDate = kLast;
    const TallyResult result = BuildTallyResult(context_, s, nullptr, DateTime{});
    ASSERT_EQ(WriteReport(ClassicCsvFormatter(), result, dir_ / "out.csv"), std::nullopt);
    EXPECT_EQ(ReadBytes(dir_ / "out.csv"), Document(context_, true, s, nullptr));
    ASSERT_EQ(WriteReport(ClassicHtmlFormatter(), result, dir_ / "page.html"), std::nullopt);
    EXPECT_EQ(ReadBytes(dir_ / "page.html"), Document(context_, false, s, nullptr));
  }
}

TEST_F(ReportDocuments, TypeDocumentNamesTheColoursOfTheTypeFile) {
  TanakaAndSuzuki();
  WriteBytes(dir_ / "colors.type", J("nopalette\r\n会議\t255,0,0\r\n"));
  CTypeColors loaded;
  loaded.Load(dir_ / "colors.type");
  const CTypeColors types = MeetingIsRed();
  EXPECT_EQ(ColorDocument(context_, true, 0, &loaded), ColorDocument(context_, true, 0, &types));
  EXPECT_NE(ColorDocument(context_, true, 0, &loaded).find(J("会議")), std::string::npos);
}

TEST_F(ReportDocuments, TypeDocumentWithoutItsFileWritesTheColourRows) {
  TanakaAndSuzuki();
  CTypeColors missing;
  missing.Load(dir_ / "missing.type");
  EXPECT_EQ(Document(context_, false, Settings(kModeType, 0), &missing),
            ColorDocument(context_, false, 0, nullptr));
}

TEST_F(ReportDocuments, FormatterReportsAFailedWrite) {
  const fs::path target = dir_ / "missing" / "out.csv";
  const TallyResult result = BuildTallyResult(context_, Settings(kModeContent, 0), nullptr, DateTime{});
  const std::optional<Problem> problem = WriteReport(ClassicCsvFormatter(), result, target);
  ASSERT_TRUE(problem.has_value());
  EXPECT_EQ(problem->message, Utf8ToCp932(target.string() + " が見つかりませんでした。"));
  EXPECT_EQ(problem->kind, MessageKind::kExclamation);
}

}  // namespace
}  // namespace tallyer
