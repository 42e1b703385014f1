#pragma once

#include <filesystem>
#include <optional>

class QMimeData;

namespace tallyer {

// The first local file named *.group (any letter case) among dropped data;
// none when nothing dropped is a group file.
std::optional<std::filesystem::path> DroppedGroupFile(const QMimeData* data);

}  // namespace tallyer
