#include "app/about_dialog.h"

#include <QDateTime>
#include <QTimeZone>

#include "app/program_icon.h"
#include "ui_about_dialog.h"
#include "version.h"

// Set by the build from SOURCE_DATE_EPOCH or the last commit's date.
#ifndef TALLYER_BUILD_EPOCH
#define TALLYER_BUILD_EPOCH -1
#endif

namespace tallyer {

QString BuildDateText(long long epochSeconds) {
  if (epochSeconds < 0) return {};
  const QDate date = QDateTime::fromSecsSinceEpoch(epochSeconds, QTimeZone::utc()).date();
  return QStringLiteral("ビルド日：") + date.toString(QStringLiteral("yyyy/MM/dd"));
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::AboutDialog>()) {
  ui_->setupUi(this);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  const QIcon icon = ProgramIcon();
  setWindowIcon(icon);
  ui_->iconLabel->setPixmap(icon.pixmap(32, 32));
  ui_->qtVersionLabel->setText(QStringLiteral("Qt ") + QString::fromLatin1(qVersion()));
  const QString built = BuildDateText(TALLYER_BUILD_EPOCH);
  ui_->buildDateLabel->setText(built);
  ui_->buildDateLabel->setVisible(!built.isEmpty());
  ui_->versionLabel->setText(QStringLiteral("Planwell 集計ツール ver ") + QString::fromLatin1(kProductVersion));
}

AboutDialog::~AboutDialog() = default;

}  // namespace tallyer
