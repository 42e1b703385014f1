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
                                         const std::filesystem::path& folder,
                                         const QStringList& filters, const QString& suffix,
                                         const QString& proposedName = {}) {
  QFileDialog dialog(parent);
  if (!folder.empty()) dialog.setDirectory(PathToQString(folder));
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

std::optional<std::filesystem::path> QtFileDialogs::OpenGroup(QWidget* parent,
                                                              const std::filesystem::path& folder) {
  return Ask(parent, QFileDialog::AcceptOpen, folder,
             {QStringLiteral("グループファイル (*.group)"), kAllFiles},
             QStringLiteral("group"));
}

std::optional<std::filesystem::path> QtFileDialogs::OpenTypeFile(
    QWidget* parent, const std::filesystem::path& folder) {
  return Ask(parent, QFileDialog::AcceptOpen, folder,
             {QStringLiteral("タイプ別色情報ファイル (*.type)"), kAllFiles},
             QStringLiteral("type"));
}

std::optional<std::filesystem::path> QtFileDialogs::SaveCsv(QWidget* parent,
                                                            const std::filesystem::path& folder,
                                                            const QString& proposedName) {
  // QFileDialog adds the suffix before it asks about replacing a file, so the
  // question is about the file that will be written.
  return Ask(parent, QFileDialog::AcceptSave, folder,
             {QStringLiteral("コンマ区切りファイル (*.csv)"), kAllFiles},
             QStringLiteral("csv"), proposedName);
}

std::optional<std::filesystem::path> QtFileDialogs::SaveReport(QWidget* parent,
                                                               const std::filesystem::path& folder,
                                                               const QString& proposedName,
                                                               const QString& filter,
                                                               const QString& extension) {
  return Ask(parent, QFileDialog::AcceptSave, folder, {filter, kAllFiles}, extension, proposedName);
}

}  // namespace tallyer
