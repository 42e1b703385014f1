#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tallyer {

// The frame of the summary page: a self-contained HTML5 document in UTF-8
// with its styles inline, no script and nothing fetched.

// A breakdown of more units than this is printed on landscape paper.
inline constexpr std::size_t kPortraitUnits = 12;
// A breakdown of more units than this is split into tables of kPortraitUnits.
inline constexpr std::size_t kOneTableUnits = 24;

// "<!DOCTYPE html>" up to and including "<body>\n". `title` is UTF-8.
void AppendPageHead(std::string& page, std::string_view title, bool landscape);

// "</body>\n</html>\n".
void AppendPageEnd(std::string& page);

// The units of a breakdown table by table: [first, end) pairs.
std::vector<std::pair<std::size_t, std::size_t>> BreakdownTableSpans(std::size_t units);

}  // namespace tallyer
