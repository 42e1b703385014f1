#include <QFile>
#include <QTest>

#include "app/period_presets.h"

using namespace tallyer;

namespace {

QDate Day(const QString& text) { return QDate::fromString(text, Qt::ISODate); }

PeriodPreset PresetLabelled(const QString& label) {
  for (int i = 0; i < kPeriodPresetCount; ++i) {
    if (PresetLabel(static_cast<PeriodPreset>(i)) == label) return static_cast<PeriodPreset>(i);
  }
  qFatal("no preset %s", qPrintable(label));
}

}  // namespace

class PeriodPresetsTest : public QObject {
  Q_OBJECT

 private slots:
  void listOrderAndStoredNames() {
    QStringList labels;
    for (int i = 0; i < kPeriodPresetCount; ++i) {
      const auto preset = static_cast<PeriodPreset>(i);
      labels << PresetLabel(preset);
      QCOMPARE(PresetNamed(PresetName(preset)), preset);
    }
    QCOMPARE(labels, (QStringList{"今日", "昨日", "今週", "先週", "今月", "先月", "今年", "昨年", "今年度",
                                  "前年度", "期間を指定"}));
    QVERIFY(!PresetNamed(QStringLiteral("nextMonth")));
    QVERIFY(!PresetNamed(QString()));
    QVERIFY(!PresetPeriod(PeriodPreset::kCustom, QDate(2025, 6, 18)));
  }

  // data/period_presets.tsv: today, preset, first day, last day.
  void everyPresetOnDaysThatMatter_data() {
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("preset");
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");
    QFile table(QFINDTESTDATA("data/period_presets.tsv"));
    QVERIFY(table.open(QIODevice::ReadOnly | QIODevice::Text));
    while (!table.atEnd()) {
      const QString line = QString::fromUtf8(table.readLine()).trimmed();
      if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
      const QStringList f = line.split(QLatin1Char('\t'));
      QCOMPARE(f.size(), 4);
      QTest::newRow(qPrintable(f[0] + ' ' + f[1])) << Day(f[0]) << f[1] << Day(f[2]) << Day(f[3]);
    }
  }
  void everyPresetOnDaysThatMatter() {
    QFETCH(QDate, today);
    QFETCH(QString, preset);
    QFETCH(QDate, first);
    QFETCH(QDate, last);
    const PeriodPreset p = PresetLabelled(preset);
    const auto period = PresetPeriod(p, today);
    QVERIFY(period);
    QCOMPARE(period->first, first);
    QCOMPARE(period->last, last);
    // The list shows this preset again for its own period.
    QCOMPARE(PresetMatching(*period, today), p);
  }

  void steps_data() {
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");
    QTest::addColumn<int>("unit");  // -1: none, the period's own length
    QTest::addColumn<int>("steps");
    QTest::addColumn<QDate>("movedFirst");
    QTest::addColumn<QDate>("movedLast");
    const auto row = [](const char* name, const char* a, const char* b, std::optional<PeriodUnit> unit,
                        int steps, const char* c, const char* d) {
      QTest::newRow(name) << Day(a) << Day(b) << (unit ? int(*unit) : -1) << steps << Day(c) << Day(d);
    };
    row("day into the year before", "2025-01-01", "2025-01-01", PeriodUnit::kDay, -1, "2024-12-31", "2024-12-31");
    row("day onto 29 February", "2024-02-28", "2024-02-28", PeriodUnit::kDay, 1, "2024-02-29", "2024-02-29");
    row("week across New Year", "2024-12-30", "2025-01-05", PeriodUnit::kWeek, 1, "2025-01-06", "2025-01-12");
    row("week back from New Year", "2024-12-30", "2025-01-05", PeriodUnit::kWeek, -1, "2024-12-23",
        "2024-12-29");
    row("December to January", "2025-12-01", "2025-12-31", PeriodUnit::kMonth, 1, "2026-01-01", "2026-01-31");
    row("January to December", "2025-01-01", "2025-01-31", PeriodUnit::kMonth, -1, "2024-12-01", "2024-12-31");
    row("March to a leap February", "2024-03-01", "2024-03-31", PeriodUnit::kMonth, -1, "2024-02-01",
        "2024-02-29");
    row("January to February", "2025-01-01", "2025-01-31", PeriodUnit::kMonth, 1, "2025-02-01", "2025-02-28");
    row("year back", "2025-01-01", "2025-12-31", PeriodUnit::kYear, -1, "2024-01-01", "2024-12-31");
    row("fiscal year forward", "2024-04-01", "2025-03-31", PeriodUnit::kFiscalYear, 1, "2025-04-01",
        "2026-03-31");
    row("fiscal year back", "2024-04-01", "2025-03-31", PeriodUnit::kFiscalYear, -1, "2023-04-01",
        "2024-03-31");
    row("four days across a month", "2025-01-30", "2025-02-02", std::nullopt, 1, "2025-02-03",
        "2025-02-06");
    row("four days back", "2025-01-30", "2025-02-02", std::nullopt, -1, "2025-01-26", "2025-01-29");
    row("22 days across New Year", "2024-12-20", "2025-01-10", std::nullopt, 1, "2025-01-11",
        "2025-02-01");
    row("a leap February's 29 days", "2024-02-01", "2024-02-29", std::nullopt, 1, "2024-03-01",
        "2024-03-29");
    row("one day", "2025-03-31", "2025-03-31", std::nullopt, 1, "2025-04-01", "2025-04-01");
  }
  void steps() {
    QFETCH(QDate, first);
    QFETCH(QDate, last);
    QFETCH(int, unit);
    QFETCH(int, steps);
    QFETCH(QDate, movedFirst);
    QFETCH(QDate, movedLast);
    const auto step = unit < 0 ? std::nullopt : std::optional(static_cast<PeriodUnit>(unit));
    const DatePeriod moved = StepPeriod({first, last}, step, steps);
    QCOMPARE(moved.first, movedFirst);
    QCOMPARE(moved.last, movedLast);
  }

  void theListFollowsASteppedPeriod() {
    const QDate today(2025, 1, 15);
    const DatePeriod thisMonth = *PresetPeriod(PeriodPreset::kThisMonth, today);
    const DatePeriod back = StepPeriod(thisMonth, PeriodUnit::kMonth, -1);
    QCOMPARE(PresetMatching(back, today), PeriodPreset::kLastMonth);
    QCOMPARE(PresetMatching(StepPeriod(back, PeriodUnit::kMonth, -1), today), PeriodPreset::kCustom);
    const DatePeriod thisFiscalYear = *PresetPeriod(PeriodPreset::kThisFiscalYear, today);
    QCOMPARE(PresetMatching(StepPeriod(thisFiscalYear, PeriodUnit::kFiscalYear, -1), today),
             PeriodPreset::kLastFiscalYear);
    QCOMPARE(PresetMatching(StepPeriod({today, today}, PeriodUnit::kDay, -1), today), PeriodPreset::kYesterday);
    QCOMPARE(PresetMatching({QDate(2025, 1, 1), QDate(2025, 1, 30)}, today), PeriodPreset::kCustom);
  }
};

QTEST_MAIN(PeriodPresetsTest)
#include "period_presets_test.moc"
