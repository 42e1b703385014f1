#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QTest>
#include <QTimeEdit>
#include <QCheckBox>
#include <QDateEdit>
#include <QWindow>
#include <unistd.h>

#include "app/qt_settings_store.h"
#include "app/qt_text.h"
#include "app/tally_app.h"
#include "app_test_support.h"
#include "support/archive_writer.h"

using namespace tallyer;
using namespace tallyer::testing;

namespace {

// The window CTallyApp::Exec shows, once it is up.
CTallyDlg* MainWindow() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* window = qobject_cast<CTallyDlg*>(widget); window && window->isVisible()) return window;
  }
  return nullptr;
}

}  // namespace

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

  void theWindowIsTheProgramsLife() {
    QStandardPaths::setTestModeEnabled(true);
    MemorySettingsStore store;
    MemoryWindowSettings windowSettings;
    ScriptedFileDialogs files;
    DiagnosticLog log("/nonexistent/zanbo.log");
    CTallyApp app(store);
    QString title;
    QTimer::singleShot(0, this, [&] {
      CTallyDlg* window = MainWindow();
      QVERIFY(window);
      title = window->windowTitle();
      QVERIFY(store.writes.empty());  // nothing stored while the window is open
      window->findChild<QPushButton*>(QStringLiteral("closeButton"))->click();
    });
    QCOMPARE(app.Exec(windowSettings, files, log, {QStringLiteral("tallyer")}), 0);
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
    RecordingDialog dialog(app.Values(), f.store, f.windowSettings, f.files, f.log);
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

  // Every way the window can close, and the end of the session (logging out
  // ends the event loop), keeps the band and the window's size and place.
  void bandAndGeometryAreSavedHoweverTheWindowCloses_data() {
    QTest::addColumn<QString>("way");
    for (const char* way : {"終了 button", "ファイル > 終了", "Ctrl+Q", "close box", "session end"}) {
      QTest::newRow(way) << QString::fromUtf8(way);
    }
  }
  void bandAndGeometryAreSavedHoweverTheWindowCloses() {
    QFETCH(QString, way);
    QStandardPaths::setTestModeEnabled(true);
    MemorySettingsStore store;
    MemoryWindowSettings windowSettings;
    ScriptedFileDialogs files;
    DiagnosticLog log("/nonexistent/zanbo.log");
    CTallyApp app(store);
    QTimer::singleShot(0, this, [&] {
      CTallyDlg* window = MainWindow();
      QVERIFY(window);
      window->resize(720, 640);
      QApplication::setActiveWindow(window);
      QVERIFY(QTest::qWaitForWindowActive(window));
      if (way == "終了 button") window->findChild<QPushButton*>(QStringLiteral("closeButton"))->click();
      if (way == "ファイル > 終了") window->findChild<QAction*>(QStringLiteral("quitAction"))->trigger();
      if (way == "Ctrl+Q") QTest::keyClick(window, Qt::Key_Q, Qt::ControlModifier);
      if (way == "close box") window->windowHandle()->close();
      if (way == "session end") QCoreApplication::postEvent(qApp, new QEvent(QEvent::Quit));
    });
    QCOMPARE(app.Exec(windowSettings, files, log, {QStringLiteral("tallyer")}), 0);
    using Write = std::pair<std::string, std::string>;
    QCOMPARE(store.writes, (std::vector<Write>{{"time1", "200001011730"}, {"time2", "200001012359"}}));
    QVERIFY(windowSettings.Value(QStringLiteral("WindowGeometry")).isValid());

    // The next start shows the window as it was left.
    QSize size;
    QTimer::singleShot(0, this, [&] {
      CTallyDlg* window = MainWindow();
      QVERIFY(window);
      size = window->size();
      window->close();
    });
    CTallyApp again(store);
    QCOMPARE(again.Exec(windowSettings, files, log, {QStringLiteral("tallyer")}), 0);
    QCOMPARE(size, QSize(720, 640));
  }

  // The program's own store: the written behaviour's values keep their names
  // in the section "Property"; the window adds its own beside them.
  void storedValuesKeepTheirNames() {
    QStandardPaths::setTestModeEnabled(true);
    TempDir dir;
    const QString ini = PathToQString(dir / "settings.ini");
    const auto group = dir / "g.group";
    WriteBytes(group, GroupFileBuilder().Name("G").Add("A", "a").Build());
    ScriptedFileDialogs files;
    files.csv = dir / "out.csv";
    DiagnosticLog log("/nonexistent/zanbo.log");
    {
      QtSettingsStore store(ini);
      CTallyApp app(store);
      QTimer::singleShot(0, this, [&] {
        CTallyDlg* window = MainWindow();
        QVERIFY(window);
        window->findChild<QCheckBox*>(QStringLiteral("everyoneCheck"))->click();
        window->findChild<QDateEdit*>(QStringLiteral("firstDateEdit"))->setDate(QDate(2005, 6, 1));
        window->RunCsv();
        window->close();
      });
      // Answers "出力しました。" from the box's own event loop.
      QTimer::singleShot(0, this, [] {
        if (QWidget* box = QApplication::activeModalWidget()) box->close();
      });
      QCOMPARE(app.Exec(store, files, log, {QStringLiteral("tallyer"), PathToQString(group)}), 0);
    }
    QSettings raw(ini, QSettings::IniFormat);
    QStringList names = raw.allKeys();
    names.sort();
    QCOMPARE(names, (QStringList{"Property/Cl", "Property/Combo", "Property/Everyone", "Property/Format",
                                 "Property/Hankaku", "Property/NoTemp", "Property/Overlap",
                                 "Property/RecentGroup1", "Property/Same", "Property/String", "Property/Time",
                                 "Property/WindowGeometry", "Property/date1", "Property/date2",
                                 "Property/time1", "Property/time2"}));
    QCOMPARE(raw.value("Property/date1").toString(), QStringLiteral("20050601"));
    QCOMPARE(raw.value("Property/Everyone").toInt(), 1);
    QCOMPARE(raw.value("Property/time1").toString(), QStringLiteral("200001011730"));
    QCOMPARE(raw.value("Property/RecentGroup1").toString(), PathToQString(group));
  }
};

QTEST_MAIN(TallyAppTest)
#include "tally_app_test.moc"
