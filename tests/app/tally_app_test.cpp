#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QTest>
#include <QTimeEdit>
#include <QCheckBox>
#include <unistd.h>

#include "app/qt_settings_store.h"
#include "app/qt_text.h"
#include "app/tally_app.h"
#include "app_test_support.h"
#include "support/archive_writer.h"

using namespace tallyer;
using namespace tallyer::testing;

class TallyAppTest : public QObject {
  Q_OBJECT

 private slots:
  void storeGivesDefaultsWhenEmpty() {
    TempDir dir;
    QtSettingsStore store(PathToQString(dir / "settings.ini"));
    QCOMPARE(store.ReadInt("Combo", 0), 0);
    QCOMPARE(store.ReadInt("Format", 3), 3);
    QCOMPARE(store.ReadText("time1", "200001011730"), std::string("200001011730"));
    QCOMPARE(store.ReadText("Cl", ""), std::string());
  }

  void storeWritesAtOnceIntoThePropertySection() {
    TempDir dir;
    const QString path = PathToQString(dir / "settings.ini");
    QtSettingsStore store(path);
    store.WriteInt("Combo", 2);
    store.WriteText("Cl", Utf8ToCp932("会議ｶﾅ"));

    // Another reader sees the values while the first store is still open.
    QSettings raw(path, QSettings::IniFormat);
    QCOMPARE(raw.value(QStringLiteral("Property/Combo")).toInt(), 2);
    QCOMPARE(raw.value(QStringLiteral("Property/Cl")).toString(), QStringLiteral("会議ｶﾅ"));
    QtSettingsStore again(path);
    QCOMPARE(again.ReadInt("Combo", 0), 2);
    QCOMPARE(again.ReadText("Cl", ""), Utf8ToCp932("会議ｶﾅ"));
  }

  void aValueThatIsNoNumberReadsAsTheDefault() {
    TempDir dir;
    const QString path = PathToQString(dir / "settings.ini");
    {
      QSettings raw(path, QSettings::IniFormat);
      raw.setValue(QStringLiteral("Property/Format"), QStringLiteral("abc"));
      raw.setValue(QStringLiteral("Property/Combo"), QStringLiteral("7"));
    }
    QtSettingsStore store(path);
    QCOMPARE(store.ReadInt("Format", 0), 0);
    QCOMPARE(store.ReadInt("Combo", 0), 7);  // stored values are taken as they are
  }

  void firstStartAndExitWithAnEmptyStore() {
    TempDir dir;
    std::filesystem::create_directory(dir / "bin");
    MemorySettingsStore store;
    CTallyApp app(store);
    app.InitInstance(dir / "bin" / "tallyer", dir / "data");
    QVERIFY(app.Values().bandStart == DateTime::FromParts(2000, 1, 1, 17, 30));
    QVERIFY(app.Values().bandEnd == DateTime::FromParts(2000, 1, 1, 23, 59));
    QCOMPARE(app.Values().durationFormat, 0);
    QCOMPARE(app.Values().htmlReportPath, dir / "bin" / "Planwell_Output.html");
    QVERIFY(store.writes.empty());

    app.ExitInstance();
    using Write = std::pair<std::string, std::string>;
    QCOMPARE(store.writes, (std::vector<Write>{{"time1", "200001011730"}, {"time2", "200001012359"}}));
  }

  void startReadsTheStoredBand() {
    TempDir dir;
    MemorySettingsStore store;
    store.WriteText("time1", "200506151230");
    store.WriteText("time2", "200506151800");
    CTallyApp app(store);
    app.InitInstance(dir / "tallyer", dir / "data");
    QVERIFY(app.Values().bandStart == DateTime::FromParts(2005, 6, 15, 12, 30));
    QVERIFY(app.Values().bandEnd == DateTime::FromParts(2005, 6, 15, 18, 0));
  }

  void reportGoesToTheDataFolderWhenTheProgramFolderIsNotWritable() {
    TempDir dir;
    const auto data = dir / "data" / "Planwell 集計ツール";
    QCOMPARE(HtmlReportPath(dir / "no-such-folder", data), data / "Planwell_Output.html");
    QVERIFY(std::filesystem::is_directory(data));

    // Finding out leaves nothing behind in the program's folder.
    std::filesystem::create_directory(dir / "bin");
    QCOMPARE(HtmlReportPath(dir / "bin", data), dir / "bin" / "Planwell_Output.html");
    QVERIFY(std::filesystem::is_empty(dir / "bin"));

    // A folder without write permission (root may write anywhere: nothing to see then).
    std::filesystem::create_directory(dir / "system");
    std::filesystem::permissions(dir / "system", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    const auto expected = geteuid() == 0 ? dir / "system" : data;
    QCOMPARE(HtmlReportPath(dir / "system", data), expected / "Planwell_Output.html");
  }

  void theDialogIsTheProgramsLife() {
    QStandardPaths::setTestModeEnabled(true);
    MemorySettingsStore store;
    ScriptedFileDialogs files;
    DiagnosticLog log("/nonexistent/zanbo.log");
    CTallyApp app(store);
    QString title;
    QTimer::singleShot(0, this, [&] {
      QWidget* window = QApplication::activeModalWidget();
      QVERIFY(window);
      title = window->windowTitle();
      QVERIFY(store.writes.empty());  // nothing stored while the window is open
      auto* close = window->findChild<QPushButton*>(QStringLiteral("closeButton"));
      if (close) close->click(); else window->close();
    });
    QCOMPARE(app.Exec(files, log), 0);
    QCOMPARE(title, QStringLiteral("Planwell 集計ツール"));
    // Beside the program, or in the per-user data folder when that is read-only.
    const QString report = PathToQString(app.Values().htmlReportPath);
    QVERIFY2(report == QCoreApplication::applicationDirPath() + "/Planwell_Output.html" ||
                 report == QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                               "/Planwell_Output.html",
             qPrintable(report));
    QCOMPARE(store.ReadText("time1", ""), std::string("200001011730"));
    QCOMPARE(store.ReadText("time2", ""), std::string("200001012359"));
  }

  void theBandOfARunIsStoredAtExit() {
    DialogFixture f;
    f.files.group = f.dir / "g.group";
    WriteBytes(*f.files.group, GroupFileBuilder().Name("G").Add("A", "a").Build());
    f.files.csv = f.dir / "out.csv";
    CTallyApp app(f.store);
    app.InitInstance(f.dir / "tallyer", f.dir / "data");
    RecordingDialog dialog(app.Values(), f.store, f.files, f.log);
    dialog.Start(DialogFixture::FixedNow());
    dialog.ChooseGroup();
    dialog.findChild<QCheckBox*>(QStringLiteral("everyoneCheck"))->click();
    dialog.findChild<QTimeEdit*>(QStringLiteral("bandStartEdit"))->setTime(QTime(9, 0));
    dialog.findChild<QTimeEdit*>(QStringLiteral("bandEndEdit"))->setTime(QTime(18, 0));
    dialog.RunCsv();
    QCOMPARE(f.store.ReadText("time1", "absent"), std::string("absent"));

    app.ExitInstance();
    QCOMPARE(f.store.ReadText("time1", ""), std::string("200001010900"));
    QCOMPARE(f.store.ReadText("time2", ""), std::string("200001011800"));
  }
};

QTEST_MAIN(TallyAppTest)
#include "tally_app_test.moc"
