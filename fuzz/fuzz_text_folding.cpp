// FindText and FoldText on arbitrary CP932 texts and patterns, lone lead bytes
// included, and the text's conversion to UTF-8 for the terminal: the first byte
// gives the pattern's length, the rest of the input after the pattern is the text.
#include <algorithm>
#include <string>
#include <string_view>

#include "data/cp932.h"
#include "tally/text_folding.h"

using namespace tallyer;

namespace {

// A match must lie inside the text and be the pattern.
void CheckMatch(std::string_view text, std::string_view pattern) {
  const long at = FindText(text, pattern);
  if (at < -1) __builtin_trap();
  if (at >= 0) {
    const auto pos = static_cast<std::size_t>(at);
    if (pos > text.size() || text.size() - pos < pattern.size()) __builtin_trap();
    if (text.substr(pos, pattern.size()) != pattern) __builtin_trap();
  }
}

// Bytes below 0x40 are never part of a two-byte character and never appear in
// a UTF-8 sequence (nor in its replacement character): each one in the text
// must come out as itself, whatever stands before it.
std::size_t LowBytes(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x3F;  // '?' (0x3F) aside: a replacement in other directions
  }));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::size_t patternLength = std::min<std::size_t>(data[0], rest.size());
  // Copies, so that reading one byte past either end is caught.
  const std::string pattern(rest.substr(0, patternLength));
  const std::string text(rest.substr(patternLength));
  CheckMatch(text, pattern);

  std::string foldedText = text;
  std::string foldedPattern = pattern;
  FoldText(foldedText);
  FoldText(foldedPattern);
  CheckMatch(foldedText, foldedPattern);

  // The buffer-reusing form gives the same text.
  static std::string reused;
  FoldTextInto(text, reused);
  if (reused != foldedText) __builtin_trap();
  // Folding never grows a text beyond a voiced mark per character.
  if (foldedText.size() > 2 * text.size()) __builtin_trap();

  if (LowBytes(Cp932ToUtf8(text)) != LowBytes(text)) __builtin_trap();
  return 0;
}
