#include "report/tsv_table.h"

#include <gtest/gtest.h>

#include "data/cp932.h"

namespace tallyer {
namespace {

TallyRow ColorRow(std::uint32_t color, const char* type, long long count, long long minutes) {
  TallyRow row;
  row.color = color;
  row.typeName = Utf8ToCp932(type);
  row.figures = {count, minutes};
  return row;
}

TallyRow ContentRow(const char* content, long long count, long long minutes) {
  TallyRow row;
  row.content = Utf8ToCp932(content);
  row.figures = {count, minutes};
  return row;
}

MemberTally Member(const char* name, long long count, long long minutes,
                   std::vector<TallyRow> rows = {}) {
  MemberTally member;
  member.key = "k";
  member.name = Utf8ToCp932(name);
  member.figures = {count, minutes};
  member.rows = std::move(rows);
  return member;
}

TallyResult Result(int mode, std::vector<MemberTally> members, std::vector<TallyRow> teamRows = {}) {
  TallyResult result;
  result.settings.mode = mode;
  result.settings.durationFormat = 2;  // never used: the copy has its own form
  result.members = std::move(members);
  for (const MemberTally& m : result.members) {
    result.totals.count += m.figures.count;
    result.totals.minutes += m.figures.minutes;
  }
  result.teamRows = std::move(teamRows);
  return result;
}

std::string Lines(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) text += std::string(line) + "\r\n";
  return text;
}

struct TsvCase {
  const char* name;
  TallyResult result;
  std::vector<std::size_t> order;
  std::string expected;
};

class ResultTsvTest : public ::testing::TestWithParam<TsvCase> {};

TEST_P(ResultTsvTest, GivesTheBytesASpreadsheetPastes) {
  EXPECT_EQ(ResultTsv(GetParam().result, GetParam().order), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ResultTsvTest,
    ::testing::Values(
        TsvCase{"TotalsInTheOrderGiven",
                Result(kModeTotal, {Member("田中 一郎", 73, 39060), Member("鈴木", 1, 5),
                                    Member("山本", 0, 0)}),
                {2, 0, 1},
                Lines({"メンバー\t件数\t時間", "山本\t0\t0:00", "田中 一郎\t73\t651:00", "鈴木\t1\t0:05",
                       "合計\t74\t651:05"})},
        TsvCase{"IndexesOutsideTheResultLeftOut",
                Result(kModeTotal, {Member("田中", 2, 61)}), {5, 0},
                Lines({"メンバー\t件数\t時間", "田中\t2\t1:01", "合計\t2\t1:01"})},
        TsvCase{"ColoursWithTheNameOnEveryRow",
                Result(kModeColor,
                       {Member("田中", 3, 150, {ColorRow(0x0000FF, "", 1, 30), ColorRow(0xFF8000, "", 2, 120)}),
                        Member("鈴木", 0, 0)},
                       {ColorRow(0x0000FF, "", 1, 30), ColorRow(0xFF8000, "", 2, 120)}),
                {1, 0},
                Lines({"メンバー\t色\t件数\t時間", "鈴木\t\t0\t0:00", "田中\t#ff0000\t1\t0:30",
                       "田中\t#0080ff\t2\t2:00", "チーム\t#ff0000\t1\t0:30", "チーム\t#0080ff\t2\t2:00",
                       "合計\t\t3\t2:30"})},
        TsvCase{"TypesWithZeroRowsAndColoursWithoutName",
                Result(kModeType,
                       {Member("田中", 2, 600, {ColorRow(0x0000FF, "会議", 2, 600), ColorRow(0xFF0000, "打合せ", 0, 0),
                                                ColorRow(0x00FF00, "", 0, 0)})},
                       {ColorRow(0x0000FF, "会議", 2, 600), ColorRow(0xFF0000, "打合せ", 0, 0),
                        ColorRow(0x00FF00, "", 0, 0)}),
                {0},
                Lines({"メンバー\t色\tタイプ\t件数\t時間", "田中\t#ff0000\t会議\t2\t10:00",
                       "田中\t#0000ff\t打合せ\t0\t0:00", "田中\t#00ff00\t\t0\t0:00",
                       "チーム\t#ff0000\t会議\t2\t10:00", "チーム\t#0000ff\t打合せ\t0\t0:00",
                       "チーム\t#00ff00\t\t0\t0:00", "合計\t\t\t2\t10:00"})},
        TsvCase{"HostileTextsNeitherSplitCellsNorRunAsFormulas",
                Result(kModeContent,
                       {Member("=HYPERLINK(\"x\")", 4, 4,
                               {ContentRow("=1+1", 1, 1), ContentRow("a\tb\r\nc\nd", 1, 1),
                                ContentRow("\t=SUM(A1)", 1, 1), ContentRow("-@+", 1, 1)}),
                        Member("@家", 0, 0)},
                       {ContentRow("=1+1", 1, 1)}),
                {0, 1},
                Lines({"メンバー\t内容\t件数\t時間", "'=HYPERLINK(\"x\")\t'=1+1\t1\t0:01",
                       "'=HYPERLINK(\"x\")\ta b  c d\t1\t0:01", "'=HYPERLINK(\"x\")\t =SUM(A1)\t1\t0:01",
                       "'=HYPERLINK(\"x\")\t'-@+\t1\t0:01", "'@家\t\t0\t0:00", "チーム\t'=1+1\t1\t0:01",
                       "合計\t\t4\t0:04"})}),
    [](const ::testing::TestParamInfo<TsvCase>& info) { return std::string(info.param.name); });

TEST(ResultTsv, TextsThatAreNotCp932BecomeReplacementCharacters) {
  const TallyResult result = Result(kModeTotal, {Member("", 0, 0)});
  TallyResult broken = result;
  broken.members[0].name = "a\x82";
  EXPECT_EQ(ResultTsv(broken, ReportOrder(broken)),
            Lines({"メンバー\t件数\t時間", "a\xEF\xBF\xBD\t0\t0:00", "合計\t0\t0:00"}));
}

TEST(HoursMinutesText, PadsOnlyTheMinutes) {
  EXPECT_EQ(HoursMinutesText(0), "0:00");
  EXPECT_EQ(HoursMinutesText(59), "0:59");
  EXPECT_EQ(HoursMinutesText(60), "1:00");
  EXPECT_EQ(HoursMinutesText(39060), "651:00");
  EXPECT_EQ(HoursMinutesText(6000000061), "100000001:01");
}

}  // namespace
}  // namespace tallyer
