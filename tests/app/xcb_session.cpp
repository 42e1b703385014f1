// The desktop program's whole life, twice, on a real X server (run under
// xvfb-run on the xcb platform), driven by input events that travel through
// the platform as a user's do: started with the sample group as its argument
// it lists the members; two clicks select two of them; Ctrl+Return writes the
// page, the same bytes as tallyer-cli's, and hands it to the browser; Ctrl+Q
// quits; the next start, without argument, opens the same group. Then 集計
// with Ctrl+Shift+Return shows the totals tallyer-cli gives, a click into the
// table and Ctrl+C copy it, and ファイル > 書き出し > Excel, chosen with the
// keyboard, writes the workbook tallyer-cli writes.
#include <QClipboard>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMenu>
#include <QTableView>
#include <QListWidget>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QScopeGuard>
#include <QWindow>

#include "app/qt_settings_store.h"
#include "app/qt_text.h"
#include "app/result_table_model.h"
#include "app/tally_app.h"
#include "app_test_support.h"

using namespace tallyer;
using namespace tallyer::testing;

namespace {

CTallyDlg* MainWindow() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* window = qobject_cast<CTallyDlg*>(widget); window && window->isVisible()) return window;
  }
  return nullptr;
}

// A failed check returns early: the window must still close, or the test hangs.
void CloseWindow() {
  if (CTallyDlg* window = MainWindow()) window->close();
}

QStringList Entries(const QListWidget* list) {
  QStringList names;
  for (int i = 0; i < list->count(); ++i) names << list->item(i)->text();
  return names;
}

// Clicks the middle of a member list entry, as the pointer would.
void ClickEntry(CTallyDlg* window, QListWidget* list, int row) {
  const QPoint inList = list->visualItemRect(list->item(row)).center();
  const QPoint inWindow = list->viewport()->mapTo(window, inList);
  QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, inWindow);
}

// Types keys into whatever has the keyboard now (a menu once one is open).
void TypeKey(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
  QWidget* target = QApplication::activePopupWidget();
  if (target == nullptr) target = QApplication::activeWindow();
  QTest::keyClick(target->windowHandle(), key, modifiers);
}

}  // namespace

class XcbSession : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    QStandardPaths::setTestModeEnabled(true);
  }

  void tallyCopyAndExport();

  void startRunQuitAndStartAgain() {
    TempDir dir;
    QCOMPARE(QProcess::execute(QStringLiteral(TALLYER_SAMPLE_PROGRAM), {PathToQString(dir / "sample")}), 0);
    const auto group = dir / "sample" / "営業部.group";

    // The browser is a script that notes what it was asked to open.
    std::filesystem::create_directory(dir / "bin");
    const auto opened = dir / "opened.txt";
    WriteBytes(dir / "bin" / "xdg-open", "#!/bin/sh\necho \"$1\" >> '" + opened.string() + "'\n");
    std::filesystem::permissions(dir / "bin" / "xdg-open", std::filesystem::perms::owner_all);
    qputenv("PATH", QFile::encodeName(PathToQString(dir / "bin")) + ':' + qgetenv("PATH"));

    const QString ini = PathToQString(dir / "settings.ini");
    {
      QtSettingsStore store(ini);
      store.WriteText("date1", "20250101");
      store.WriteText("date2", "20251231");
    }
    ScriptedFileDialogs files;
    DiagnosticLog log(dir / "no-such.log");
    std::filesystem::path page;
    QStringList members;
    QString status;

    {
      QtSettingsStore store(ini);
      CTallyApp app(store);
      QTimer::singleShot(0, this, [&] {
        const auto closeOnFailure = qScopeGuard(CloseWindow);
        CTallyDlg* window = MainWindow();
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        window->activateWindow();  // Xvfb has no window manager to do it
        QVERIFY(QTest::qWaitForWindowActive(window));
        auto* list = window->findChild<QListWidget*>(QStringLiteral("memberList"));
        members = Entries(list);
        ClickEntry(window, list, 0);
        ClickEntry(window, list, 2);
        QCOMPARE(list->selectedItems().size(), 2);
        page = app.Values().htmlReportPath;
        std::filesystem::remove(page);

        QTest::keyClick(window->windowHandle(), Qt::Key_Return, Qt::ControlModifier);
        QTRY_VERIFY(std::filesystem::exists(opened));
        status = window->findChild<QLabel*>(QStringLiteral("statusLabel"))->text();
        QTest::keyClick(window->windowHandle(), Qt::Key_Q, Qt::ControlModifier);
      });
      QCOMPARE(app.Exec(store, files, log, {QStringLiteral("tallyer"), PathToQString(group)}), 0);
    }
    QCOMPARE(members, (QStringList{"田中 一郎", "鈴木 花子", "佐藤 健太", "高橋 美咲", "伊藤 大輔", "Ｊ．スミス"}));
    QCOMPARE(ReadBytes(opened), QUrl::fromLocalFile(PathToQString(page)).toString().toStdString() + "\n");
    QVERIFY2(status.contains(QDir::toNativeSeparators(PathToQString(page))), qPrintable(status));

    const auto cliPage = dir / "cli.html";
    QCOMPARE(QProcess::execute(QStringLiteral(TALLYER_CLI_PROGRAM),
                               {"--from", "2025-01-01", "--to", "2025-12-31", "--member", "tanaka", "--member",
                                "sato", "--html", PathToQString(cliPage), PathToQString(group)}),
             0);
    QCOMPARE(ReadBytes(page), ReadBytes(cliPage));

    QStringList again;
    {
      QtSettingsStore store(ini);
      CTallyApp app(store);
      QTimer::singleShot(0, this, [&] {
        const auto closeOnFailure = qScopeGuard(CloseWindow);
        CTallyDlg* window = MainWindow();
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        window->activateWindow();  // Xvfb has no window manager to do it
        QVERIFY(QTest::qWaitForWindowActive(window));
        again = Entries(window->findChild<QListWidget*>(QStringLiteral("memberList")));
        QTest::keyClick(window->windowHandle(), Qt::Key_Q, Qt::ControlModifier);
      });
      QCOMPARE(app.Exec(store, files, log, {QStringLiteral("tallyer")}), 0);
    }
    QCOMPARE(again, members);
  }
};

