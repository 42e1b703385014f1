#include "app/period_presets.h"

#include <array>

namespace tallyer {
namespace {

struct PresetText {
  const char16_t* label;
  const char* name;
};

constexpr std::array<PresetText, kPeriodPresetCount> kTexts{{
    {u"今日", "today"},
    {u"昨日", "yesterday"},
    {u"今週", "thisWeek"},
    {u"先週", "lastWeek"},
    {u"今月", "thisMonth"},
    {u"先月", "lastMonth"},
    {u"今年", "thisYear"},
    {u"昨年", "lastYear"},
    {u"今年度", "thisFiscalYear"},
    {u"前年度", "lastFiscalYear"},
    {u"期間を指定", "custom"},
}};

constexpr int kFiscalYearFirstMonth = 4;

QDate WeekStart(const QDate& day) { return day.addDays(1 - day.dayOfWeek()); }
QDate MonthStart(const QDate& day) { return QDate(day.year(), day.month(), 1); }
QDate YearStart(const QDate& day) { return QDate(day.year(), 1, 1); }
QDate FiscalYearStart(const QDate& day) {
  const int year = day.month() >= kFiscalYearFirstMonth ? day.year() : day.year() - 1;
  return QDate(year, kFiscalYearFirstMonth, 1);
}

// The unit that starts on `first`.
DatePeriod UnitFrom(const QDate& first, PeriodUnit unit) {
  switch (unit) {
    case PeriodUnit::kWeek:
      return {first, first.addDays(6)};
    case PeriodUnit::kMonth:
      return {first, first.addMonths(1).addDays(-1)};
    case PeriodUnit::kYear:
    case PeriodUnit::kFiscalYear:
      return {first, first.addYears(1).addDays(-1)};
    case PeriodUnit::kDay:
      break;
  }
  return {first, first};
}

}  // namespace

QString PresetLabel(PeriodPreset preset) {
  return QString::fromUtf16(kTexts[static_cast<std::size_t>(preset)].label);
}

QString PresetName(PeriodPreset preset) {
  return QString::fromLatin1(kTexts[static_cast<std::size_t>(preset)].name);
}

std::optional<PeriodPreset> PresetNamed(const QString& name) {
  for (int i = 0; i < kPeriodPresetCount; ++i) {
    if (name == QLatin1String(kTexts[static_cast<std::size_t>(i)].name)) return static_cast<PeriodPreset>(i);
  }
  return std::nullopt;
}

std::optional<PeriodUnit> UnitOf(PeriodPreset preset) {
  switch (preset) {
    case PeriodPreset::kToday:
    case PeriodPreset::kYesterday:
      return PeriodUnit::kDay;
    case PeriodPreset::kThisWeek:
    case PeriodPreset::kLastWeek:
      return PeriodUnit::kWeek;
    case PeriodPreset::kThisMonth:
    case PeriodPreset::kLastMonth:
      return PeriodUnit::kMonth;
    case PeriodPreset::kThisYear:
    case PeriodPreset::kLastYear:
      return PeriodUnit::kYear;
    case PeriodPreset::kThisFiscalYear:
    case PeriodPreset::kLastFiscalYear:
      return PeriodUnit::kFiscalYear;
    case PeriodPreset::kCustom:
      break;
  }
  return std::nullopt;
}

std::optional<DatePeriod> PresetPeriod(PeriodPreset preset, const QDate& today) {
  switch (preset) {
    case PeriodPreset::kToday:
      return DatePeriod{today, today};
    case PeriodPreset::kYesterday:
      return StepPeriod({today, today}, PeriodUnit::kDay, -1);
    case PeriodPreset::kThisWeek:
      return UnitFrom(WeekStart(today), PeriodUnit::kWeek);
    case PeriodPreset::kLastWeek:
      return StepPeriod(UnitFrom(WeekStart(today), PeriodUnit::kWeek), PeriodUnit::kWeek, -1);
    case PeriodPreset::kThisMonth:
      return UnitFrom(MonthStart(today), PeriodUnit::kMonth);
    case PeriodPreset::kLastMonth:
      return StepPeriod(UnitFrom(MonthStart(today), PeriodUnit::kMonth), PeriodUnit::kMonth, -1);
    case PeriodPreset::kThisYear:
      return UnitFrom(YearStart(today), PeriodUnit::kYear);
    case PeriodPreset::kLastYear:
      return StepPeriod(UnitFrom(YearStart(today), PeriodUnit::kYear), PeriodUnit::kYear, -1);
    case PeriodPreset::kThisFiscalYear:
      return UnitFrom(FiscalYearStart(today), PeriodUnit::kFiscalYear);
    case PeriodPreset::kLastFiscalYear:
      return StepPeriod(UnitFrom(FiscalYearStart(today), PeriodUnit::kFiscalYear), PeriodUnit::kFiscalYear,
                        -1);
    case PeriodPreset::kCustom:
      break;
  }
  return std::nullopt;
}

DatePeriod StepPeriod(const DatePeriod& period, std::optional<PeriodUnit> unit, int steps) {
  if (unit) {
    switch (*unit) {
      case PeriodUnit::kDay:
        return UnitFrom(period.first.addDays(steps), *unit);
      case PeriodUnit::kWeek:
        return UnitFrom(period.first.addDays(7LL * steps), *unit);
      case PeriodUnit::kMonth:
        return UnitFrom(period.first.addMonths(steps), *unit);
      case PeriodUnit::kYear:
      case PeriodUnit::kFiscalYear:
        return UnitFrom(period.first.addYears(steps), *unit);
    }
  }
  const qint64 days = (qAbs(period.first.daysTo(period.last)) + 1) * steps;
  return {period.first.addDays(days), period.last.addDays(days)};
}

PeriodPreset PresetMatching(const DatePeriod& period, const QDate& today) {
  for (int i = 0; i < kPeriodPresetCount; ++i) {
    const auto preset = static_cast<PeriodPreset>(i);
    if (PresetPeriod(preset, today) == period) return preset;
  }
  return PeriodPreset::kCustom;
}

}  // namespace tallyer
