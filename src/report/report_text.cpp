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

namespace {

// Spreadsheets run a cell that starts with one of these as a formula, even
// inside quotes, and turn "+1" or "-1" into numbers. A CP932 character never
// starts with an ASCII byte, so the first byte decides.
bool StartsLikeAFormula(std::string_view text) {
  return !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos;
}

}  // namespace

void AppendCsvField(std::string& doc, std::string_view text) {
  const char* const prefix = StartsLikeAFormula(text) ? "'" : "";
  // None of these bytes is ever the second byte of a CP932 character.
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
    doc += prefix;
    doc += text;
    return;
  }
  doc += '"';
  doc += prefix;
  for (const char c : text) {
    if (c == '"') doc += '"';
    doc += c;
  }
  doc += '"';
}

}  // namespace tallyer
