#pragma once

#include <QDate>
#include <QString>
#include <filesystem>

namespace tallyer {

// The name a save dialog proposes for a report of the group over the period:
// "<group>_<YYYYMMDD>-<YYYYMMDD>.<extension>", <group> the group file's name
// without its extension; "Schedule.<extension>" while no group is chosen.
QString ProposedReportName(const std::filesystem::path& groupPath, const QDate& first,
                           const QDate& last, const QString& extension);

// The folder of the group file, where the file dialogs start; empty while no
// group is chosen (the path field shows the hint text).
std::filesystem::path GroupFolder(const std::filesystem::path& groupPath);

}  // namespace tallyer
