#include "app/period_chooser.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDateEdit>

#include "app/window_settings.h"

namespace tallyer {
namespace {

const QString kPresetValue = QStringLiteral("PeriodPreset");

}  // namespace

PeriodChooser::PeriodChooser(QComboBox* presets, QAbstractButton* previous, QAbstractButton* next,
                             QDateEdit* first, QDateEdit* last, WindowSettings& settings, Today today,
                             QObject* parent)
    : QObject(parent), presets_(presets), first_(first), last_(last), settings_(settings), today_(std::move(today)) {
  presets_->clear();
  for (int i = 0; i < kPeriodPresetCount; ++i) presets_->addItem(PresetLabel(static_cast<PeriodPreset>(i)));
  presets_->setCurrentIndex(static_cast<int>(PeriodPreset::kCustom));
  // Only the user's own choice: activated is not sent when the list is set here.
  connect(presets_, &QComboBox::activated, this,
          [this](int index) { Choose(static_cast<PeriodPreset>(index)); });
  connect(previous, &QAbstractButton::clicked, this, [this] { Step(-1); });
  connect(next, &QAbstractButton::clicked, this, [this] { Step(1); });
  connect(first_, &QDateEdit::dateChanged, this, &PeriodChooser::DatesEdited);
  connect(last_, &QDateEdit::dateChanged, this, &PeriodChooser::DatesEdited);
}

void PeriodChooser::Restore(const QDate& today) {
  const auto preset = PresetNamed(settings_.Value(kPresetValue).toString());
  if (!preset || *preset == PeriodPreset::kCustom) {
    ShowInList(PeriodPreset::kCustom);
    unit_.reset();
    return;
  }
  Show(*PresetPeriod(*preset, today));
  ShowInList(*preset);
  unit_ = UnitOf(*preset);
}

PeriodPreset PeriodChooser::Shown() const {
  const int index = presets_->currentIndex();
  return index >= 0 ? static_cast<PeriodPreset>(index) : PeriodPreset::kCustom;
}

void PeriodChooser::Choose(PeriodPreset preset) {
  if (const auto period = PresetPeriod(preset, today_())) Show(*period);
  unit_ = UnitOf(preset);
  ShowInList(preset);
  settings_.SetValue(kPresetValue, PresetName(preset));
}

void PeriodChooser::Step(int steps) {
  const DatePeriod moved = StepPeriod(Current(), unit_, steps);
  // Past the pickers' range the period stays where it is.
  if (!moved.first.isValid() || !moved.last.isValid() || moved.first < first_->minimumDate() ||
      moved.last > last_->maximumDate()) {
    return;
  }
  Show(moved);
  const PeriodPreset preset = PresetMatching(moved, today_());
  ShowInList(preset);
  settings_.SetValue(kPresetValue, PresetName(preset));
}

DatePeriod PeriodChooser::Current() const { return {first_->date(), last_->date()}; }

void PeriodChooser::Show(const DatePeriod& period) {
  showing_ = true;
  // Whole days: both pickers at the start of their day.
  first_->setDateTime(QDateTime(period.first, QTime(0, 0), first_->dateTime().timeSpec()));
  last_->setDateTime(QDateTime(period.last, QTime(0, 0), last_->dateTime().timeSpec()));
  showing_ = false;
}

void PeriodChooser::ShowInList(PeriodPreset preset) { presets_->setCurrentIndex(static_cast<int>(preset)); }

void PeriodChooser::DatesEdited() {
  if (showing_) return;
  unit_.reset();
  if (Shown() == PeriodPreset::kCustom) return;
  ShowInList(PeriodPreset::kCustom);
  settings_.SetValue(kPresetValue, PresetName(PeriodPreset::kCustom));
}

}  // namespace tallyer
