#pragma once

#include <string>
#include <string_view>

namespace tallyer {

// Offset of the first match of `pattern` that starts on a character boundary
// of the CP932 `text`, or -1. An empty text never matches.
long FindText(std::string_view text, std::string_view pattern);

// Folds a CP932 text for comparison without regard to case and width:
// full-width ASCII and katakana to half width (voiced kana to base + mark),
// then lower case (also the two-byte Greek and Cyrillic capitals).
void FoldText(std::string& text);

// The folded form of `text` written to `out` (replacing its contents), so a
// caller folding many texts can reuse one buffer.
void FoldTextInto(std::string_view text, std::string& out);

}  // namespace tallyer
