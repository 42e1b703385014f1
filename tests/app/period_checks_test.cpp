// The period and the time band as the window checks and tallies them: a
// period covers its calendar days whatever the times of day, a reversed period
// is refused, and a band is checked only while it is switched on.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QTest>
#include <QTimeEdit>

#include "app_test_support.h"
#include "data/month_file.h"
#include "support/archive_writer.h"

using namespace tallyer;
using namespace tallyer::testing;

namespace {

QDateTime Utc(int y, int mo, int d, int h = 0, int mi = 0) {
  return QDateTime(QDate(y, mo, d), QTime(h, mi), QTimeZone::utc());
}

ScheduleRecord Schedule(const char* key, const char* start, const char* end) {
  ScheduleRecord r;
  r.start = At(start);
  r.end = At(end);
  r.color = 0x0000FF;
  r.content = Utf8ToCp932("会議");
  r.memberKey = key;
  return r;
}

// 田中 (tanaka) with schedules on 27 July and 1 and 2 August 2012, loaded in
// the window with everyone ticked and the CSV going to out.csv.
struct PeriodFixture : DialogFixture {
  PeriodFixture() {
    const auto group = dir / "営業部.group";
    WriteBytes(group, GroupFileBuilder().Name(Utf8ToCp932("営業部")).Add(Utf8ToCp932("田中"), "tanaka").Build());
    WriteBytes(MonthFilePath(group, 2012, 7),
               MonthFileBuilder().Add(Schedule("tanaka", "2012-07-27 09:00", "2012-07-27 10:00")).Build());
    WriteBytes(MonthFilePath(group, 2012, 8),
               MonthFileBuilder()
                   .Add(Schedule("tanaka", "2012-08-01 10:00", "2012-08-01 12:00"))
                   .Add(Schedule("tanaka", "2012-08-01 11:00", "2012-08-01 13:00"))
                   .Add(Schedule("tanaka", "2012-08-02 10:00", "2012-08-02 11:00"))
                   .Build());
    files.group = group;
    files.csv = dir / "out.csv";
    Open();
    dialog->ChooseGroup();
    Find<QCheckBox>("everyoneCheck")->click();
    Find<QComboBox>("formatCombo")->setCurrentIndex(3);
  }

  void Period(const QDateTime& first, const QDateTime& last) {
    Find<QDateEdit>("firstDateEdit")->setDateTime(first);
    Find<QDateEdit>("lastDateEdit")->setDateTime(last);
  }
  std::string Csv() const { return ReadBytes(dir / "out.csv"); }
};

const std::string kHead =
    Utf8ToCp932("グループ名：営業部\r\n期間：2012年7月27日(金) ～ 2012年8月1日(水)\r\n");

}  // namespace

class PeriodChecksTest : public QObject {
  Q_OBJECT

 private slots:
  // The last day lies in the next month and the last date is earlier in its
  // day than the first: August is read and 1 August counts, overlaps too.
  void thePeriodsLastDayCountsWhateverItsTimeOfDay() {
    PeriodFixture f;
    f.Period(Utc(2012, 7, 27, 10, 0), Utc(2012, 8, 1, 9, 0));
    f.dialog->RunCsv();
    QCOMPARE(f.Csv(), kHead + Utf8ToCp932("田中,3,300\r\n"));
    f.Find<QCheckBox>("noOverlapCheck")->click();
    f.dialog->RunCsv();
    QCOMPARE(f.Csv(), kHead + Utf8ToCp932("田中,3,240\r\n"));
  }

  void aReversedPeriodIsRefused() {
    PeriodFixture f;
    f.Period(Utc(2012, 8, 1, 10, 0), Utc(2012, 8, 1, 9, 59));
    f.dialog->RunCsv();
    QCOMPARE(f.dialog->messages.size(), std::size_t{1});
    QCOMPARE(f.dialog->messages[0].text, std::string("日付範囲が不正です。"));
    QVERIFY(f.dialog->messages[0].kind == MessageKind::kExclamation);
    QVERIFY(f.store.writes.empty());
    QVERIFY(!std::filesystem::exists(f.dir / "out.csv"));
    f.dialog->RunHtml();
    QVERIFY(!std::filesystem::exists(f.app.htmlReportPath));
    QVERIFY(f.dialog->opened.empty());
  }

  // A band the user has switched off cannot block a run; switched on, it is checked.
  void aReversedBandCountsOnlyWhileSwitchedOn() {
    PeriodFixture f;
    f.Period(Utc(2012, 7, 27), Utc(2012, 8, 1));
    f.Find<QTimeEdit>("bandStartEdit")->setTime(QTime(18, 0));
    f.Find<QTimeEdit>("bandEndEdit")->setTime(QTime(9, 0));
    f.dialog->RunCsv();
    QCOMPARE(f.Csv(), kHead + Utf8ToCp932("田中,3,300\r\n"));
    QCOMPARE(f.dialog->messages.back().text, std::string("出力しました。"));

    std::filesystem::remove(f.dir / "out.csv");
    f.Find<QCheckBox>("bandOnlyCheck")->click();
    f.dialog->RunCsv();
    QCOMPARE(f.dialog->messages.back().text, std::string("日付範囲が不正です。"));
    QVERIFY(!std::filesystem::exists(f.dir / "out.csv"));
  }
};

QTEST_MAIN(PeriodChecksTest)
#include "period_checks_test.moc"
