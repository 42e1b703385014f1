#include "report/report_text.h"

namespace tallyer {

void AppendHtmlText(std::string& doc, std::string_view text) {
  for (const char c : text) {
    switch (c) {
      case '&': doc += "&amp;"; break;
      case '<': doc += "&lt;"; break;
      case '>': doc += "&gt;"; break;
      case '"': doc += "&quot;"; break;
      default: doc += c; break;
    }
  }
}

void AppendCsvField(std::string& doc, std::string_view text) {
  // None of these bytes is ever the second byte of a CP932 character.
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
    doc += text;
    return;
  }
  doc += '"';
  for (const char c : text) {
    if (c == '"') doc += '"';
    doc += c;
  }
  doc += '"';
}

}  // namespace tallyer
