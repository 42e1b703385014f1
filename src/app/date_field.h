#pragma once

#include <QDateEdit>
#include <QString>

namespace tallyer {

// A date picker that takes typing however it was entered: a click selects the
// part (year, month, day) it lands in, so typed digits replace it instead of
// being refused beside the old ones; and eight digits typed in a row
// (20250101) set the whole date, whichever part they started in; eight that
// form no date bring back the date from before.
class DateField : public QDateEdit {
  Q_OBJECT

 public:
  explicit DateField(QWidget* parent = nullptr);

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QString typed_;  // the digits typed in a row since the field was entered
  QDate before_;   // the date when they began
};

}  // namespace tallyer
