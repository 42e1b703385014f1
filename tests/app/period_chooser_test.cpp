// The period's preset list, its ◀ ▶ buttons and typing into the date pickers,
// in the main window against a fixed clock.
#include <QComboBox>
#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "app/period_chooser.h"
#include "app_test_support.h"
#include "support/archive_writer.h"

using namespace tallyer;
using namespace tallyer::testing;

namespace {

QDateTime Local(int y, int m, int d, int h = 10) { return QDateTime(QDate(y, m, d), QTime(h, 0)); }

QDateTime Midnight(const QDate& day) { return QDateTime(day, QTime(0, 0), QTimeZone::utc()); }

// Picks an entry of the list as the user does.
void Pick(DialogFixture& f, const QString& label) {
  auto* list = f.Find<QComboBox>("periodPresetCombo");
  const int index = list->findText(label);
  QVERIFY2(index >= 0, qPrintable(label));
  list->setCurrentIndex(index);
  emit list->activated(index);
}

QString Shown(DialogFixture& f) { return f.Find<QComboBox>("periodPresetCombo")->currentText(); }

QPair<QDate, QDate> Dates(DialogFixture& f) {
  return {f.Find<QDateEdit>("firstDateEdit")->date(), f.Find<QDateEdit>("lastDateEdit")->date()};
}

// The middle of character `index` of a picker's text, where a click lands in it.
QPoint CharacterAt(QLineEdit* text, int index) {
  const auto cursorX = [text](int at) {
    text->setCursorPosition(at);
    return text->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
  };
  return QPoint((cursorX(index) + cursorX(index + 1)) / 2, text->height() / 2);
}

}  // namespace

class PeriodChooserTest : public QObject {
  Q_OBJECT

 private slots:
  void aPresetSetsBothPickersToItsWholeUnit() {
    DialogFixture f;
    f.Open(Local(2025, 1, 15));
    QCOMPARE(Shown(f), QStringLiteral("期間を指定"));  // nothing remembered: the written behaviour
    Pick(f, "今週");
    QCOMPARE(f.Find<QDateEdit>("firstDateEdit")->dateTime(), Midnight(QDate(2025, 1, 13)));
    QCOMPARE(f.Find<QDateEdit>("lastDateEdit")->dateTime(), Midnight(QDate(2025, 1, 19)));
    QCOMPARE(f.windowSettings.Value("PeriodPreset").toString(), QStringLiteral("thisWeek"));
  }

  void theArrowsMoveByTheUnitAndTheListFollows() {
    DialogFixture f;
    f.Open(Local(2025, 1, 15));
    auto* previous = f.Find<QToolButton>("previousPeriodButton");
    auto* next = f.Find<QToolButton>("nextPeriodButton");
    QCOMPARE(previous->text(), QStringLiteral("◀"));
    QCOMPARE(next->text(), QStringLiteral("▶"));
    Pick(f, "今月");

    previous->click();
    QCOMPARE(Shown(f), QStringLiteral("先月"));
    QCOMPARE(Dates(f), qMakePair(QDate(2024, 12, 1), QDate(2024, 12, 31)));
    previous->click();  // no preset is two months back: the month stays the unit
    QCOMPARE(Shown(f), QStringLiteral("期間を指定"));
    QCOMPARE(Dates(f), qMakePair(QDate(2024, 11, 1), QDate(2024, 11, 30)));
    QCOMPARE(f.windowSettings.Value("PeriodPreset").toString(), QStringLiteral("custom"));
    next->click();
    next->click();
    QCOMPARE(Shown(f), QStringLiteral("今月"));
    QCOMPARE(Dates(f), qMakePair(QDate(2025, 1, 1), QDate(2025, 1, 31)));
    next->click();
    QCOMPARE(Dates(f), qMakePair(QDate(2025, 2, 1), QDate(2025, 2, 28)));

    // Fiscal years across the turn of the calendar year.
    Pick(f, "今年度");
    QCOMPARE(Dates(f), qMakePair(QDate(2024, 4, 1), QDate(2025, 3, 31)));
    previous->click();
    QCOMPARE(Shown(f), QStringLiteral("前年度"));
    QCOMPARE(Dates(f), qMakePair(QDate(2023, 4, 1), QDate(2024, 3, 31)));
  }