void XcbSession::tallyCopyAndExport() {
  TempDir dir;
  QCOMPARE(QProcess::execute(QStringLiteral(TALLYER_SAMPLE_PROGRAM), {PathToQString(dir / "sample")}), 0);
  const auto group = dir / "sample" / "営業部.group";
  const QString ini = PathToQString(dir / "settings.ini");
  {
    QtSettingsStore store(ini);
    store.WriteText("date1", "20250101");
    store.WriteText("date2", "20251231");
    store.WriteInt("Everyone", 1);
  }
  ScriptedFileDialogs files;
  files.report = dir / "window.xlsx";
  // The workbook says when it was made: the same instant for both programs.
  qputenv("SOURCE_DATE_EPOCH", "1738300000");
  DiagnosticLog log(dir / "no-such.log");
  QStringList totals;
  QString copied;
  {
    QtSettingsStore store(ini);
    CTallyApp app(store);
    QTimer::singleShot(0, this, [&] {
      const auto closeOnFailure = qScopeGuard(CloseWindow);
      CTallyDlg* window = MainWindow();
      QVERIFY(window);
      QVERIFY(QTest::qWaitForWindowExposed(window));
      window->activateWindow();  // Xvfb has no window manager to do it
      QVERIFY(QTest::qWaitForWindowActive(window));

      QTest::keyClick(window->windowHandle(), Qt::Key_Return, Qt::ControlModifier | Qt::ShiftModifier);
      auto* table = window->findChild<QTableView*>(QStringLiteral("resultTable"));
      QTRY_VERIFY(table->isVisible() && table->model()->rowCount() > 0);
      const int last = table->model()->rowCount() - 1;
      for (int c = 0; c < table->model()->columnCount(); ++c) totals << table->model()->index(last, c).data().toString();

      const QPoint cell = table->visualRect(table->model()->index(0, 0)).center();
      QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, table->viewport()->mapTo(window, cell));
      QTRY_VERIFY(table->hasFocus());
      QTest::keyClick(window->windowHandle(), Qt::Key_C, Qt::ControlModifier);
      QTRY_VERIFY(!QApplication::clipboard()->text().isEmpty());
      copied = QApplication::clipboard()->text();

      // ファイル (Alt+F), 書き出し (W), Excel (E).
      TypeKey(Qt::Key_F, Qt::AltModifier);
      QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
      TypeKey(Qt::Key_W);
      QTRY_COMPARE(QApplication::activePopupWidget()->objectName(), QStringLiteral("exportMenu"));
      TypeKey(Qt::Key_E);
      QTRY_VERIFY(std::filesystem::exists(dir / "window.xlsx"));
      QTest::keyClick(window->windowHandle(), Qt::Key_Q, Qt::ControlModifier);
    });
    QCOMPARE(app.Exec(store, files, log, {QStringLiteral("tallyer"), PathToQString(group)}), 0);
  }
  const QStringList args{"--from", "2025-01-01", "--to", "2025-12-31", "--json", PathToQString(dir / "cli.json"),
                         "--xlsx", PathToQString(dir / "cli.xlsx"), PathToQString(group)};
  QCOMPARE(QProcess::execute(QStringLiteral(TALLYER_CLI_PROGRAM), args), 0);
  QCOMPARE(ReadBytes(dir / "window.xlsx"), ReadBytes(dir / "cli.xlsx"));
  const std::string json = ReadBytes(dir / "cli.json");
  const QJsonObject cli = QJsonDocument::fromJson(QByteArray::fromStdString(json))["totals"].toObject();
  const qint64 minutes = cli["minutes"].toInteger();
  const QString hours = QString::number(minutes / 60);
  const QString rest = QStringLiteral("%1").arg(minutes % 60, 2, 10, QLatin1Char('0'));
  QCOMPARE(totals, (QStringList{"合計", QString::number(cli["count"].toInteger()), hours + "時間" + rest + "分"}));
  QVERIFY2(copied.startsWith("メンバー\t件数\t時間\r\n田中 一郎\t"), qPrintable(copied));
  QVERIFY2(copied.endsWith("\r\n合計\t" + totals[1] + "\t" + hours + ":" + rest + "\r\n"), qPrintable(copied));
}

QTEST_MAIN(XcbSession)
#include "xcb_session.moc"
