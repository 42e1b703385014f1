#include "tally/result_builder.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "data/cp932.h"
#include "data/type_colors.h"
#include "tally/tally_context.h"

namespace tallyer {
namespace {

constexpr std::uint32_t kRed = 0x0000FFu;
constexpr std::uint32_t kBlue = 0xFF0000u;
constexpr std::uint32_t kGreen = 0x00FF00u;

// A context whose member results are made by hand: 田中 with two red
// schedules (overlapping, 60 + 60 minutes) and one blue, 鈴木 with one green,
// 佐藤 with none.
class ResultBuilderTest : public ::testing::Test {
 protected:
  ResultBuilderTest() {
    context_.group.name = Utf8ToCp932("営業部");
    MemberResult& tanaka = Add("tanaka", "田中");
    Schedule(tanaka, kRed, 9, 0, 60, "会議");
    Schedule(tanaka, kRed, 9, 30, 60, "外出");
    Schedule(tanaka, kBlue, 13, 0, 30, "会議");
    Schedule(Add("suzuki", "鈴木"), kGreen, 10, 0, 45, "来客");
    Add("sato", "佐藤");
    settings_.firstDate = DateTime::FromParts(2005, 4, 1);
    settings_.lastDate = DateTime::FromParts(2005, 4, 30);
  }

  MemberResult& Add(const char* key, const char* name) {
    CMember& m = members_.emplace_back();
    m.key = key;
    m.name = Utf8ToCp932(name);
    return context_.memberResults.emplace_back(MemberResult{&m, {}});
  }
  void Schedule(MemberResult& r, std::uint32_t color, int hour, int minute, int minutes, const char* content) {
    CSchedule& s = schedules_.emplace_back();
    s.start = DateTime::FromParts(2005, 4, 4, hour, minute);
    s.end = s.start.PlusDays(minutes / 1440.0);
    s.color = color;
    s.content = texts_.emplace_back(Utf8ToCp932(content));
    r.schedules.push_back(&s);
  }
  TallyResult Build(int mode, const CTypeColors* types = nullptr) {
    settings_.mode = mode;
    return BuildTallyResult(context_, settings_, types, DateTime::FromParts(2025, 1, 2, 3, 4, 5));
  }

