// Qt's own dialogs and menus speak Japanese whatever the system's language.
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTranslator>
#include <memory>

#include "app/qt_translations.h"

class QtTranslationsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    // An English system: the texts must not follow it.
    qputenv("LANGUAGE", "en");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY2(tallyer::InstallQtJapanese(translator_), "qt6-translations-l10n is not installed");
  }

  void theTextFieldsEditMenuIsJapanese() {
    QLineEdit edit(QStringLiteral("abc"));
    edit.selectAll();
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions()) {
      if (!action->isSeparator()) texts << action->text().section(QLatin1Char('\t'), 0, 0);
    }
    QVERIFY2(texts.contains(QStringLiteral("コピー(&C)")), qPrintable(texts.join(u'|')));
    QVERIFY2(texts.contains(QStringLiteral("貼り付け(&P)")), qPrintable(texts.join(u'|')));
  }

  void theQtDrawnSaveDialogAndItsOverwriteQuestionAreJapanese() {
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    QVERIFY(buttons);
    QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
    QCOMPARE(QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?"),
             QStringLiteral("%1 は既に存在します。\n置き換えますか?"));
  }

 private:
  QTranslator translator_;
};

QTEST_MAIN(QtTranslationsTest)
#include "qt_translations_test.moc"
