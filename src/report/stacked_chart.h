#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "report/chart_data.h"

namespace tallyer {

// The colours of categories that have none of their own, by rank.
inline constexpr std::array<Rgb, 10> kCategoryPalette = {{
    {0x4e, 0x79, 0xa7}, {0xf2, 0x8e, 0x2b}, {0xe1, 0x57, 0x59}, {0x76, 0xb7, 0xb2},
    {0x59, 0xa1, 0x4f}, {0xed, 0xc9, 0x48}, {0xb0, 0x7a, 0xa1}, {0xff, 0x9d, 0xa7},
    {0x9c, 0x75, 0x5f}, {0xba, 0xb0, 0xac},
}};
inline constexpr Rgb kOtherColor{0xbb, 0xbb, 0xbb};
inline constexpr std::size_t kNamedCategories = 10;

struct Tally {
  long long count = 0;
  long long minutes = 0;
};

// Bars split by category, in UTF-8 texts: members by colour, type or
// content, or the units of a breakdown by member.
struct StackedChartInput {
  struct Category {
    std::string name;
    std::optional<Rgb> color;  // none: the palette colour of its rank
  };
  struct Cell {
    std::size_t category = 0;
    Tally tally;
  };
  struct Bar {
    std::string label;
    Tally total;
    // The bar's parts by category, only those it has (a member holds a few
    // of many thousand contents); a category given twice adds up.
    std::vector<Cell> cells;
  };
  std::string caption;
  std::vector<Category> categories;
  std::vector<Bar> bars;
  int durationFormat = 0;
  bool legend = true;      // false: one category, nothing to tell apart
  bool valueTexts = false; // each bar's total after its end
};

// The ten categories with the most minutes over all bars (ties by their
// order), largest first; the same ten in every bar, then one "その他"
// segment for the rest. Titles read "田中 一郎：12時間30分（15件）".
ChartData StackedChart(const StackedChartInput& input);

// Indexes of the `most` entries with the most minutes above zero, largest
// first, ties in index order.
std::vector<std::size_t> LeadingCategories(const std::vector<long long>& minutes, std::size_t most);

}  // namespace tallyer
