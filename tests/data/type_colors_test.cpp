#include "data/type_colors.h"

#include <gtest/gtest.h>

#include <string>

#include "data/cp932.h"
#include "support/temp_dir.h"

namespace tallyer {
namespace {

using testing::TempDir;

struct ColorCase {
  const char* text;
  std::uint32_t color;
};

class ParseColorTest : public ::testing::TestWithParam<ColorCase> {};

TEST_P(ParseColorTest, RedGreenBlueTextGivesBgrValue) {
  EXPECT_EQ(ParseColor(GetParam().text), GetParam().color) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseColorTest,
    ::testing::Values(ColorCase{"255,0,0", 0x0000FF}, ColorCase{"0,0,255", 0xFF0000},
                      ColorCase{"255,128,0", 0x0080FF}, ColorCase{"12,34", 0xFFFFFF},
                      ColorCase{"", 0xFFFFFF}, ColorCase{"1 2 3", 0xFFFFFF},
                      ColorCase{"1, 2, 3", 0x030201}, ColorCase{"\t1,\t2,\t3", 0x030201},
                      ColorCase{"+1,-0,+3", 0x030001}, ColorCase{"256,-1,0", 0x00FF00},
                      ColorCase{"a,b,c", 0x000000}, ColorCase{",,", 0x000000},
                      ColorCase{"7x,8 9,10abc", 0x0A0807}, ColorCase{"1,2,3,4", 0x030201},
                      ColorCase{"- 5,0,0", 0x000000}, ColorCase{"99999999999,0,-99999999999", 0x0000FF},
                      ColorCase{"1,2,3\r", 0x030201}));

class TypeColorsTest : public ::testing::Test {
 protected:
  std::filesystem::path Write(const std::string& text) {
    const auto path = dir_ / "colors.type";
    testing::WriteBytes(path, text);
    return path;
  }

  TempDir dir_;
  CTypeColors types_;
};

TEST_F(TypeColorsTest, LinesWithATabBecomeEntriesInFileOrder) {
  const std::string meeting = Utf8ToCp932("会議");
  const std::string visit = Utf8ToCp932("外出～");
  types_.Load(Write("nopalette\r\n" + meeting + "\t255,0,0\r\n\r\n\t0,0,255\n" + visit +
                    "\t1, 2, 3\tignored\r\nno tab here\n" + "last\t12,34"));
  ASSERT_EQ(types_.Count(), 4);
  EXPECT_EQ(types_.names, (std::vector<std::string>{meeting, "", visit, "last"}));
  EXPECT_EQ(types_.colors, (std::vector<std::uint32_t>{0x0000FF, 0xFF0000, 0x030201, 0xFFFFFF}));
  EXPECT_EQ(types_.ColorAt(1), 0xFF0000u);
}

TEST_F(TypeColorsTest, NameOfGivesTheFirstEntryOfAColour) {
  types_.Load(Write("first\t1,2,3\nsecond\t1,2,3\nother\t0,0,0\n"));
  EXPECT_EQ(types_.NameOf(0x030201), "first");
  EXPECT_EQ(types_.NameOf(0x000000), "other");
  EXPECT_EQ(types_.NameOf(0x123456), "");
  EXPECT_EQ(types_.Count(), 3);  // duplicates are kept
}

TEST_F(TypeColorsTest, OnlyTheLastCarriageReturnBeforeTheLineEndIsDropped) {
  types_.Load(Write("a\r\t1,1,1\r\r\nb\r\t2,2,2"));
  EXPECT_EQ(types_.names, (std::vector<std::string>{"a\r", "b\r"}));
}

TEST_F(TypeColorsTest, LongLinesAreRead) {
  const std::string name(100000, 'n');
  types_.Load(Write(name + "\t9,9,9\n"));
  ASSERT_EQ(types_.Count(), 1);
  EXPECT_EQ(types_.names[0], name);
}

TEST_F(TypeColorsTest, EmptyPathOrMissingFileGiveNoEntries) {
  types_.Load(Write("a\t1,1,1\n"));
  ASSERT_EQ(types_.Count(), 1);
  types_.Load({});
  EXPECT_EQ(types_.Count(), 0);
  types_.Load(Write("a\t1,1,1\n"));
  types_.Load(dir_ / "missing.type");
  EXPECT_EQ(types_.Count(), 0);
  EXPECT_TRUE(types_.names.empty());
}

TEST_F(TypeColorsTest, EmptyFileAndTabOnlyLines) {
  types_.Load(Write(""));
  EXPECT_EQ(types_.Count(), 0);
  types_.Load(Write("\t"));
  ASSERT_EQ(types_.Count(), 1);
  EXPECT_EQ(types_.names[0], "");
  EXPECT_EQ(types_.colors[0], 0xFFFFFFu);
}

TEST_F(TypeColorsTest, HostileFilesGiveTheirLinesWithATabAndNothingElse) {
  const std::string huge(8 << 20, 'n');  // one line of 8 MiB
  struct Case {
    std::string text;
    std::vector<std::string> names;
    std::vector<std::uint32_t> colors;
  };
  const Case cases[] = {
      {huge + "\t1,2,3\n", {huge}, {0x030201}},
      {"a\t1,2,3\n" + huge, {"a"}, {0x030201}},            // a last line without a tab or an end
      {"a\t1,2,3\nb\t" + huge, {"a", "b"}, {0x030201, 0xFFFFFF}},
      {"x\t4,5,6", {"x"}, {0x060504}},                        // no line end at all
      {std::string(1 << 20, '\r'), {}, {}},
      {std::string(1 << 20, '\n'), {}, {}},
      {std::string(1 << 20, '\0'), {}, {}},
      {std::string("a\0b\t1,\0" "2,3\n\0\t7,8,9\0\n", 20), {std::string("a\0b", 3), std::string(1, '\0')},
       {0x030001, 0x090807}},
  };
  for (const Case& c : cases) {
    types_.Load(Write(c.text));
    EXPECT_EQ(types_.names, c.names) << c.text.size();
    EXPECT_EQ(types_.colors, c.colors) << c.text.size();
  }
}

}  // namespace
}  // namespace tallyer
