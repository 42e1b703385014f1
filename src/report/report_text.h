#pragma once

#include <string>
#include <string_view>

namespace tallyer {

// Appends a text to an HTML page with &, <, > and " escaped. These bytes are
// never the second byte of a CP932 character, so this is safe byte by byte.
void AppendHtmlText(std::string& doc, std::string_view text);

// Appends a text as one CSV field. A text that a spreadsheet would take for a
// formula or a number (first character =, +, -, @, TAB or CR) gets a leading
// "'"; then the field is quoted, with inner quotes doubled, when it holds a
// comma, a double quote, CR or LF.
void AppendCsvField(std::string& doc, std::string_view text);

}  // namespace tallyer
