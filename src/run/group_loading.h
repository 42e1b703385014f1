#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tallyer {

class CGroup;
class DiagnosticLog;
class UiServices;

// Reads the group file with the busy cursor shown, and tells the user of a
// failure (a file error is logged too). False after a failure.
bool ReadGroupFile(CGroup& group, const std::filesystem::path& path, UiServices& ui,
                   DiagnosticLog& log);

// The member list service of the window: sets the group's path, reads it and
// lists the key and display name of every visible member. A file that cannot
// be read whole lists nothing and leaves the group empty; the user is told,
// with the file named. True when the file was read without failure.
bool ListVisibleMembers(CGroup& group, const std::filesystem::path& path,
                        std::vector<std::string>& keys, std::vector<std::string>& names,
                        UiServices& ui, DiagnosticLog& log);

}  // namespace tallyer
