#pragma once

#include <QDateTime>
#include <QString>
#include <filesystem>
#include <string>

#include "data/date_time.h"

// Conversions at the edge between the core's values and Qt's: CP932 texts,
// native paths and date-times.
namespace tallyer {

// CP932 text of the core to a widget text, and back.
QString FromCp932(const std::string& cp932);
std::string ToCp932(const QString& text);

// Native paths, never passed through CP932.
QString PathToQString(const std::filesystem::path& path);
std::filesystem::path QStringToPath(const QString& text);

// A date-time as a UTC QDateTime (free of daylight-saving gaps); an invalid
// QDateTime when the value has no calendar parts.
QDateTime ToQDateTime(const DateTime& value);
// To the second; milliseconds are dropped.
DateTime FromQDateTime(const QDateTime& value);

}  // namespace tallyer
