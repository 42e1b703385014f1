#include "app/date_field.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace tallyer {

DateField::DateField(QWidget* parent) : QDateEdit(parent) { lineEdit()->installEventFilter(this); }

void DateField::focusInEvent(QFocusEvent* event) {
  typed_.clear();
  QDateEdit::focusInEvent(event);
}

void DateField::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  const bool digit = text.size() == 1 && text[0].isDigit() && text[0].unicode() < 0x80;
  if (!digit) {
    typed_.clear();
    QDateEdit::keyPressEvent(event);
    return;
  }
  if (typed_.isEmpty()) before_ = date();
  typed_ += text;
  if (typed_.size() < 8) {
    QDateEdit::keyPressEvent(event);
    return;
  }
  const QDate typedDate = QDate::fromString(typed_, QStringLiteral("yyyyMMdd"));
  typed_.clear();
  event->accept();
  if (typedDate.isValid() && typedDate >= minimumDate() && typedDate <= maximumDate()) {
    setDate(typedDate);
    setSelectedSection(QDateTimeEdit::DaySection);
    return;
  }
  // 20250230: the parts typed so far would leave some other date (2025/02/03);
  // the date from before the typing comes back instead.
  setDate(before_);
  setSelectedSection(QDateTimeEdit::YearSection);
  QApplication::beep();
}

bool DateField::eventFilter(QObject* watched, QEvent* event) {
  // After the click has placed the cursor; a drag that selected text keeps it.
  if (watched == lineEdit() && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && !lineEdit()->hasSelectedText()) {
    typed_.clear();
    setSelectedSection(currentSection());
  }
  return QDateEdit::eventFilter(watched, event);
}

}  // namespace tallyer
