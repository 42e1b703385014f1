#pragma once

#include <string>
#include <string_view>

namespace tallyer {

// Appends a UTF-8 text to an HTML page as element content: &, <, > and "
// escaped, CR, LF and CR LF as <br>.
// Bytes that are not UTF-8 and characters a page may not hold (controls other
// than TAB, U+FFFE, U+FFFF) become U+FFFD.
void AppendPageText(std::string& page, std::string_view utf8);

// The same where <br> has no place (SVG and other XML, a double-quoted
// attribute, the page's <title>): a line end becomes one space.
void AppendOneLineText(std::string& markup, std::string_view utf8);

}  // namespace tallyer
