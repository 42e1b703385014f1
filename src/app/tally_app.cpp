#include "app/tally_app.h"

#include <QApplication>
#include <QCoreApplication>
#include <QSessionManager>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>

#include "app/qt_text.h"
#include "app/tally_dialog.h"
#include "data/clock.h"
#include "run/stored_options.h"

namespace tallyer {
namespace {

constexpr char kReportName[] = "Planwell_Output.html";

#ifdef Q_OS_WIN
// Lets the shell start the program by its name. Needs rights on the local
// machine's registry; without them the writes fail silently, as they may.
void RegisterAppPath(const std::filesystem::path& programFile) {
  QSettings key(QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\"
                               "App Paths\\Tallyer.exe"),
                QSettings::NativeFormat);
  const QString file = QDir::toNativeSeparators(PathToQString(programFile));
  key.setValue(QStringLiteral("Default"), file);
  key.setValue(QStringLiteral("Path"), file.left(file.lastIndexOf(QLatin1Char('\\'))));
}
#endif

// Asked by creating a file, as the report itself is written (through a new file
// beside it): on Windows the permission bits say nothing of the folder's NTFS
// rights, and a folder under Program Files looks writable to every user.
bool AcceptsNewFiles(const std::filesystem::path& folder) {
  const QString name = PathToQString(folder);
  if (!QFileInfo(name).isDir()) return false;
  QTemporaryFile probe(QDir(name).filePath(QStringLiteral("tallyer-XXXXXX.tmp")));
  return probe.open();
}

}  // namespace

std::filesystem::path HtmlReportPath(const std::filesystem::path& programFolder,
                                     const std::filesystem::path& appDataFolder) {
  if (AcceptsNewFiles(programFolder)) return programFolder / kReportName;
  QDir().mkpath(PathToQString(appDataFolder));
  return appDataFolder / kReportName;
}

void CTallyApp::InitInstance(const std::filesystem::path& programFile,
                             const std::filesystem::path& appDataFolder) {
#ifdef Q_OS_WIN
  RegisterAppPath(programFile);
#endif
  LoadStoredBand(store_, values_);
  values_.htmlReportPath = HtmlReportPath(programFile.parent_path(), appDataFolder);
}

void CTallyApp::ExitInstance() { SaveStoredBand(store_, values_); }

int CTallyApp::Exec(WindowSettings& windowSettings, FileDialogs& files, DiagnosticLog& log,
                    const QStringList& arguments) {
  InitInstance(QStringToPath(QCoreApplication::applicationFilePath()),
               QStringToPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));
  CTallyDlg window(values_, store_, windowSettings, files, log);
  window.Start(ToQDateTime(LocalNow()));
  const auto saveOnExit = [&] {
    window.SaveWindowState();
    ExitInstance();
  };
  // Logging out may end the process before the event loop returns.
  QObject::connect(qApp, &QGuiApplication::commitDataRequest, &window,
                   [&](QSessionManager&) { saveOnExit(); });
  window.show();
  window.OpenStartGroup(arguments);
  const int code = QApplication::exec();
  saveOnExit();
  return code;
}

}  // namespace tallyer