  TallyContext context_;
  TallySettings settings_;
  std::deque<CMember> members_;
  std::deque<CSchedule> schedules_;
  std::deque<std::string> texts_;
};

// "key count/minutes". Built by appending: a literal + a temporary string
// makes GCC 12 warn falsely (-Wrestrict).
std::string Line(std::string key, const TallyFigures& f) {
  key += ' ';
  key += std::to_string(f.count);
  key += '/';
  key += std::to_string(f.minutes);
  return key;
}

// Each member's figures, then the totals.
std::vector<std::string> Figures(const TallyResult& r) {
  std::vector<std::string> out;
  for (const MemberTally& m : r.members) out.push_back(Line(m.key, m.figures));
  out.push_back(Line("total", r.totals));
  return out;
}

// "key count/minutes" of rows; the key is the colour in hex, with the type
// name after a colon, or the content in UTF-8.
std::vector<std::string> Rows(const std::vector<TallyRow>& rows, bool content = false) {
  std::vector<std::string> out;
  for (const TallyRow& row : rows) {
    char color[16];
    std::snprintf(color, sizeof color, "%06x", row.color);
    std::string key = content ? Cp932ToUtf8(row.content) : color;
    if (!row.typeName.empty()) {
      key += ':';
      key += Cp932ToUtf8(row.typeName);
    }
    out.push_back(Line(key, row.figures));
  }
  return out;
}

TEST_F(ResultBuilderTest, CarriesTheSettingsTheGroupAndTheMembersInReportOrder) {
  const TallyResult r = Build(kModeTotal);
  EXPECT_EQ(r.groupName, Utf8ToCp932("営業部"));
  EXPECT_EQ(r.settings.firstDate, settings_.firstDate);
  EXPECT_EQ(r.generatedAt, DateTime::FromParts(2025, 1, 2, 3, 4, 5));
  ASSERT_EQ(r.members.size(), 3u);
  EXPECT_EQ(r.members[0].name, Utf8ToCp932("田中"));
  EXPECT_EQ(Figures(r), (std::vector<std::string>{"tanaka 3/150", "suzuki 1/45", "sato 0/0", "total 4/195"}));
  EXPECT_TRUE(r.members[0].rows.empty());
  EXPECT_TRUE(r.teamRows.empty());
  EXPECT_FALSE(r.breakdown.has_value());
}

TEST_F(ResultBuilderTest, ModeOneUnderNoOverlapCountsOverlappingTimeOnce) {
  settings_.noOverlap = true;
  EXPECT_EQ(Figures(Build(kModeTotal)),
            (std::vector<std::string>{"tanaka 3/120", "suzuki 1/45", "sato 0/0", "total 4/165"}));
  // The other modes never remove overlaps.
  EXPECT_EQ(Figures(Build(kModeColor)),
            (std::vector<std::string>{"tanaka 3/150", "suzuki 1/45", "sato 0/0", "total 4/195"}));
}

TEST_F(ResultBuilderTest, ColourRowsAscendAndTheTeamSumsThem) {
  const TallyResult r = Build(kModeColor);
  EXPECT_EQ(Rows(r.members[0].rows), (std::vector<std::string>{"0000ff 2/120", "ff0000 1/30"}));
  EXPECT_TRUE(r.members[2].rows.empty());
  EXPECT_EQ(Rows(r.teamRows), (std::vector<std::string>{"0000ff 2/120", "00ff00 1/45", "ff0000 1/30"}));
}

TEST_F(ResultBuilderTest, TypeRowsFollowTheTableWithTheFirstEntrysNameOnce) {
  CTypeColors types;
  types.names = {Utf8ToCp932("休暇"), Utf8ToCp932("会議"), Utf8ToCp932("打合せ"), ""};
  types.colors = {0x123456u, kRed, kRed, kGreen};
  const TallyResult r = Build(kModeType, &types);
  // A member lists every entry, the second red one empty; green has an empty name.
  EXPECT_EQ(Rows(r.members[0].rows), (std::vector<std::string>{"123456:休暇 0/0", "0000ff:会議 2/120",
                                                               "0000ff:会議 0/0", "00ff00 0/0",
                                                               "ff0000 1/30"}));
  EXPECT_EQ(r.members[2].rows.size(), 4u);
  EXPECT_EQ(Figures(r), (std::vector<std::string>{"tanaka 3/150", "suzuki 1/45", "sato 0/0", "total 4/195"}));
  // The team has one row per colour.
  EXPECT_EQ(Rows(r.teamRows), (std::vector<std::string>{"123456:休暇 0/0", "0000ff:会議 2/120",
                                                        "00ff00 1/45", "ff0000 1/30"}));
  // Outside the type mode the table names nothing.
  EXPECT_EQ(Rows(Build(kModeColor, &types).teamRows),
            (std::vector<std::string>{"0000ff 2/120", "00ff00 1/45", "ff0000 1/30"}));
}

TEST_F(ResultBuilderTest, EveryTypeHasItsTeamRowEvenWithNobodyListed) {
  CTypeColors types;
  types.names = {Utf8ToCp932("会議"), Utf8ToCp932("打合せ"), Utf8ToCp932("外出")};
  types.colors = {kRed, kRed, kBlue};
  context_.memberResults.clear();
  const TallyResult r = Build(kModeType, &types);
  EXPECT_TRUE(r.members.empty());
  EXPECT_EQ(Rows(r.teamRows), (std::vector<std::string>{"0000ff:会議 0/0", "ff0000:外出 0/0"}));
}

TEST_F(ResultBuilderTest, ContentRowsKeepFirstOccurrenceForMembersAndTeam) {
  const TallyResult r = Build(kModeContent);
  EXPECT_EQ(Rows(r.members[0].rows, true), (std::vector<std::string>{"会議 2/90", "外出 1/60"}));
  EXPECT_EQ(Rows(r.teamRows, true), (std::vector<std::string>{"会議 2/90", "外出 1/60", "来客 1/45"}));
}

}  // namespace
}  // namespace tallyer
