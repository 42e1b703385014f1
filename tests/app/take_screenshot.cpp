// Draws the main window with a sample group loaded into a PNG file, for the
// README: take_screenshot OUTPUT.png (run it under a real X server).
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QTimeEdit>

#include "app/program_icon.h"
#include "app/qt_text.h"
#include "app_test_support.h"
#include "support/archive_writer.h"

using namespace tallyer;
using namespace tallyer::testing;

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc != 2) {
    qCritical("usage: take_screenshot OUTPUT.png");
    return 2;
  }
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  QApplication::setWindowIcon(ProgramIcon());

  DialogFixture f;
  std::filesystem::create_directory(f.dir / "営業部");
  const auto group = f.dir / "営業部" / "営業部.group";
  GroupFileBuilder builder;
  builder.Name(Utf8ToCp932("営業部"));
  for (const char* name : {"田中 一郎", "鈴木 花子", "佐藤 健", "高橋 美咲", "伊藤 翔", "渡辺 由美",
                           "山本 大輔", "中村 さくら", "小林 誠", "加藤 愛", "吉田 拓也", "山田 優子"}) {
    builder.Add(Utf8ToCp932(name), Utf8ToCp932(name));
  }
  WriteBytes(group, builder.Build());
  WriteBytes(f.dir / "営業部" / "営業部.type", Utf8ToCp932("会議\t255,0,0\r\n"));
  f.files.group = group;

  RecordingDialog& dialog = f.Open(QDateTime::currentDateTime());
  dialog.ChooseGroup();
  auto* list = f.Find<QListWidget>("memberList");
  for (int row : {0, 3, 4}) list->item(row)->setSelected(true);
  auto* modes = f.Find<QComboBox>("modeCombo");
  modes->setCurrentIndex(kModeType);
  emit modes->activated(kModeType);
  f.Find<QMenu>("typeFileMenu")->actions()[0]->trigger();
  f.Find<QCheckBox>("bandOnlyCheck")->click();
  f.Find<QTimeEdit>("bandStartEdit")->setTime(QTime(9, 0));
  f.Find<QTimeEdit>("bandEndEdit")->setTime(QTime(18, 0));

  dialog.show();
  QApplication::processEvents();
  if (!dialog.grab().save(QString::fromLocal8Bit(argv[1]))) return 1;
  return dialog.messages.empty() ? 0 : 1;
}
