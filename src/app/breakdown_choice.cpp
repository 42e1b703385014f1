#include "app/breakdown_choice.h"

#include <QComboBox>
#include <array>

#include "app/window_settings.h"

namespace tallyer {
namespace {

const QString kValueName = QStringLiteral("Breakdown");

struct Choice {
  const char* text;  // UTF-8
  std::optional<PeriodUnit> unit;
  const char* stored;
};

const std::array<Choice, 6> kChoices = {{
    {"なし", std::nullopt, ""},
    {"日別", PeriodUnit::kDay, "day"},
    {"週別", PeriodUnit::kWeek, "week"},
    {"月別", PeriodUnit::kMonth, "month"},
    {"年別", PeriodUnit::kYear, "year"},
    {"年度別", PeriodUnit::kFiscalYear, "fiscal-year"},
}};

int IndexOf(std::optional<PeriodUnit> unit) {
  for (std::size_t i = 0; i < kChoices.size(); ++i) {
    if (kChoices[i].unit == unit) return static_cast<int>(i);
  }
  return 0;
}

}  // namespace

void FillBreakdownChoice(QComboBox* list) {
  list->clear();
  for (const Choice& choice : kChoices) list->addItem(QString::fromUtf8(choice.text));
}

std::optional<PeriodUnit> ChosenBreakdown(const QComboBox* list) {
  const int index = list->currentIndex();
  if (index < 0 || index >= static_cast<int>(kChoices.size())) return std::nullopt;
  return kChoices[static_cast<std::size_t>(index)].unit;
}

std::optional<PeriodUnit> StoredBreakdown(const WindowSettings& settings) {
  const QString stored = settings.Value(kValueName).toString();
  for (const Choice& choice : kChoices) {
    if (stored == QLatin1String(choice.stored)) return choice.unit;
  }
  return std::nullopt;  // missing or edited into something unknown
}

void StoreBreakdown(WindowSettings& settings, std::optional<PeriodUnit> unit) {
  settings.SetValue(kValueName, QString::fromLatin1(kChoices[static_cast<std::size_t>(IndexOf(unit))].stored));
}

void ShowBreakdown(QComboBox* list, std::optional<PeriodUnit> unit) { list->setCurrentIndex(IndexOf(unit)); }

}  // namespace tallyer
