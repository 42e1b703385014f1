#pragma once

#include <string_view>
#include <vector>

namespace tallyer {

// Column widths for a worksheet, which has no automatic fit: each column as
// wide as its widest text (East Asian wide characters count two) plus a
// margin, within the sheet's limit of 255.
class ColumnWidths {
 public:
  void Measure(int column, std::string_view utf8, int extra = 0);
  // Widths of columns 0 .. Count()-1; a column never measured gets 0.
  int Count() const { return static_cast<int>(widest_.size()); }
  double Width(int column) const;

 private:
  std::vector<int> widest_;
};

}  // namespace tallyer
