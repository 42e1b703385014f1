#include <QApplication>
#include <QLocale>
#include <QTranslator>

#include "app/file_dialogs.h"
#include "app/program_icon.h"
#include "app/qt_settings_store.h"
#include "app/qt_translations.h"
#include "app/tally_app.h"
#include "run/diagnostic_log.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  // These two names place the settings store (and the per-user data folder).
  QCoreApplication::setOrganizationName(QStringLiteral("Zanbo"));
  QCoreApplication::setApplicationName(QStringLiteral("Planwell 集計ツール"));
  const QLocale japanese(QLocale::Japanese, QLocale::Japan);
  QLocale::setDefault(japanese);
  // Qt's own texts (file choosers, edit menus) in Japanese too.
  QTranslator qtTexts;
  tallyer::InstallQtJapanese(qtTexts);
  QApplication::setWindowIcon(tallyer::ProgramIcon());

  tallyer::QtSettingsStore store;
  tallyer::QtFileDialogs files;
  tallyer::CTallyApp app(store);
  return app.Exec(store, files, tallyer::ProcessLog(), QApplication::arguments());
}
