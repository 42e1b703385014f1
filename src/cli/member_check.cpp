#include "cli/member_check.h"

#include "data/cp932.h"

namespace tallyer::cli {

std::optional<std::string> FirstUnknownKey(const CGroup& group,
                                           const std::vector<std::string>& keys) {
  for (const std::string& key : keys) {
    bool found = false;
    for (const CMember& member : group.Members()) {
      if (member.IsVisible() && member.key == key) {
        found = true;
        break;
      }
    }
    if (!found) return key;
  }
  return std::nullopt;
}

std::string VisibleMemberList(const CGroup& group) {
  std::string text;
  for (const CMember& member : group.Members()) {
    if (!member.IsVisible()) continue;
    text += "  " + Cp932ToUtf8(member.key) + " (" + Cp932ToUtf8(member.DisplayName()) + ")\n";
  }
  return text;
}

}  // namespace tallyer::cli
