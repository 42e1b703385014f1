#include "report/summary_page_frame.h"

#include <algorithm>

#include "report/markup_text.h"

namespace tallyer {
namespace {

// Colours are printed as shown (browsers drop backgrounds by default), table
// headings repeat on every page and a member's rows stay on one page. On
// paper a breakdown's cells may wrap, so twelve units fit across the page.
constexpr std::string_view kStyle = R"(:root { color: #222222; background: #ffffff; }
* { -webkit-print-color-adjust: exact; print-color-adjust: exact; }
body { font-family: "Noto Sans CJK JP", "Noto Sans JP", "Yu Gothic", Meiryo, "Hiragino Sans", sans-serif; margin: 2em; line-height: 1.5; }
h1 { font-size: 1.6em; margin: 0; }
h2 { font-size: 1.2em; margin: 1.5em 0 0.5em; }
header p { margin: 0.2em 0; }
.period { font-size: 1.1em; }
.options { list-style: none; margin: 0.5em 0; padding: 0; }
.made { font-size: 0.8em; color: #555555; }
.figures { display: flex; flex-wrap: wrap; gap: 0.8em; list-style: none; margin: 1em 0; padding: 0; }
.figures li { border: 1px solid #cccccc; border-radius: 4px; padding: 0.4em 1em; min-width: 8em; }
.figures .label { display: block; font-size: 0.85em; color: #555555; }
.figures .value { display: block; font-size: 1.4em; font-weight: bold; white-space: nowrap; }
figure { margin: 0; }
svg { max-width: 100%; height: auto; }
table { border-collapse: collapse; margin: 0.5em 0 1.5em; }
th, td { border: 1px solid #999999; padding: 3px 6px; vertical-align: top; text-align: left; }
th { white-space: nowrap; }
thead { display: table-header-group; }
thead th { background: #eeeeee; }
tbody { break-inside: avoid; page-break-inside: avoid; }
.num { text-align: right; white-space: nowrap; font-variant-numeric: tabular-nums; }
tr.sum > * { font-weight: bold; }
tbody.team > tr > * { background-color: #f4f4f4; }
tbody.total > tr > * { font-weight: bold; border-top: 2px solid #555555; }
@page { size: A4%s; margin: 12mm; }
@media print {
body { margin: 0; }
h2 { break-after: avoid; page-break-after: avoid; }
figure { break-inside: avoid; page-break-inside: avoid; }
table.breakdown { font-size: 8pt; }
table.breakdown th, table.breakdown td { padding: 2px 3px; white-space: normal; }
}
)";

}  // namespace

void AppendPageHead(std::string& page, std::string_view title, bool landscape) {
  page += "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n";
  page += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";
  page += "<title>";
  AppendOneLineText(page, title);
  page += "</title>\n<style>\n";
  const std::size_t mark = kStyle.find("%s");
  page += kStyle.substr(0, mark);
  if (landscape) page += " landscape";
  page += kStyle.substr(mark + 2);
  page += "</style>\n</head>\n<body>\n";
}

void AppendPageEnd(std::string& page) { page += "</body>\n</html>\n"; }

std::vector<std::pair<std::size_t, std::size_t>> BreakdownTableSpans(std::size_t units) {
  if (units == 0) return {};
  if (units <= kOneTableUnits) return {{0, units}};
  std::vector<std::pair<std::size_t, std::size_t>> spans;
  for (std::size_t first = 0; first < units; first += kPortraitUnits) {
    spans.emplace_back(first, std::min(first + kPortraitUnits, units));
  }
  return spans;
}

}  // namespace tallyer
