#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QTest>
#include <QTimeEdit>
#include <algorithm>

#include "app_test_support.h"

namespace tallyer::testing {

// Options of a run, set in the window as the user sets them and given to
// tallyer-cli as its arguments, so that both can be compared.
struct WindowOptions {
  int mode = kModeTotal;
  QStringList members;  // keys; none: everyone
  QDateTime firstDate = QDateTime(QDate(2005, 6, 1), QTime(0, 0), QTimeZone::utc());
  QDateTime lastDate = QDateTime(QDate(2005, 6, 30), QTime(0, 0), QTimeZone::utc());
  QString band;  // "HH:mm-HH:mm"; empty: off
  QString content;  // empty: off
  bool exact = false;
  bool ignoreCaseWidth = false;
  bool noOverlap = false;
  bool noTentative = false;
  int format = 0;
  QString by;  // the command line's unit; empty: none
};

// Sets the options in the window of `f`, whose group `group` is loaded, and
// returns the command line's arguments for the same run (group file first).
inline QStringList ChooseInWindow(DialogFixture& f, const WindowOptions& o,
                                  const std::filesystem::path& group) {
  RecordingDialog& dialog = *f.dialog;
  auto* list = f.Find<QListWidget>("memberList");
  for (const QString& key : o.members) {
    const auto& keys = dialog.MemberKeys();
    const auto it = std::find(keys.begin(), keys.end(), ToCp932(key));
    if (it == keys.end()) return {};
    const int row = static_cast<int>(it - keys.begin());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
  }
  f.Find<QCheckBox>("everyoneCheck")->setChecked(o.members.isEmpty());
  f.Find<QDateEdit>("firstDateEdit")->setDateTime(o.firstDate);
  f.Find<QDateEdit>("lastDateEdit")->setDateTime(o.lastDate);
  auto* modes = f.Find<QComboBox>("modeCombo");
  modes->setCurrentIndex(o.mode);
  emit modes->activated(o.mode);
  const auto typeFile = group.parent_path() / (group.stem().native() + ".type");
  if (o.mode == kModeType) f.Find<QMenu>("typeFileMenu")->actions()[0]->trigger();
  f.Find<QCheckBox>("bandOnlyCheck")->setChecked(!o.band.isEmpty());
  if (!o.band.isEmpty()) {
    f.Find<QTimeEdit>("bandStartEdit")->setTime(QTime::fromString(o.band.left(5), "HH:mm"));
    f.Find<QTimeEdit>("bandEndEdit")->setTime(QTime::fromString(o.band.right(5), "HH:mm"));
  }
  f.Find<QCheckBox>("contentOnlyCheck")->setChecked(!o.content.isEmpty());
  f.Find<QLineEdit>("contentTextEdit")->setText(o.content);
  f.Find<QCheckBox>("exactMatchCheck")->setChecked(o.exact);
  f.Find<QCheckBox>("ignoreCaseWidthCheck")->setChecked(o.ignoreCaseWidth);
  f.Find<QCheckBox>("noOverlapCheck")->setChecked(o.noOverlap);
  f.Find<QCheckBox>("noTentativeCheck")->setChecked(o.noTentative);
  f.Find<QComboBox>("formatCombo")->setCurrentIndex(o.format);
  auto* units = f.Find<QComboBox>("breakdownCombo");
  const QStringList byWords{"", "day", "week", "month", "year", "fiscal-year"};
  units->setCurrentIndex(static_cast<int>(byWords.indexOf(o.by)));
  emit units->activated(units->currentIndex());

  QStringList args{PathToQString(group), "--from", o.firstDate.toString("yyyy-MM-ddTHH:mm"), "--to",
                   o.lastDate.toString("yyyy-MM-ddTHH:mm"), "--mode", QString::number(o.mode + 1),
                   "--format", QString::number(o.format)};
  for (const QString& key : o.members) args << "--member" << key;
  if (o.mode == kModeType) args << "--type-file" << PathToQString(typeFile);
  if (!o.band.isEmpty()) args << "--band" << o.band;
  if (!o.content.isEmpty()) args << "--content" << o.content;
  if (o.exact) args << "--exact";
  if (o.ignoreCaseWidth) args << "--ignore-case-width";
  if (o.noOverlap) args << "--no-overlap";
  if (o.noTentative) args << "--no-tentative";
  if (!o.by.isEmpty()) args << "--by" << o.by;
  return args;
}

// Runs tallyer-cli; its standard output, or a null array when it failed.
inline QByteArray RunCli(const QStringList& args) {
  QProcess cli;
  cli.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  cli.start(QStringLiteral(TALLYER_CLI_PROGRAM), args);
  if (!cli.waitForFinished(120000) || cli.exitStatus() != QProcess::NormalExit || cli.exitCode() != 0) {
    return QByteArray();
  }
  const QByteArray out = cli.readAllStandardOutput();
  return out.isNull() ? QByteArray("") : out;
}

}  // namespace tallyer::testing

Q_DECLARE_METATYPE(tallyer::testing::WindowOptions)
