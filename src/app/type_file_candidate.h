#pragma once

#include <filesystem>
#include <optional>

namespace tallyer {

// The type colour file that belongs to a group file: the group path up to its
// last '.', followed by ".type" (D:/team/sales.group gives D:/team/sales.type).
// None when the path holds no '.', as the hint text does.
std::optional<std::filesystem::path> TypeFileCandidate(const std::filesystem::path& groupPath);

}  // namespace tallyer
