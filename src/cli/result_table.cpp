#include "cli/result_table.h"

#include <cstdint>
#include <string_view>

#include "data/cp932.h"
#include "data/type_colors.h"
#include "report/color_text.h"
#include "report/duration_text.h"
#include "tally/buckets.h"

namespace tallyer::cli {
namespace {

const std::string kNoKey = "-";

// A data text as one table cell: UTF-8, with control characters (a line
// break inside a content text) shown as spaces so the rows stay aligned.
std::string Cell(std::string_view cp932) {
  std::string text = Cp932ToUtf8(cp932);
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  return text;
}

std::string Duration(long long minutes, int durationFormat) {
  return Cp932ToUtf8(FormatDuration(minutes, durationFormat));
}

// "#rrggbb" without the quotes the reports put around it.
std::string ColorCell(std::uint32_t color) {
  const std::string quoted = ColorText(color);
  return quoted.substr(1, quoted.size() - 2);
}

void AddTotalsRows(TextTable& table, const MemberResult& r, const TallySettings& s) {
  const long long minutes = s.noOverlap ? r.MemberMinutesNoOverlap(s.firstDate, s.lastDate)
                                        : r.MemberMinutes();
  table.rows.push_back({Cell(r.member->DisplayName()), std::to_string(r.MemberCount()),
                        Duration(minutes, s.durationFormat)});
}

void AddColorRows(TextTable& table, const MemberResult& r, const TallySettings& s,
                  const CTypeColors* types) {
  const bool withType = s.mode == kModeType;
  const std::string name = Cell(r.member->DisplayName());
  const Buckets<std::uint32_t> buckets = ColorBuckets(r, types);
  if (buckets.Size() == 0) {
    std::vector<std::string> row{name, kNoKey};
    if (withType) row.push_back("");
    row.push_back("0");
    row.push_back(Duration(0, s.durationFormat));
    table.rows.push_back(std::move(row));
    return;
  }
  for (int i = 0; i < buckets.Size(); ++i) {
    const auto k = static_cast<std::size_t>(i);
    std::vector<std::string> row{i == 0 ? name : "", ColorCell(buckets.keys[k])};
    if (withType) row.push_back(types ? Cell(types->NameOf(buckets.keys[k])) : "");
    row.push_back(std::to_string(buckets.counts[k]));
    row.push_back(Duration(buckets.minutes[k], s.durationFormat));
    table.rows.push_back(std::move(row));
  }
}

void AddContentRows(TextTable& table, const MemberResult& r, const TallySettings& s) {
  const std::string name = Cell(r.member->DisplayName());
  const Buckets<std::string_view> buckets = ContentBuckets(r);
  if (buckets.Size() == 0) {
    table.rows.push_back({name, kNoKey, "0", Duration(0, s.durationFormat)});
    return;
  }
  for (int i = 0; i < buckets.Size(); ++i) {
    const auto k = static_cast<std::size_t>(i);
    table.rows.push_back({i == 0 ? name : "", Cell(buckets.keys[k]),
                          std::to_string(buckets.counts[k]),
                          Duration(buckets.minutes[k], s.durationFormat)});
  }
}

}  // namespace

TextTable ResultTable(const std::vector<MemberResult>& results, const TallySettings& settings,
                      const CTypeColors* types) {
  TextTable table;
  switch (settings.mode) {
    case kModeColor:
      table.header = {"メンバー", "色", "件数", "時間"};
      table.alignRight = {false, false, true, true};
      break;
    case kModeType:
      table.header = {"メンバー", "色", "タイプ", "件数", "時間"};
      table.alignRight = {false, false, false, true, true};
      break;
    case kModeContent:
      table.header = {"メンバー", "内容", "件数", "時間"};
      table.alignRight = {false, false, true, true};
      break;
    default:
      table.header = {"メンバー", "件数", "時間"};
      table.alignRight = {false, true, true};
      break;
  }
  for (const MemberResult& r : results) {
    switch (settings.mode) {
      case kModeColor:
      case kModeType:
        AddColorRows(table, r, settings, settings.mode == kModeType ? types : nullptr);
        break;
      case kModeContent:
        AddContentRows(table, r, settings);
        break;
      default:
        AddTotalsRows(table, r, settings);
        break;
    }
  }
  return table;
}

std::string ResultHeading(const std::string& groupName, const std::string& optionLines) {
  std::string text = "グループ名：" + Cell(groupName) + "\n";
  for (char c : Cp932ToUtf8(optionLines)) {
    if (c != '\r') text += c;
  }
  return text;
}

}  // namespace tallyer::cli
