#include "report/markup_text.h"

#include "report/display_width.h"

namespace tallyer {
namespace {

bool Forbidden(char32_t cp) {
  return (cp < 0x20 && cp != '\t') || (cp >= 0x7F && cp <= 0x9F) || cp == 0xFFFE ||
         cp == 0xFFFF;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

void AppendEscaped(std::string& out, std::string_view text, std::string_view lineBreak) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const char32_t cp = NextCodePoint(text, pos);
    switch (cp) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\r':
        if (pos < text.size() && text[pos] == '\n') ++pos;
        out += lineBreak;
        break;
      case '\n': out += lineBreak; break;
      default: AppendUtf8(out, Forbidden(cp) ? char32_t{0xFFFD} : cp); break;
    }
  }
}

}  // namespace

void AppendPageText(std::string& page, std::string_view utf8) {
  AppendEscaped(page, utf8, "<br>");
}

void AppendOneLineText(std::string& markup, std::string_view utf8) {
  AppendEscaped(markup, utf8, " ");
}

}  // namespace tallyer
