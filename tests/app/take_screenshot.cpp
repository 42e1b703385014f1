// Draws the main window with the sample group loaded into PNG files, for the
// READMEs. Run it under a real X server (xvfb-run) with a CJK font installed:
//   take_screenshot FOLDER
// writes FOLDER/tallyer.png (the window after 集計), FOLDER/tallyer-menu.png
// (the ファイル menu with the recent groups), FOLDER/tallyer-export.png (its
// 書き出し items) and FOLDER/tallyer-period.png (the period's preset list).
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QEventLoop>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QAbstractItemView>
#include <QTimer>
#include <algorithm>

#include "app/program_icon.h"
#include "app/qt_text.h"
#include "app_test_support.h"

using namespace tallyer;
using namespace tallyer::testing;

namespace {

void Wait(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// The screen under the window and whatever pops up over it.
bool SaveScreen(const QRect& area, const QString& file) {
  return QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height())
      .save(file);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc != 2) {
    qCritical("usage: take_screenshot FOLDER");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  QApplication::setWindowIcon(ProgramIcon());

  // A folder name an office user might have, not a temporary one.
  const std::filesystem::path data = "/tmp/Planwell";
  std::filesystem::remove_all(data);
  if (QProcess::execute(QStringLiteral(TALLYER_SAMPLE_PROGRAM), {PathToQString(data / "営業部")}) != 0) return 1;
  const auto group = data / "営業部" / "営業部.group";

  DialogFixture f;
  f.app.htmlReportPath = data / "Planwell_Output.html";
  f.windowSettings.SetValue(QStringLiteral("PeriodPreset"), QStringLiteral("thisYear"));
  f.windowSettings.SetValue(QStringLiteral("Breakdown"), QStringLiteral("month"));
  f.windowSettings.SetValue(QStringLiteral("RecentGroup1"), QStringLiteral("/tmp/Planwell/開発部/開発部.group"));
  RecordingDialog& window = f.Open(QDateTime(QDate(2025, 10, 6), QTime(9, 41)));
  window.move(0, 0);
  window.show();
  window.OpenGroup(group);
  window.resize(1440, 860);
  f.Find<QCheckBox>("everyoneCheck")->setChecked(true);
  auto* modes = f.Find<QComboBox>("modeCombo");
  modes->setCurrentIndex(kModeType);
  emit modes->activated(kModeType);
  f.Find<QMenu>("typeFileMenu")->actions()[0]->trigger();
  f.Find<QComboBox>("formatCombo")->setCurrentIndex(1);
  window.RunTally();
  Wait(300);
  if (!window.grab().save(out.filePath(QStringLiteral("tallyer.png")))) return 1;

  QMenu* file = f.Find<QMenu>("fileMenu");
  QMenu* recent = f.Find<QMenu>("recentMenu");
  window.menuBar()->setActiveAction(file->menuAction());
  Wait(200);
  file->setActiveAction(recent->menuAction());
  recent->popup(file->geometry().topRight() + QPoint(0, file->actionGeometry(recent->menuAction()).top()));
  Wait(300);
  // The options' side of the window: the menus open over it.
  const int formRight = f.Find<QWidget>("resultPane")->mapTo(&window, QPoint(0, 0)).x();
  const QRect area = file->geometry().united(recent->geometry());
  if (!SaveScreen(QRect(0, 0, std::max(area.right() + 8, formRight), window.frameGeometry().height() * 2 / 3),
                  out.filePath(QStringLiteral("tallyer-menu.png")))) {
    return 1;
  }
  recent->close();
  QMenu* exports = f.Find<QMenu>("exportMenu");
  file->setActiveAction(exports->menuAction());
  exports->popup(file->geometry().topRight() + QPoint(0, file->actionGeometry(exports->menuAction()).top()));
  Wait(300);
  const QRect menus = file->geometry().united(exports->geometry());
  if (!SaveScreen(QRect(0, 0, menus.right() + 8, menus.bottom() + 8), out.filePath(QStringLiteral("tallyer-export.png")))) {
    return 1;
  }
  exports->close();
  file->close();
  Wait(200);

  auto* presets = f.Find<QComboBox>("periodPresetCombo");
  presets->showPopup();
  Wait(300);
  const QRect popup = presets->view()->window()->geometry();
  const QRect periodRow(0, presets->mapTo(&window, QPoint(0, 0)).y() - 40, formRight, 0);
  if (!SaveScreen(periodRow.united(popup).adjusted(0, 0, 0, 8), out.filePath(QStringLiteral("tallyer-period.png")))) {
    return 1;
  }
  presets->hidePopup();
  std::filesystem::remove_all(data);
  return window.messages.empty() ? 0 : 1;
}
