#pragma once

#include <QDate>
#include <QObject>
#include <functional>

#include "app/period_presets.h"

class QAbstractButton;
class QComboBox;
class QDateEdit;

namespace tallyer {

class WindowSettings;

// Drives the period's preset list, its ◀ ▶ buttons and the two date pickers:
// a preset sets both pickers to its whole unit around today; the buttons move
// the period by the unit of the last preset (or by the period's own length
// once a picker was edited) and the list follows with the preset the new
// period equals; editing a picker selects 期間を指定. The preset shown is kept
// in the window's settings as "PeriodPreset" and applied again at start.
class PeriodChooser : public QObject {
  Q_OBJECT

 public:
  using Today = std::function<QDate()>;

  PeriodChooser(QComboBox* presets, QAbstractButton* previous, QAbstractButton* next, QDateEdit* first,
                QDateEdit* last, WindowSettings& settings, Today today, QObject* parent = nullptr);

  // At start, once the pickers show the stored dates: a remembered preset
  // replaces them with its period around `today`.
  void Restore(const QDate& today);

  PeriodPreset Shown() const;
  // None: the period moves by its own number of days.
  std::optional<PeriodUnit> Unit() const { return unit_; }

  // The operations behind the list and the buttons.
  void Choose(PeriodPreset preset);
  void Step(int steps);

 private:
  DatePeriod Current() const;
  void Show(const DatePeriod& period);
  void ShowInList(PeriodPreset preset);
  void DatesEdited();

  QComboBox* presets_;
  QDateEdit* first_;
  QDateEdit* last_;
  WindowSettings& settings_;
  Today today_;
  std::optional<PeriodUnit> unit_;
  bool showing_ = false;  // the pickers change because of a preset, not the user
};

}  // namespace tallyer
