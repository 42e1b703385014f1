#include "report/option_words.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/cp932.h"

namespace tallyer {
namespace {

struct WordsCase {
  const char* name;
  void (*apply)(TallyResult&);
  std::vector<std::string> lines;  // UTF-8
};

TallyResult Listed(std::vector<const char*> names) {
  TallyResult r;
  for (const char* n : names) r.members.push_back(MemberTally{"", Utf8ToCp932(n)});
  return r;
}

class OptionsInWordsTest : public ::testing::TestWithParam<WordsCase> {};

TEST_P(OptionsInWordsTest, SaysEachOptionThatIsOn) {
  TallyResult result = Listed({"田中 一郎", "鈴木 花子"});
  result.settings.everyone = true;
  GetParam().apply(result);
  std::vector<std::string> lines;
  for (const std::string& line : OptionsInWords(result)) lines.push_back(Cp932ToUtf8(line));
  EXPECT_EQ(lines, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Options, OptionsInWordsTest,
    ::testing::Values(
        WordsCase{"Defaults", [](TallyResult&) {},
                  {"集計モード：1. 合計時間", "対象メンバー：全員", "表示形式：hh時間mm分"}},
        WordsCase{"ChosenMembersBandAndContent",
                  [](TallyResult& r) {
                    r.settings.everyone = false;
                    r.settings.mode = kModeType;
                    r.settings.bandOnly = true;
                    r.settings.bandStart = DateTime::FromParts(2000, 1, 1, 9, 0);
                    r.settings.bandEnd = DateTime::FromParts(2000, 1, 1, 18, 5);
                    r.settings.contentOnly = true;
                    r.settings.contentText = Utf8ToCp932("会議");
                    r.settings.durationFormat = 1;
                  },
                  {"集計モード：3. タイプ別合計時間", "対象メンバー：田中 一郎、鈴木 花子",
                   "時間帯：9:00 ～ 18:05", "内容：「会議」を含む", "表示形式：hh:mm"}},
        WordsCase{"ExactIgnoringCaseAndWidthWithoutTentative",
                  [](TallyResult& r) {
                    r.settings.mode = kModeContent;
                    r.settings.contentOnly = true;
                    r.settings.contentText = Utf8ToCp932("ｶｲｷﾞ");
                    r.settings.exactMatch = true;
                    r.settings.ignoreCaseWidth = true;
                    r.settings.noTentative = true;
                    r.settings.durationFormat = 3;
                  },
                  {"集計モード：4. 内容別合計時間", "対象メンバー：全員",
                   "内容：「ｶｲｷﾞ」と完全一致（大文字・小文字・全角・半角を区別しない）",
                   "仮登録：集計しない", "表示形式：mm"}},
        WordsCase{"NoOverlapIsSaidInModeOneOnly",
                  [](TallyResult& r) {
                    r.settings.noOverlap = true;
                    r.settings.durationFormat = 2;
                  },
                  {"集計モード：1. 合計時間", "対象メンバー：全員", "重複：重複して集計しない",
                   "表示形式：mm分"}},
        WordsCase{"NoOverlapOutsideModeOneAndOffSwitchesSayNothing",
                  [](TallyResult& r) {
                    r.settings.mode = kModeColor;
                    r.settings.noOverlap = true;
                    r.settings.ignoreCaseWidth = true;  // the content filter is off
                    r.settings.exactMatch = true;
                  },
                  {"集計モード：2. 色別合計時間", "対象メンバー：全員", "表示形式：hh時間mm分"}},
        WordsCase{"UnknownModeAndFormGiveNoLine",
                  [](TallyResult& r) {
                    r.settings.mode = -1;
                    r.settings.durationFormat = -1;
                    r.settings.everyone = false;
                    r.members.clear();
                  },
                  {"対象メンバー："}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tallyer
