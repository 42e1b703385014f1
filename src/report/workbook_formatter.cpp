#include "report/workbook_formatter.h"

#include <ctime>

#include "data/cp932.h"
#include "data/file_error.h"
#include "report/duration_text.h"
#include "report/option_words.h"
#include "report/workbook_sheets.h"
#include "report/xlsx_workbook.h"

namespace tallyer {
namespace {

const std::string kGroupLabel = Utf8ToCp932("グループ名：");
const std::string kPeriodLabel = Utf8ToCp932("期間：");
const std::string kBetween = Utf8ToCp932(" ～ ");
const std::string kTeam = Utf8ToCp932("チーム");
const std::string kColour = Utf8ToCp932("色");
const std::string kType = Utf8ToCp932("タイプ");
const std::string kContent = Utf8ToCp932("内容");
const std::string kDurationFormLabel = Utf8ToCp932("表示形式：");
constexpr std::size_t kSheetRows = static_cast<std::size_t>(kLastSheetRow) + 1;

std::vector<std::string> CategoryHeadings(int mode) {
  switch (mode) {
    case kModeColor: return {kColour};
    case kModeType: return {kColour, kType};
    case kModeContent: return {kContent};
    default: return {};
  }
}

std::vector<CategoryCell> Categories(int mode, const TallyRow& row) {
  switch (mode) {
    case kModeColor: return {CategoryCell{"", row.color}};
    case kModeType: return {CategoryCell{"", row.color}, CategoryCell{row.typeName, {}}};
    case kModeContent: return {CategoryCell{row.content, {}}};
    default: return {};
  }
}

// The group and the period as the classic reports write them, then the
// options in words but the duration form, which the workbook does not use.
std::vector<std::string> HeadingLines(const TallyResult& result) {
  const TallySettings& settings = result.settings;
  std::vector<std::string> lines = {kGroupLabel + result.groupName,
                                    kPeriodLabel + FormatDateText(settings.firstDate, true, true) +
                                        kBetween + FormatDateText(settings.lastDate, true, true)};
  for (std::string& line : OptionsInWords(result)) {
    if (line.rfind(kDurationFormLabel, 0) != 0) lines.push_back(std::move(line));
  }
  return lines;
}

SummarySheet Summary(const TallyResult& result) {
  const int mode = result.settings.mode;
  SummarySheet sheet;
  sheet.headingLines = HeadingLines(result);
  sheet.categoryHeadings = CategoryHeadings(mode);
  for (const MemberTally& member : result.members) {
    if (mode == kModeTotal || member.rows.empty()) {
      // A member without rows still has its line, with zeros.
      sheet.memberRows.push_back(SummaryRow{member.name, {}, member.figures.count, member.figures.minutes});
      continue;
    }
    for (const TallyRow& row : member.rows) {
      sheet.memberRows.push_back(
          SummaryRow{member.name, Categories(mode, row), row.figures.count, row.figures.minutes});
    }
  }
  for (const TallyRow& row : result.teamRows) {
    sheet.teamRows.push_back(SummaryRow{kTeam, Categories(mode, row), row.figures.count, row.figures.minutes});
  }
  return sheet;
}

PeriodSheet Periods(const TallyResult& result) {
  PeriodSheet sheet;
  const PeriodBreakdown& breakdown = *result.breakdown;
  for (const BreakdownPeriod& period : breakdown.periods) sheet.unitLabels.push_back(period.label);
  for (std::size_t i = 0; i < result.members.size(); ++i) {
    PeriodSheet::Row& row = sheet.rows.emplace_back();
    row.member = result.members[i].name;
    if (i >= breakdown.memberCells.size()) continue;
    for (const TallyFigures& cell : breakdown.memberCells[i]) row.minutes.push_back(cell.minutes);
  }
  return sheet;
}

// The instant of a local date and time, for the document's creation time.
std::time_t InstantOf(const DateTime& local) {
  if (!local.HasCalendarParts()) return std::time(nullptr);
  const CalendarParts p = local.Parts();
  std::tm parts{};
  parts.tm_year = p.year - 1900;
  parts.tm_mon = p.month - 1;
  parts.tm_mday = p.day;
  parts.tm_hour = p.hour;
  parts.tm_min = p.minute;
  parts.tm_sec = p.second;
  parts.tm_isdst = -1;
  const std::time_t instant = std::mktime(&parts);
  return instant == static_cast<std::time_t>(-1) ? std::time(nullptr) : instant;
}

}  // namespace

std::size_t WorkbookSummaryRows(const TallyResult& result) {
  SummarySheet shape;
  shape.headingLines = HeadingLines(result);
  std::size_t memberRows = 0;
  for (const MemberTally& member : result.members) {
    memberRows += result.settings.mode == kModeTotal || member.rows.empty() ? 1 : member.rows.size();
  }
  return SummarySheetRows(shape) + memberRows + result.teamRows.size();
}

std::optional<std::string> WorkbookTooLongMessage(const TallyResult& result,
                                                  const std::filesystem::path& target) {
  const std::size_t rows = WorkbookSummaryRows(result);
  if (rows <= kSheetRows) return std::nullopt;
  const std::u8string path = target.u8string();
  return Utf8ToCp932(std::string(reinterpret_cast<const char*>(path.data()), path.size()) +
                     " に書き出せません。集計結果が " + std::to_string(rows) +
                     " 行になり、ワークシートの 1,048,576 行に収まりません。");
}

bool WorkbookFormatter::WriteFile(const TallyResult& result, const std::filesystem::path& path) const {
  const SummarySheet summary = Summary(result);
  if (SummarySheetRows(summary) > kSheetRows) return false;
  if (result.breakdown && result.breakdown->periods.size() > kMaxPeriodUnits) return false;
  XlsxWorkbook book(path, InstantOf(result.generatedAt));
  WriteSummarySheet(book.AddSheet("集計"), summary);
  if (result.breakdown) WritePeriodSheet(book.AddSheet("期間別"), Periods(result));
  return book.Close() == kCauseNone;
}

}  // namespace tallyer
