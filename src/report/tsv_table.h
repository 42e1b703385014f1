#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "tally/tally_result.h"

namespace tallyer {

// The result table as tab-separated UTF-8 text, for pasting into a
// spreadsheet: a heading line (メンバー; 色 in mode 2; 色 and タイプ in mode 3;
// 内容 in mode 4; 件数; 時間), then one line per member row with the member's
// name on each (one line with empty categories for a member without rows),
// the members in `memberOrder` (indexes into result.members), then the team
// rows (チーム) and the totals (合計). Counts are integers, durations "h:mm"
// with the hours unpadded, so spreadsheets paste them as summable times.
// Lines end in CR LF; TAB, CR and LF inside a text become a space, and a text
// that then starts with =, +, -, or @ gets the CSV's leading "'".
std::string ResultTsv(const TallyResult& result, const std::vector<std::size_t>& memberOrder);

// The members in report order: 0, 1, ... n-1.
std::vector<std::size_t> ReportOrder(const TallyResult& result);

// "651:00" for 39060 minutes: hours unpadded, minutes in two digits.
std::string HoursMinutesText(long long minutes);

}  // namespace tallyer
