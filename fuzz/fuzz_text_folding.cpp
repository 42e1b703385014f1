// FindText and FoldText on arbitrary CP932 texts and patterns, lone lead bytes
// included: the first byte gives the pattern's length, the rest of the input
// after the pattern is the text.
#include <string>
#include <string_view>

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
  return 0;
}
