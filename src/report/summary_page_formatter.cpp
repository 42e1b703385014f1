#include "report/summary_page_formatter.h"

#include <ostream>

#include "data/cp932.h"
#include "report/chart_svg.h"
#include "report/duration_text.h"
#include "report/option_words.h"
#include "report/summary_charts.h"
#include "version.h"

namespace tallyer {
namespace {

std::string Duration(long long minutes, int durationFormat) {
  return Cp932ToUtf8(FormatDuration(minutes, durationFormat));
}

std::string DateText(const DateTime& date) { return Cp932ToUtf8(FormatDateText(date, true, true)); }

// "2025年1月31日(金) 14:05".
std::string DateAndTimeText(const DateTime& value) {
  const CalendarParts parts = value.Parts();
  std::string minute = std::to_string(parts.minute);
  if (minute.size() < 2) minute.insert(0, 1, '0');
  return DateText(value) + " " + std::to_string(parts.hour) + ":" + minute;
}

const char* UnitWord(PeriodUnit unit) {
  switch (unit) {
    case PeriodUnit::kDay: return "日別";
    case PeriodUnit::kWeek: return "週別";
    case PeriodUnit::kMonth: return "月別";
    case PeriodUnit::kYear: return "年別";
    case PeriodUnit::kFiscalYear: return "年度別";
  }
  return "期間別";
}

const char* CategoryHeading(int mode) {
  switch (mode) {
    case kModeColor: return "色";
    case kModeType: return "タイプ";
    case kModeContent: return "内容";
    default: return "";
  }
}

// Team minutes over the members listed, rounded half up to whole minutes.
std::string AverageText(const TallyResult& result) {
  const auto members = static_cast<long long>(result.members.size());
  if (members == 0) return "—";
  const long long minutes = (2 * result.totals.minutes + members) / (2 * members);
  return Duration(minutes, result.settings.durationFormat);
}

std::vector<CategoryRow> CategoryRows(const TallyResult& result,
                                      const std::vector<TallyRow>& rows) {
  std::vector<CategoryRow> out;
  for (const TallyRow& row : rows) {
    PageCategoryCell cell{CategoryName(result, row), std::nullopt};
    if (result.settings.mode != kModeContent) cell.color = RgbOfStoredColor(row.color);
    out.push_back({std::move(cell), row.figures.count,
                   Duration(row.figures.minutes, result.settings.durationFormat)});
  }
  return out;
}

SummaryPage::Breakdown BreakdownOf(const TallyResult& result) {
  const PeriodBreakdown& breakdown = *result.breakdown;
  const int form = result.settings.durationFormat;
  SummaryPage::Breakdown page;
  page.heading = UnitWord(breakdown.unit);
  page.chartSvg = RenderColumnChart(BreakdownChartOf(result));
  BreakdownTable& table = page.table;
  for (const BreakdownPeriod& period : breakdown.periods) table.unitLabels.push_back(period.label);
  const auto cellsOf = [&](const std::vector<TallyFigures>& cells) {
    std::vector<std::string> texts;
    for (const TallyFigures& cell : cells) texts.push_back(Duration(cell.minutes, form));
    return texts;
  };
  for (std::size_t m = 0; m < result.members.size(); ++m) {
    const MemberTally& member = result.members[m];
    table.members.push_back({Cp932ToUtf8(member.name),
                             m < breakdown.memberCells.size() ? cellsOf(breakdown.memberCells[m])
                                                              : std::vector<std::string>{},
                             Duration(member.figures.minutes, form)});
  }
  table.totals = {"合計", cellsOf(breakdown.totals), Duration(result.totals.minutes, form)};
  return page;
}

}  // namespace

SummaryPage SummaryPageOf(const TallyResult& result) {
  const TallySettings& settings = result.settings;
  const int form = settings.durationFormat;
  SummaryPage page;
  page.group = Cp932ToUtf8(result.groupName);
  page.period = DateText(settings.firstDate) + " ～ " + DateText(settings.lastDate);
  page.title = page.group + " 集計結果 " + page.period;
  for (const std::string& line : OptionsInWords(result)) page.optionLines.push_back(Cp932ToUtf8(line));
  page.made = std::string("Tallyer ") + kProductVersion + " · " +
              DateAndTimeText(result.generatedAt) + " 作成";
  page.figures = {
      {"合計時間", Duration(result.totals.minutes, form)},
      {"メンバー数", std::to_string(result.members.size()) + "人"},
      {"予定件数", std::to_string(result.totals.count) + "件"},
      {"1人あたり平均", AverageText(result)},
  };
  page.memberChartHeading = "メンバー別の時間";
  page.memberChartSvg = MemberChartSvg(result);
  page.categoryHeading = CategoryHeading(settings.mode);
  for (const MemberTally& member : result.members) {
    page.members.push_back({Cp932ToUtf8(member.name), CategoryRows(result, member.rows),
                            member.figures.count, Duration(member.figures.minutes, form)});
  }
  if (settings.mode != kModeTotal) {
    page.team = TableBlock{"チーム", CategoryRows(result, result.teamRows), result.totals.count,
                           Duration(result.totals.minutes, form)};
  }
  page.totalCount = result.totals.count;
  page.totalDuration = Duration(result.totals.minutes, form);
  if (result.breakdown) page.breakdown = BreakdownOf(result);
  return page;
}

void SummaryPageFormatter::Write(const TallyResult& result, std::ostream& out) const {
  out << SummaryPageHtml(SummaryPageOf(result));
}

}  // namespace tallyer
