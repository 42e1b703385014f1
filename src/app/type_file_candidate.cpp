#include "app/type_file_candidate.h"

namespace tallyer {

std::optional<std::filesystem::path> TypeFileCandidate(const std::filesystem::path& groupPath) {
  // The last '.' of the whole path counts, even one in a folder name (a group
  // file without extension in "C:/a.b" gives "C:/a.type"). In UTF-8 or UTF-16
  // paths '.' is never part of another character.
  const auto& text = groupPath.native();
  const auto dot = text.rfind('.');
  if (dot == text.npos) return std::nullopt;
  auto candidate = text.substr(0, dot);
  candidate += std::filesystem::path(".type").native();
  return std::filesystem::path(candidate);
}

}  // namespace tallyer
