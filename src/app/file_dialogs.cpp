#include "app/file_dialogs.h"

#include <QFileDialog>
#include <QStringList>

#include "app/qt_text.h"

namespace tallyer {
namespace {

// Windows shows "*.*" for all files; elsewhere "*.*" would leave out names
// without a dot, so the pattern there is "*".
#ifdef Q_OS_WIN
const QString kAllFiles = QStringLiteral("全てのファイル (*.*)");
#else
const QString kAllFiles = QStringLiteral("全てのファイル (*)");
#endif

std::optional<std::filesystem::path> Ask(QWidget* parent, QFileDialog::AcceptMode mode,
                                         const QStringList& filters, const QString& suffix,
                                         const QString& proposedName = {}) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  dialog.setNameFilters(filters);
  dialog.setDefaultSuffix(suffix);
  if (!proposedName.isEmpty()) dialog.selectFile(proposedName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return QStringToPath(dialog.selectedFiles().first());
}

}  // namespace

std::optional<std::filesystem::path> QtFileDialogs::OpenGroup(QWidget* parent) {
  return Ask(parent, QFileDialog::AcceptOpen,
             {QStringLiteral("グループファイル (*.group)"), kAllFiles},
             QStringLiteral("group"));
}

std::optional<std::filesystem::path> QtFileDialogs::OpenTypeFile(QWidget* parent) {
  return Ask(parent, QFileDialog::AcceptOpen,
             {QStringLiteral("タイプ別色情報ファイル (*.type)"), kAllFiles},
             QStringLiteral("type"));
}

std::optional<std::filesystem::path> QtFileDialogs::SaveCsv(QWidget* parent) {
  // QFileDialog asks before replacing an existing file unless told otherwise.
  return Ask(parent, QFileDialog::AcceptSave,
             {QStringLiteral("コンマ区切りファイル (*.csv)"), kAllFiles},
             QString(), QStringLiteral("Schedule.csv"));
}

}  // namespace tallyer
