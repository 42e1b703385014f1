#include "app/group_drop.h"

#include <QMimeData>
#include <QUrl>

#include "app/qt_text.h"

namespace tallyer {

std::optional<std::filesystem::path> DroppedGroupFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return std::nullopt;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) continue;
    const QString file = url.toLocalFile();
    if (file.endsWith(QStringLiteral(".group"), Qt::CaseInsensitive)) return QStringToPath(file);
  }
  return std::nullopt;
}

}  // namespace tallyer
