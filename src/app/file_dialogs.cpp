#include "app/file_dialogs.h"

#include <QFileDialog>
#include <QStringList>

#include "app/qt_text.h"

namespace tallyer {
namespace {

// "All files" is "*": on Linux "*.*" would leave out names without a dot.
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
             {QStringLiteral("グループファイル (*.group)"), QStringLiteral("全てのファイル (*)")},
             QStringLiteral("group"));
}

std::optional<std::filesystem::path> QtFileDialogs::OpenTypeFile(QWidget* parent) {
  return Ask(parent, QFileDialog::AcceptOpen,
             {QStringLiteral("タイプ別色情報ファイル (*.type)"), QStringLiteral("全てのファイル (*)")},
             QStringLiteral("type"));
}

std::optional<std::filesystem::path> QtFileDialogs::SaveCsv(QWidget* parent) {
  // QFileDialog asks before replacing an existing file unless told otherwise.
  return Ask(parent, QFileDialog::AcceptSave,
             {QStringLiteral("コンマ区切りファイル (*.csv)"), QStringLiteral("全てのファイル (*)")},
             QString(), QStringLiteral("Schedule.csv"));
}

}  // namespace tallyer
