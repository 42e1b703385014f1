#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QTest>
#include <QTimeEdit>

#include "app/qt_text.h"
#include "app_test_support.h"
#include "team_files.h"

using namespace tallyer;
using namespace tallyer::testing;

namespace {

void ClickEntry(QListWidget* list, int row) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

}  // namespace

// The window and the command line drive the same run: for the same options
// their CSV files must be identical.
class CsvMatchesCliTest : public QObject {
  Q_OBJECT

 private slots:
  void csvOfTheWindowEqualsTheCommandLines_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("members");  // none: everyone
    QTest::addColumn<QDateTime>("lastDate");
    QTest::addColumn<QString>("band");
    QTest::addColumn<QString>("content");
    QTest::addColumn<bool>("exact");
    QTest::addColumn<bool>("ignoreCaseWidth");
    QTest::addColumn<bool>("noOverlap");
    QTest::addColumn<bool>("noTentative");
    QTest::addColumn<int>("format");
    const QDateTime june30(QDate(2005, 6, 30), QTime(0, 0), QTimeZone::utc());
    const QDateTime june30Evening(QDate(2005, 6, 30), QTime(18, 0), QTimeZone::utc());
    QTest::newRow("totals, everyone") << 0 << QStringList{} << june30 << "" << "" << false << false
                                      << false << false << 0;
    QTest::newRow("totals, two members, no overlap")
        << 0 << QStringList{"tanaka", "山本"} << june30Evening << "" << "" << false << false << true
        << true << 1;
    QTest::newRow("colours in a band") << 1 << QStringList{} << june30 << "09:00-12:00" << "" << false
                                       << false << false << false << 2;
    QTest::newRow("types of matching content") << 2 << QStringList{} << june30 << "" << "会議" << false
                                               << true << false << false << 3;
    QTest::newRow("contents, exact match") << 3 << QStringList{"tanaka", "suzuki"} << june30 << ""
                                           << "打合せ" << true << false << false << false << 0;
  }

  void csvOfTheWindowEqualsTheCommandLines() {
    QFETCH(int, mode);
    QFETCH(QStringList, members);
    QFETCH(QDateTime, lastDate);
    QFETCH(QString, band);
    QFETCH(QString, content);
    QFETCH(bool, exact);
    QFETCH(bool, ignoreCaseWidth);
    QFETCH(bool, noOverlap);
    QFETCH(bool, noTentative);
    QFETCH(int, format);

    DialogFixture f;
    const auto group = WriteTeam(f.dir / "チーム");
    f.files.group = group;
    f.files.csv = f.dir / "window.csv";
    RecordingDialog& dialog = f.Open();

    // The user's way through the window.
    dialog.ChooseGroup();
    auto* list = f.Find<QListWidget>("memberList");
    for (const QString& key : members) {
      const auto& keys = dialog.MemberKeys();
      const auto it = std::find(keys.begin(), keys.end(), ToCp932(key));
      QVERIFY(it != keys.end());
      ClickEntry(list, static_cast<int>(it - keys.begin()));
    }
    if (members.isEmpty()) f.Find<QCheckBox>("everyoneCheck")->click();
    f.Find<QDateEdit>("firstDateEdit")->setDate(QDate(2005, 6, 1));
    f.Find<QDateEdit>("lastDateEdit")->setDateTime(lastDate);
    auto* modes = f.Find<QComboBox>("modeCombo");
    modes->setCurrentIndex(mode);
    emit modes->activated(mode);
    if (mode == kModeType) f.Find<QMenu>("typeFileMenu")->actions()[0]->trigger();
    if (!band.isEmpty()) {
      f.Find<QCheckBox>("bandOnlyCheck")->click();
      f.Find<QTimeEdit>("bandStartEdit")->setTime(QTime::fromString(band.left(5), "HH:mm"));
      f.Find<QTimeEdit>("bandEndEdit")->setTime(QTime::fromString(band.right(5), "HH:mm"));
    }
    if (!content.isEmpty()) {
      f.Find<QCheckBox>("contentOnlyCheck")->click();
      f.Find<QLineEdit>("contentTextEdit")->setText(content);
    }
    if (exact) f.Find<QCheckBox>("exactMatchCheck")->click();
    if (ignoreCaseWidth) f.Find<QCheckBox>("ignoreCaseWidthCheck")->click();
    if (noOverlap) f.Find<QCheckBox>("noOverlapCheck")->click();
    if (noTentative) f.Find<QCheckBox>("noTentativeCheck")->click();
    f.Find<QComboBox>("formatCombo")->setCurrentIndex(format);
    dialog.RunCsv();
    QCOMPARE(dialog.messages.size(), std::size_t{1});
    QCOMPARE(dialog.messages[0].text, std::string("出力しました。"));

    // The same options on the command line.
    QStringList args{PathToQString(group), "--from", "2005-06-01", "--to",
                     lastDate.toString("yyyy-MM-ddTHH:mm"), "--mode", QString::number(mode + 1),
                     "--format", QString::number(format), "--csv", PathToQString(f.dir / "cli.csv")};
    for (const QString& key : members) args << "--member" << key;
    if (mode == kModeType) args << "--type-file" << PathToQString(f.dir / "チーム" / "営業部.type");
    if (!band.isEmpty()) args << "--band" << band;
    if (!content.isEmpty()) args << "--content" << content;
    if (exact) args << "--exact";
    if (ignoreCaseWidth) args << "--ignore-case-width";
    if (noOverlap) args << "--no-overlap";
    if (noTentative) args << "--no-tentative";
    QProcess cli;
    cli.setProcessChannelMode(QProcess::ForwardedChannels);
    cli.start(QStringLiteral(TALLYER_CLI_PROGRAM), args);
    QVERIFY(cli.waitForFinished(120000));
    QCOMPARE(cli.exitCode(), 0);

    const std::string window = ReadBytes(f.dir / "window.csv");
    QVERIFY(window.find(Utf8ToCp932("田中")) != std::string::npos);
    QVERIFY(window.find(Utf8ToCp932("隠れ")) == std::string::npos);
    QCOMPARE(window, ReadBytes(f.dir / "cli.csv"));
  }
};

QTEST_MAIN(CsvMatchesCliTest)
#include "csv_matches_cli_test.moc"