  void editingAPickerGivesACustomPeriodThatMovesByItsLength() {
    DialogFixture f;
    f.Open(Local(2025, 1, 15));
    Pick(f, "今週");
    f.Find<QDateEdit>("firstDateEdit")->setDate(QDate(2025, 1, 10));
    QCOMPARE(Shown(f), QStringLiteral("期間を指定"));
    QCOMPARE(f.windowSettings.Value("PeriodPreset").toString(), QStringLiteral("custom"));
    f.Find<QToolButton>("nextPeriodButton")->click();  // ten days, both ends included
    QCOMPARE(Dates(f), qMakePair(QDate(2025, 1, 20), QDate(2025, 1, 29)));
    f.Find<QToolButton>("previousPeriodButton")->click();
    f.Find<QToolButton>("previousPeriodButton")->click();
    QCOMPARE(Dates(f), qMakePair(QDate(2024, 12, 31), QDate(2025, 1, 9)));
  }

  void theRememberedPresetIsAppliedAtTheNextStart() {
    DialogFixture f;
    f.store.WriteText("date1", "20240101");
    f.store.WriteText("date2", "20240110");
    f.Open(Local(2025, 3, 10));
    Pick(f, "先月");
    QCOMPARE(Dates(f), qMakePair(QDate(2025, 2, 1), QDate(2025, 2, 28)));

    f.Open(Local(2025, 4, 2));  // the next start, in April
    QCOMPARE(Shown(f), QStringLiteral("先月"));
    QCOMPARE(f.Find<QDateEdit>("firstDateEdit")->dateTime(), Midnight(QDate(2025, 3, 1)));
    QCOMPARE(f.Find<QDateEdit>("lastDateEdit")->dateTime(), Midnight(QDate(2025, 3, 31)));
    QCOMPARE(f.Find<QToolButton>("previousPeriodButton")->isEnabled(), true);
    f.Find<QToolButton>("previousPeriodButton")->click();  // by the remembered unit
    QCOMPARE(Dates(f), qMakePair(QDate(2025, 2, 1), QDate(2025, 2, 28)));

    // 期間を指定: the stored dates, as without presets.
    Pick(f, "期間を指定");
    f.Open(Local(2025, 4, 3));
    QCOMPARE(Shown(f), QStringLiteral("期間を指定"));
    QCOMPARE(Dates(f), qMakePair(QDate(2024, 1, 1), QDate(2024, 1, 10)));
  }

  void aRunStoresThePresetsDatesUnderTheClassicNames() {
    DialogFixture f;
    f.files.group = f.dir / "g.group";
    WriteBytes(*f.files.group, GroupFileBuilder().Name("G").Add("A", "a").Build());
    f.files.csv = f.dir / "out.csv";
    f.Open(Local(2025, 6, 18));
    f.dialog->ChooseGroup();
    f.Find<QCheckBox>("everyoneCheck")->click();
    Pick(f, "前年度");
    f.dialog->RunCsv();
    QCOMPARE(f.store.ReadText("date1", ""), std::string("20240401"));
    QCOMPARE(f.store.ReadText("date2", ""), std::string("20250331"));
  }

  // A click into a part of the date, then keys typed; the picker shows 2025/01/15.
  void typingAfterAClick_data() {
    QTest::addColumn<int>("character");  // -1: entered with Tab
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDate>("date");
    QTest::newRow("year, four digits") << 2 << "2026" << QDate(2026, 1, 15);
    QTest::newRow("end of the year") << 4 << "2031" << QDate(2031, 1, 15);
    QTest::newRow("month") << 6 << "03" << QDate(2025, 3, 15);
    QTest::newRow("day") << 9 << "28" << QDate(2025, 1, 28);
    QTest::newRow("whole date from the year") << 0 << "20240229" << QDate(2024, 2, 29);
    QTest::newRow("whole date from the month") << 5 << "20240229" << QDate(2024, 2, 29);
    QTest::newRow("whole date from the day") << 9 << "20240229" << QDate(2024, 2, 29);
    QTest::newRow("whole date after Tab") << -1 << "20240229" << QDate(2024, 2, 29);
    QTest::newRow("no such date brings the old one back") << 0 << "20250230" << QDate(2025, 1, 15);
  }
  void typingAfterAClick() {
    QFETCH(int, character);
    QFETCH(QString, typed);
    QFETCH(QDate, date);
    DialogFixture f;
    f.Open(Local(2025, 1, 15));
    f.dialog->show();
    QApplication::setActiveWindow(f.dialog.get());
    QVERIFY(QTest::qWaitForWindowActive(f.dialog.get()));
    auto* picker = f.Find<QDateEdit>("firstDateEdit");
    picker->setDate(QDate(2025, 1, 15));
    if (character < 0) {
      f.Find<QWidget>("nextPeriodButton")->setFocus();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), picker);
    } else {
      auto* text = picker->findChild<QLineEdit*>();
      QTest::mouseClick(text, Qt::LeftButton, {}, CharacterAt(text, character));
    }
    QTest::keyClicks(picker, typed);
    QCOMPARE(picker->date(), date);
  }
};

QTEST_MAIN(PeriodChooserTest)
#include "period_chooser_test.moc"
