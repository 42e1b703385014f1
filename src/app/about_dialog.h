#pragma once

#include <QDialog>
#include <QString>
#include <memory>

namespace Ui {
class AboutDialog;
}

namespace tallyer {

// "ﾊﾞｰｼﾞｮﾝ情報": the program icon, its name and version, the Qt it runs on,
// the build date, and an OK button.
class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent = nullptr);
  ~AboutDialog() override;

 private:
  std::unique_ptr<Ui::AboutDialog> ui_;
};

// "ビルド日：YYYY/MM/DD" of a build time in seconds since 1970 (UTC); empty
// for a negative time, which stands for "not known".
QString BuildDateText(long long epochSeconds);

}  // namespace tallyer
