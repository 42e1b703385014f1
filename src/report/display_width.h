#pragma once

#include <string_view>

namespace tallyer {

// Columns a UTF-8 text takes on a terminal or in a spreadsheet's cell: 2 for
// East Asian wide and full-width characters, 1 for the others (invalid bytes
// count 1 each).
int DisplayWidth(std::string_view utf8);

}  // namespace tallyer
