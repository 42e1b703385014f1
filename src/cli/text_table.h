#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "report/display_width.h"

namespace tallyer::cli {

// A table of UTF-8 cells printed with aligned columns.
struct TextTable {
  std::vector<std::string> header;
  std::vector<bool> alignRight;  // per column; missing entries align left
  std::vector<std::vector<std::string>> rows;
};

// The header, a rule of '-' under each column, then the rows; columns are
// two spaces apart, lines end in LF without trailing spaces.
std::string RenderTable(const TextTable& table);

}  // namespace tallyer::cli
