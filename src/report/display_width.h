#pragma once

#include <string_view>

namespace tallyer {

// Decodes the UTF-8 character at `pos` and moves past it. A byte that does not
// start a well-formed character (cut, overlong, a surrogate, beyond U+10FFFF)
// decodes as U+FFFD and moves past that byte alone.
char32_t NextCodePoint(std::string_view utf8, std::size_t& pos);

// East Asian Width "W" and "F" (Unicode UAX #11) for the blocks Japanese texts
// meet; half-width katakana (U+FF61..FF9F) stay narrow.
bool IsWideCharacter(char32_t cp);

// Columns a UTF-8 text takes on a terminal or in a spreadsheet's cell: 2 for
// wide and full-width characters, 1 for the others (invalid bytes count 1 each).
int DisplayWidth(std::string_view utf8);

}  // namespace tallyer
