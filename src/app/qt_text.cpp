#include "app/qt_text.h"

#include <QFile>
#include <QTimeZone>

#include "data/cp932.h"

namespace tallyer {

QString FromCp932(const std::string& cp932) {
  return QString::fromStdString(Cp932ToUtf8(cp932));
}

std::string ToCp932(const QString& text) {
  return Utf8ToCp932(text.toStdString());
}

QString PathToQString(const std::filesystem::path& path) {
#ifdef Q_OS_WIN
  return QString::fromStdWString(path.native());
#else
  return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}

std::filesystem::path QStringToPath(const QString& text) {
#ifdef Q_OS_WIN
  return std::filesystem::path(text.toStdWString());
#else
  return std::filesystem::path(QFile::encodeName(text).toStdString());
#endif
}

QDateTime ToQDateTime(const DateTime& value) {
  const CalendarParts p = value.Parts();
  if (p.year < 0) return {};
  return QDateTime(QDate(p.year, p.month, p.day), QTime(p.hour, p.minute, p.second),
                   QTimeZone::utc());
}

DateTime FromQDateTime(const QDateTime& value) {
  if (!value.isValid()) return DateTime{0.0, DateTime::kInvalid};
  const QDate d = value.date();
  const QTime t = value.time();
  return DateTime::FromParts(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
}

}  // namespace tallyer
