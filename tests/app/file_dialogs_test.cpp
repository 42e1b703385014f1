#include <QFileDialog>
#include <QTest>
#include <QTimer>
#include <QFileInfo>
#include <functional>

#include "app/file_dialogs.h"
#include "app/qt_text.h"
#include "support/temp_dir.h"

using namespace tallyer;
using namespace tallyer::testing;

namespace {

// Windows names all files "*.*", as its own choosers do; elsewhere "*" also
// takes names without a dot.
#ifdef Q_OS_WIN
const QString kAllFiles = QStringLiteral("全てのファイル (*.*)");
#else
const QString kAllFiles = QStringLiteral("全てのファイル (*)");
#endif

// Runs `answer` on the file dialog once it is shown, from its own event loop.
void WhenShown(QObject* context, std::function<void(QFileDialog*)> answer) {
  QTimer::singleShot(0, context, [answer] {
    QWidget* modal = QApplication::activeModalWidget();
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (!dialog) {
      if (modal) modal->close();  // never leave the test waiting on a box
      QFAIL("no file dialog shown");
    }
    answer(dialog);
  });
}

}  // namespace

class FileDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }

  void groupChooserOffersGroupFilesFirst() {
    TempDir dir;
    WriteBytes(dir / "営業部.group", "x");
    QStringList filters;
    QString suffix;
    QString folder;
    WhenShown(this, [&](QFileDialog* d) {
      filters = d->nameFilters();
      suffix = d->defaultSuffix();
      folder = d->directory().absolutePath();
      QCOMPARE(d->acceptMode(), QFileDialog::AcceptOpen);
      d->selectFile(PathToQString(dir / "営業部.group"));
      QMetaObject::invokeMethod(d, "accept");  // as the OK button does
    });
    const auto chosen = QtFileDialogs().OpenGroup(nullptr, dir.Path());
    QCOMPARE(folder, PathToQString(dir.Path()));
    QCOMPARE(filters, (QStringList{"グループファイル (*.group)", kAllFiles}));
    QCOMPARE(suffix, QStringLiteral("group"));
    QVERIFY(chosen);
    QCOMPARE(*chosen, dir / "営業部.group");
  }

  void typeFileChooserOffersTypeFilesFirst() {
    TempDir dir;
    QStringList filters;
    QString suffix;
    QString folder;
    WhenShown(this, [&](QFileDialog* d) {
      filters = d->nameFilters();
      suffix = d->defaultSuffix();
      folder = d->directory().absolutePath();
      d->reject();
    });
    QVERIFY(!QtFileDialogs().OpenTypeFile(nullptr, dir.Path()));  // cancelled
    QCOMPARE(folder, PathToQString(dir.Path()));
    QCOMPARE(filters, (QStringList{"タイプ別色情報ファイル (*.type)", kAllFiles}));
    QCOMPARE(suffix, QStringLiteral("type"));
  }

  // The name typed into the chooser and the file it gives.
  void csvChooserProposesANameInTheGroupsFolder_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("as proposed") << "" << "営業部_20050601-20050630.csv";
    QTest::newRow("no extension gets .csv") << "結果" << "結果.csv";
    QTest::newRow("another extension stays") << "結果.txt" << "結果.txt";
    QTest::newRow("upper-case extension stays") << "結果.CSV" << "結果.CSV";
  }
  void csvChooserProposesANameInTheGroupsFolder() {
    QFETCH(QString, typed);
    QFETCH(QString, chosen);
    TempDir dir;
    QStringList filters;
    QString proposed;
    QString folder;
    bool confirms = false;
    WhenShown(this, [&](QFileDialog* d) {
      filters = d->nameFilters();
      confirms = !d->testOption(QFileDialog::DontConfirmOverwrite);
      QCOMPARE(d->acceptMode(), QFileDialog::AcceptSave);
      folder = d->directory().absolutePath();
      proposed = QFileInfo(d->selectedFiles().value(0)).fileName();
      if (!typed.isEmpty()) d->selectFile(typed);
      QMetaObject::invokeMethod(d, "accept");  // as the OK button does
    });
    const auto result =
        QtFileDialogs().SaveCsv(nullptr, dir.Path(), QStringLiteral("営業部_20050601-20050630.csv"));
    QCOMPARE(filters, (QStringList{"コンマ区切りファイル (*.csv)", kAllFiles}));
    QCOMPARE(folder, PathToQString(dir.Path()));
    QCOMPARE(proposed, QStringLiteral("営業部_20050601-20050630.csv"));
    QVERIFY(confirms);
    QVERIFY(result);
    QCOMPARE(*result, dir / chosen.toStdString());
  }
};

QTEST_MAIN(FileDialogsTest)
#include "file_dialogs_test.moc"
