#include "report/cell_text.h"

#include "data/cp932.h"

namespace tallyer {
namespace {

constexpr std::string_view kEscapedUnderscore = "_x005F_";

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Control characters the library writes as "_xHHHH_" (TAB and LF stay).
bool IsEscapedControl(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 && byte != '\t' && byte != '\n';
}

// True when the underscore at `at` and what follows read as an escape.
bool StartsEscape(std::string_view utf8, std::size_t at) {
  if (utf8.size() - at < 7 || utf8[at + 1] != 'x') return false;
  for (std::size_t i = at + 2; i < at + 6; ++i) {
    if (!IsHexDigit(utf8[i])) return false;
  }
  const char after = utf8[at + 6];
  return after == '_' || IsEscapedControl(after);
}

std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  return 4;
}

}  // namespace

std::string CellText(std::string_view cp932) {
  // A CP932 character takes one or two bytes: this prefix holds more
  // characters than a cell keeps, so a huge text is not converted in full.
  const std::string utf8 = Cp932ToUtf8(cp932.substr(0, 2 * kCellTextLimit + 2));
  std::string cell;
  std::size_t counted = 0;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const char c = utf8[pos];
    if (c == '_' && StartsEscape(utf8, pos)) {
      if (counted + kEscapedUnderscore.size() > kCellTextLimit) break;
      cell += kEscapedUnderscore;
      counted += kEscapedUnderscore.size();
      ++pos;
      continue;
    }
    if (counted + 1 > kCellTextLimit) break;
    ++counted;
    if (c == '\0') {
      cell += "\xEF\xBF\xBD";
      ++pos;
      continue;
    }
    const std::size_t length = std::min(SequenceLength(static_cast<unsigned char>(c)), utf8.size() - pos);
    cell.append(utf8, pos, length);
    pos += length;
  }
  return cell;
}

}  // namespace tallyer
