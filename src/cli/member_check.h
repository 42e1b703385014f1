#pragma once

#include <optional>
#include <string>
#include <vector>

#include "data/group.h"

namespace tallyer::cli {

// The first of the keys (CP932) that names no visible member of the group.
std::optional<std::string> FirstUnknownKey(const CGroup& group, const std::vector<std::string>& keys);

// "key (name)" of every visible member, one per line, in UTF-8: what the user
// may give to --member.
std::string VisibleMemberList(const CGroup& group);

}  // namespace tallyer::cli
