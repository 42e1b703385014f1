#pragma once

#include <QDate>
#include <QString>
#include <optional>

#include "tally/tally_settings.h"

namespace tallyer {

// The entries of the period list, in its order. Weeks start on Monday; fiscal
// years run from 1 April to 31 March.
enum class PeriodPreset {
  kToday,
  kYesterday,
  kThisWeek,
  kLastWeek,
  kThisMonth,
  kLastMonth,
  kThisYear,
  kLastYear,
  kThisFiscalYear,
  kLastFiscalYear,
  kCustom,  // 期間を指定: the dates as typed
};
inline constexpr int kPeriodPresetCount = 11;

// A period of whole days, both ends included.
struct DatePeriod {
  QDate first;
  QDate last;
  friend bool operator==(const DatePeriod&, const DatePeriod&) = default;
};

// The text of the list entry ("今月") and the name it is stored under ("thisMonth").
QString PresetLabel(PeriodPreset preset);
QString PresetName(PeriodPreset preset);
std::optional<PeriodPreset> PresetNamed(const QString& name);

// What ◀ and ▶ move the preset's period by: its unit; none for the custom
// entry, which moves by its own number of days.
std::optional<PeriodUnit> UnitOf(PeriodPreset preset);

// The whole unit of the preset around `today`; the custom entry has none (nullopt).
std::optional<DatePeriod> PresetPeriod(PeriodPreset preset, const QDate& today);

// The period `steps` units later (earlier when negative). A whole unit gives
// the whole unit that many units away; without a unit both ends move by the
// period's own number of days.
DatePeriod StepPeriod(const DatePeriod& period, std::optional<PeriodUnit> unit, int steps);

// The first preset whose period around `today` is `period`; the custom entry when none is.
PeriodPreset PresetMatching(const DatePeriod& period, const QDate& today);

}  // namespace tallyer
