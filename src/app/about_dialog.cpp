#include "app/about_dialog.h"

#include "app/program_icon.h"
#include "ui_about_dialog.h"

namespace tallyer {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::AboutDialog>()) {
  ui_->setupUi(this);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  const QIcon icon = ProgramIcon();
  setWindowIcon(icon);
  ui_->iconLabel->setPixmap(icon.pixmap(32, 32));
}

AboutDialog::~AboutDialog() = default;

}  // namespace tallyer
