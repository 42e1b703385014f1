#include <QFileDialog>
#include <QTest>
#include <QTimer>
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
    WhenShown(this, [&](QFileDialog* d) {
      filters = d->nameFilters();
      suffix = d->defaultSuffix();
      QCOMPARE(d->acceptMode(), QFileDialog::AcceptOpen);
      d->selectFile(PathToQString(dir / "営業部.group"));
      QMetaObject::invokeMethod(d, "accept");  // as the OK button does
    });
    const auto chosen = QtFileDialogs().OpenGroup(nullptr);
    QCOMPARE(filters, (QStringList{"グループファイル (*.group)", kAllFiles}));
    QCOMPARE(suffix, QStringLiteral("group"));
    QVERIFY(chosen);
    QCOMPARE(*chosen, dir / "営業部.group");
  }

  void typeFileChooserOffersTypeFilesFirst() {
    QStringList filters;
    QString suffix;
    WhenShown(this, [&](QFileDialog* d) {
      filters = d->nameFilters();
      suffix = d->defaultSuffix();
      d->reject();
    });
    QVERIFY(!QtFileDialogs().OpenTypeFile(nullptr));  // cancelled
    QCOMPARE(filters, (QStringList{"タイプ別色情報ファイル (*.type)", kAllFiles}));
    QCOMPARE(suffix, QStringLiteral("type"));
  }

  void csvChooserProposesScheduleCsv() {
    TempDir dir;
    QStringList filters;
    QString proposed;
    QString suffix = QStringLiteral("unset");
    bool confirms = false;
    WhenShown(this, [&](QFileDialog* d) {
      filters = d->nameFilters();
      suffix = d->defaultSuffix();
      confirms = !d->testOption(QFileDialog::DontConfirmOverwrite);
      QCOMPARE(d->acceptMode(), QFileDialog::AcceptSave);
      proposed = QFileInfo(d->selectedFiles().value(0)).fileName();
      d->selectFile(PathToQString(dir / "結果.csv"));
      QMetaObject::invokeMethod(d, "accept");  // as the OK button does
    });
    const auto chosen = QtFileDialogs().SaveCsv(nullptr);
    QCOMPARE(filters, (QStringList{"コンマ区切りファイル (*.csv)", kAllFiles}));
    QCOMPARE(proposed, QStringLiteral("Schedule.csv"));
    QCOMPARE(suffix, QString());
    QVERIFY(confirms);
    QVERIFY(chosen);
    QCOMPARE(*chosen, dir / "結果.csv");
  }
};

QTEST_MAIN(FileDialogsTest)
#include "file_dialogs_test.moc"
