#pragma once

#include <QString>
#include <optional>

#include "tally/tally_settings.h"

class QComboBox;

namespace tallyer {

class WindowSettings;

// The 内訳 list of the result pane: なし, 日別, 週別, 月別, 年別, 年度別. The
// choice is kept under the value "Breakdown" as the command line names the
// unit (day, week, month, year, fiscal-year; empty for none).
void FillBreakdownChoice(QComboBox* list);
// The unit of the list's current item; none for なし.
std::optional<PeriodUnit> ChosenBreakdown(const QComboBox* list);

std::optional<PeriodUnit> StoredBreakdown(const WindowSettings& settings);
void StoreBreakdown(WindowSettings& settings, std::optional<PeriodUnit> unit);
// Selects the item of `unit` in the list.
void ShowBreakdown(QComboBox* list, std::optional<PeriodUnit> unit);

}  // namespace tallyer
