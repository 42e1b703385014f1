#include "report/cell_text.h"

#include <gtest/gtest.h>

#include "data/cp932.h"

namespace tallyer {
namespace {

struct CellCase {
  const char* name;
  std::string cp932;
  std::string utf8;
};

std::string Repeat(std::string_view piece, std::size_t times) {
  std::string out;
  for (std::size_t i = 0; i < times; ++i) out += piece;
  return out;
}

class CellTextTest : public ::testing::TestWithParam<CellCase> {};

TEST_P(CellTextTest, GivesTheTextTheCellShows) {
  EXPECT_EQ(CellText(GetParam().cp932), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CellTextTest,
    ::testing::Values(
        CellCase{"Japanese", Utf8ToCp932("田中 一郎"), "田中 一郎"},
        CellCase{"FormulaLike", "=1+1", "=1+1"},
        CellCase{"SignsAndAt", "+1-1@a", "+1-1@a"},
        CellCase{"Empty", "", ""},
        CellCase{"LoneLeadByte", "a\x82", "a\xEF\xBF\xBD"},
        CellCase{"Nul", std::string("a\0b", 3), "a\xEF\xBF\xBD" "b"},
        CellCase{"ControlsLeftToTheLibrary", "a\x01\r\tb", "a\x01\r\tb"},
        CellCase{"EscapeLike", "_x0041_", "_x005F_x0041_"},
        CellCase{"EscapeLikeLowerCase", "a_x00ff_b", "a_x005F_x00ff_b"},
        CellCase{"EscapeBeforeControl", "_x0041\x01", "_x005F_x0041\x01"},
        CellCase{"NoEscapeWithoutEnd", "_x0041", "_x0041"},
        CellCase{"NoEscapeBeforeLetter", "_x0041a", "_x0041a"},
        CellCase{"NoEscapeWithoutHex", "_x004G_", "_x004G_"},
        CellCase{"NoEscapeForUpperX", "_X0041_", "_X0041_"},
        CellCase{"CutNarrow", std::string(40000, 'a'), std::string(kCellTextLimit, 'a')},
        CellCase{"CutWide", Repeat(Utf8ToCp932("あ"), 40000), Repeat("あ", kCellTextLimit)},
        CellCase{"FullLengthKept", std::string(kCellTextLimit, 'b'), std::string(kCellTextLimit, 'b')},
        // The escape counts seven characters for the library: it does not fit.
        CellCase{"CutBeforeAnEscapeThatDoesNotFit", std::string(kCellTextLimit - 6, 'a') + "_x0041_",
                 std::string(kCellTextLimit - 6, 'a')},
        CellCase{"EscapeThatJustFits", std::string(kCellTextLimit - 13, 'a') + "_x0041_",
                 std::string(kCellTextLimit - 13, 'a') + "_x005F_x0041_"}),
    [](const ::testing::TestParamInfo<CellCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tallyer
