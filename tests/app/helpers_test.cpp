#include <QTest>
#include <QTimeZone>

#include <QFile>
#include <QImageReader>

#include "app/about_dialog.h"
#include "app/period_defaults.h"
#include "app/program_icon.h"
#include "app/qt_text.h"
#include "app/report_names.h"
#include "app/type_file_candidate.h"
#include "data/cp932.h"

using namespace tallyer;

class HelpersTest : public QObject {
  Q_OBJECT

 private slots:
  void typeFileCandidate_data() {
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("candidate");  // empty: none
    QTest::newRow("plain") << "/team/sales.group" << "/team/sales.type";
    QTest::newRow("last dot counts") << "/data/g.old.group" << "/data/g.old.type";
    QTest::newRow("dot in a folder") << "/a.b/g" << "/a.type";
    QTest::newRow("Japanese name") << "/データ/営業部.group" << "/データ/営業部.type";
    QTest::newRow("backslashes") << "C:\\data\\g.old.group" << "C:\\data\\g.old.type";
    QTest::newRow("hint text") << "右のボタンをクリックして選択して下さい。" << "";
    QTest::newRow("no dot at all") << "/team/sales" << "";
  }
  void typeFileCandidate() {
    QFETCH(QString, group);
    QFETCH(QString, candidate);
    const auto found = TypeFileCandidate(QStringToPath(group));
    if (candidate.isEmpty()) {
      QVERIFY(!found);
    } else {
      QVERIFY(found);
      QCOMPARE(PathToQString(*found), candidate);
    }
  }

  void proposedReportName_data() {
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << "/data/営業部.group" << "営業部_20250101-20251231.csv";
    QTest::newRow("last dot counts") << "/data/g.old.group" << "g.old_20250101-20251231.csv";
    QTest::newRow("no extension") << "/data/team" << "team_20250101-20251231.csv";
    QTest::newRow("no group chosen") << "右のボタンをクリックして選択して下さい。" << "Schedule.csv";
  }
  void proposedReportName() {
    QFETCH(QString, group);
    QFETCH(QString, name);
    QCOMPARE(ProposedReportName(QStringToPath(group), QDate(2025, 1, 1), QDate(2025, 12, 31),
                                QStringLiteral("csv")),
             name);
  }

  void buildDateText_data() {
    QTest::addColumn<qint64>("epoch");
    QTest::addColumn<QString>("text");
    QTest::newRow("the epoch") << qint64(0) << "ビルド日：1970/01/01";
    QTest::newRow("29 February, first second") << qint64(951782400) << "ビルド日：2000/02/29";
    QTest::newRow("29 February, last second") << qint64(951868799) << "ビルド日：2000/02/29";
    QTest::newRow("not known") << qint64(-1) << "";
  }
  void buildDateText() {
    QFETCH(qint64, epoch);
    QFETCH(QString, text);
    QCOMPARE(BuildDateText(epoch), text);
  }

  void defaultPeriod_data() {
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QDate>("first");
    const QTimeZone utc = QTimeZone::utc();
    QTest::newRow("mid month") << QDateTime(QDate(2005, 6, 15), QTime(10, 20, 30), utc)
                               << QDate(2005, 5, 16);
    QTest::newRow("tomorrow is a new year")
        << QDateTime(QDate(2005, 12, 31), QTime(23, 59, 59), utc) << QDate(2005, 12, 1);
    QTest::newRow("tomorrow is the 31st")
        << QDateTime(QDate(2005, 3, 30), QTime(8, 0), utc) << QDate(2005, 2, 28);
  }
  void defaultPeriod() {
    QFETCH(QDateTime, now);
    QFETCH(QDate, first);
    const DefaultPeriod period = MakeDefaultPeriod(now);
    QCOMPARE(ToQDateTime(period.firstDate), QDateTime(first, QTime(0, 0), QTimeZone::utc()));
    // The last day keeps the time of day, seconds included.
    QCOMPARE(ToQDateTime(period.lastDate), now);
  }

  void dateTimesConvertBothWays() {
    const DateTime value = DateTime::FromParts(2005, 6, 30, 23, 59, 58);
    const QDateTime shown = ToQDateTime(value);
    QCOMPARE(shown, QDateTime(QDate(2005, 6, 30), QTime(23, 59, 58), QTimeZone::utc()));
    QVERIFY(FromQDateTime(shown) == value);
    QVERIFY(!ToQDateTime(DateTime{0.0, DateTime::kInvalid}).isValid());
    QVERIFY(!FromQDateTime(QDateTime()).IsValid());
  }

  void textsCrossTheEdgeAsCp932() {
    const std::string cp932 = Utf8ToCp932("会議ｶﾅ①");
    QCOMPARE(FromCp932(cp932), QStringLiteral("会議ｶﾅ①"));
    QCOMPARE(ToCp932(QStringLiteral("会議ｶﾅ①")), cp932);
  }

  void programIconIsBuiltIn() {
    ProgramIcon();  // registers the resources
    QVERIFY(QFile::exists(QStringLiteral(":/icons/tallyer.svg")));
    if (!QImageReader::supportedImageFormats().contains("svg")) QSKIP("Qt's SVG support is not installed");
    QVERIFY(!ProgramIcon().pixmap(32, 32).isNull());
  }

  void pathsStayNative() {
    const QString name = QStringLiteral("/tmp/営業部 2005/チーム.group");
    const std::filesystem::path path = QStringToPath(name);
    QCOMPARE(path.native(), name.toStdString());  // UTF-8 on Linux, not CP932
    QCOMPARE(PathToQString(path), name);
  }
};

QTEST_MAIN(HelpersTest)
#include "helpers_test.moc"
