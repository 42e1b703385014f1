#include "tally/text_folding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "data/cp932.h"

namespace tallyer {
namespace {

std::string Sjis(const char* utf8) { return Utf8ToCp932(utf8); }

std::string Folded(std::string text) {
  FoldText(text);
  return text;
}

struct FindCase {
  const char* name;
  std::string text;
  std::string pattern;
  long expected;
};

class FindTextTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindTextTest, FindsOnlyAtCharacterBoundaries) {
  EXPECT_EQ(FindText(GetParam().text, GetParam().pattern), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindTextTest,
    ::testing::Values(
        FindCase{"contains", Sjis("定例会議"), Sjis("会議"), 4},
        FindCase{"atStart", Sjis("会議室予約"), Sjis("会議"), 0},
        FindCase{"splitBySpace", Sjis("会 議"), Sjis("会議"), -1},
        FindCase{"backslashInsideKanji", Sjis("表"), "\\", -1},
        FindCase{"backslashAfterKanji", Sjis("表表") + "\\", "\\", 4},
        FindCase{"secondByteThenRealMatch", Sjis("陰") + "A", "A", 2},
        FindCase{"patternStraddlingCharacters", Sjis("陰陰"), "\x41\x89", -1},
        FindCase{"emptyPatternMatchesFirst", "abc", "", 0},
        FindCase{"emptyTextNeverMatches", "", "", -1},
        FindCase{"emptyTextWithPattern", "", "a", -1},
        FindCase{"patternLongerThanText", "ab", "abc", -1},
        FindCase{"wholeText", "abc", "abc", 0},
        FindCase{"loneLeadByteAtEnd", std::string("ab\x88"), std::string("\x88"), 2},
        FindCase{"halfWidthKanaAreSingleBytes", "\xB6\xDE\xB6", "\xDE\xB6", 1}),
    [](const auto& info) { return std::string(info.param.name); });

// The sequences below are written as characters; the folding tables in the
// code are written as code numbers, so agreement checks both.
const char* const kFullWidth =
    "　！”＃＄％＆’（）＊＋，－．／０１２３４５６７８９：；＜＝＞？＠ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ［￥］＾＿｀"
    "ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ｛｜｝￣。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソ"
    "タチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
const char* const kVoiced = "ガギグゲゴザジズゼゾダヂヅデドバビブベボヴパピプペポ";
const unsigned char kVoicedHalf[][2] = {
    {0xB6, 0xDE}, {0xB7, 0xDE}, {0xB8, 0xDE}, {0xB9, 0xDE}, {0xBA, 0xDE}, {0xBB, 0xDE}, {0xBC, 0xDE},
    {0xBD, 0xDE}, {0xBE, 0xDE}, {0xBF, 0xDE}, {0xC0, 0xDE}, {0xC1, 0xDE}, {0xC2, 0xDE}, {0xC3, 0xDE},
    {0xC4, 0xDE}, {0xCA, 0xDE}, {0xCB, 0xDE}, {0xCC, 0xDE}, {0xCD, 0xDE}, {0xCE, 0xDE}, {0xB3, 0xDE},
    {0xCA, 0xDF}, {0xCB, 0xDF}, {0xCC, 0xDF}, {0xCD, 0xDF}, {0xCE, 0xDF}};

std::vector<std::pair<std::string, std::string>> SingleTable() {
  const std::string full = Sjis(kFullWidth);
  std::vector<std::pair<std::string, std::string>> pairs;
  unsigned next = 0x20;
  for (std::size_t i = 0; i < full.size(); i += 2) {
    pairs.emplace_back(full.substr(i, 2), std::string(1, static_cast<char>(next)));
    next = next == 0x7E ? 0xA1 : next + 1;
  }
  return pairs;
}

std::vector<std::pair<std::string, std::string>> VoicedTable() {
  const std::string full = Sjis(kVoiced);
  std::vector<std::pair<std::string, std::string>> pairs;
  for (std::size_t i = 0; i < full.size(); i += 2)
    pairs.emplace_back(full.substr(i, 2), std::string(reinterpret_cast<const char*>(kVoicedHalf[i / 2]), 2));
  return pairs;
}

TEST(FoldTextTest, TablesHaveTheirFullSize) {
  EXPECT_EQ(SingleTable().size(), 158u);
  EXPECT_EQ(SingleTable().back().second, "\xDF");
  EXPECT_EQ(VoicedTable().size(), 26u);
}

TEST(FoldTextTest, FullWidthCharactersBecomeTheirOneByteFormsThenLowerCase) {
  std::string expected;
  for (const auto& [full, half] : SingleTable()) {
    const char c = half[0];
    expected += (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 0x20) : c;
  }
  EXPECT_EQ(Folded(Sjis(kFullWidth)), expected);
}

TEST(FoldTextTest, VoicedKanaBecomeBaseAndMark) {
  std::string expected;
  for (const auto& [full, half] : VoicedTable()) expected += half;
  EXPECT_EQ(Folded(Sjis(kVoiced)), expected);
  EXPECT_EQ(Folded(Sjis("カ゛")), Folded(Sjis("ガ")));
  EXPECT_EQ(Folded(Sjis("ハ゜")), Folded(Sjis("パ")));
  EXPECT_EQ(Folded(Sjis("ガ")), "\xB6\xDE");
}

TEST(FoldTextTest, LowerCasesAsciiGreekAndCyrillicOnly) {
  EXPECT_EQ(Folded("ABC xyz [Z]"), "abc xyz [z]");
  EXPECT_EQ(Folded(Sjis("ＡＢＣ")), "abc");
  EXPECT_EQ(Folded(Sjis("ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩ")), Sjis("αβγδεζηθικλμνξοπρστυφχψω"));
  EXPECT_EQ(Folded(Sjis("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ")),
            Sjis("абвгдеёжзийклмнопрстуфхцчшщъыьэюя"));
  EXPECT_EQ(Folded(Sjis("αё")), Sjis("αё"));
}

TEST(FoldTextTest, LeavesEverythingElseAlone) {
  // Second bytes that look like letters ('A' in 陰) stay; so do kanji, hiragana,
  // the kana outside the tables, half-width kana and a lone lead byte.
  const std::string untouched = Sjis("陰表がヵヶヮヰヱ～") + "\xB6\xDE\xA1\x89";
  EXPECT_EQ(Folded(untouched), untouched);
  EXPECT_EQ(Folded(""), "");
}

// Folding as defined: each table pair in order, every occurrence found with
// FindText and replaced, then lower case character by character.
std::string FoldStepByStep(std::string t) {
  auto tables = SingleTable();
  for (auto& p : VoicedTable()) tables.push_back(p);
  for (const auto& [from, to] : tables) {
    std::size_t start = 0;
    for (;;) {
      const long hit = FindText(std::string_view(t).substr(start), from);
      if (hit < 0) break;
      t.replace(start + static_cast<std::size_t>(hit), from.size(), to);
      start += static_cast<std::size_t>(hit) + to.size();
    }
  }
  for (std::size_t i = 0; i < t.size(); ++i) {
    const auto c = static_cast<unsigned char>(t[i]);
    if (IsLeadByte(c)) ++i;
    else if (c >= 'A' && c <= 'Z') t[i] = static_cast<char>(c + 0x20);
  }
  return t;
}

TEST(FoldTextTest, OnePassGivesTheSameBytesAsTableByTableReplacement) {
  std::vector<std::string> alphabet;
  for (const auto& [full, half] : SingleTable()) alphabet.push_back(full);
  for (const auto& [full, half] : VoicedTable()) alphabet.push_back(full);
  for (const char* s : {"A", "z", "\\", "\xB6", "\xDE", "\x81", "\x83", "\x82", "\x4B", "\x40"})
    alphabet.emplace_back(s);
  for (const char* s : {"陰", "表", "が", "ヵ", "会議"}) alphabet.push_back(Sjis(s));
  std::mt19937 rng(11);
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    const int length = static_cast<int>(rng() % 12);
    for (int i = 0; i < length; ++i) text += alphabet[rng() % alphabet.size()];
    ASSERT_EQ(Folded(text), FoldStepByStep(text)) << "round " << round;
  }
}

TEST(FoldTextTest, FoldTextIntoReplacesTheBuffer) {
  std::string out = "left over";
  FoldTextInto(Sjis("１２：００"), out);
  EXPECT_EQ(out, "12:00");
}

TEST(LoneLeadBytesTest, TextsEndingInALeadByteAreNeverReadPast) {
  // Each text sits in a buffer of exactly its size, so that a read past its
  // end is caught by the address checker rather than finding a terminating NUL.
  const std::string texts[] = {"\x82", "a\x82", "\x81\x81\x81", "\xFC", std::string("\x82\0", 2), "\x82\""};
  const std::string patterns[] = {"", "\x82", "\x81", "\x81\x81", "a\x82", "\x82\""};
  for (const std::string& text : texts) {
    const auto buffer = std::make_unique<char[]>(text.size());
    std::copy(text.begin(), text.end(), buffer.get());
    const std::string_view exact(buffer.get(), text.size());
    std::string folded;
    FoldTextInto(exact, folded);
    EXPECT_EQ(folded.back(), text.back()) << text;  // the lone last byte stays itself
    for (const std::string& pattern : patterns) {
      const long at = FindText(exact, pattern);
      EXPECT_TRUE(at == -1 || exact.substr(static_cast<std::size_t>(at)).starts_with(pattern));
    }
  }
  EXPECT_EQ(FindText("a\x82", "\x82"), 1);
  EXPECT_EQ(FindText("\x81\x81\x81", "\x81"), 0);
  EXPECT_EQ(FindText("\x81\x81\x81", "\x81\x81"), 0);
  EXPECT_EQ(FindText(Sjis("陰") + "\x81", "A"), -1);  // 'A' is the second byte of 陰
  EXPECT_EQ(Folded("A\x82"), "a\x82");
  EXPECT_EQ(Folded("\x81\x81\x81"), "=\x81");  // a full-width '=' and the lone lead byte
}

}  // namespace
}  // namespace tallyer
