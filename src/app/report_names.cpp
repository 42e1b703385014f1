#include "app/report_names.h"

#include "app/qt_text.h"
#include "tally/tally_settings.h"

namespace tallyer {

QString ProposedReportName(const std::filesystem::path& groupPath, const QDate& first,
                           const QDate& last, const QString& extension) {
  if (HasNoDirectorySeparator(groupPath)) return QStringLiteral("Schedule.") + extension;
  const QString format = QStringLiteral("yyyyMMdd");
  return QStringLiteral("%1_%2-%3.%4")
      .arg(PathToQString(groupPath.stem()), first.toString(format), last.toString(format), extension);
}

std::filesystem::path GroupFolder(const std::filesystem::path& groupPath) {
  if (HasNoDirectorySeparator(groupPath)) return {};
  return groupPath.parent_path();
}

}  // namespace tallyer
