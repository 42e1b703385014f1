#pragma once

#include <gmock/gmock.h>

#include <filesystem>
#include <regex>
#include <string>

namespace tallyer::testing {

// A whole-text match with the standard library's regular expressions, the
// same on every platform (GoogleTest's own falls back to a simple dialect on
// Windows, without brackets or counts).
MATCHER_P(MatchesStdRegex, pattern, "matches " + std::string(pattern)) {
  return std::regex_match(std::string(arg), std::regex(std::string(pattern)));
}

// A path as UTF-8 text, as messages show it.
inline std::string Utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace tallyer::testing
