#include "run/group_loading.h"

#include "data/group.h"
#include "run/notices.h"
#include "run/ui_services.h"

namespace tallyer {

bool ReadGroupFile(CGroup& group, const std::filesystem::path& path, UiServices& ui,
                   DiagnosticLog& log) {
  BusyCursor busy(ui);
  const auto problem = group.ReadFile(path);
  if (problem) Tell(*problem, ui, log);
  return !problem;
}

bool ListVisibleMembers(CGroup& group, const std::filesystem::path& path,
                        std::vector<std::string>& keys, std::vector<std::string>& names,
                        UiServices& ui, DiagnosticLog& log) {
  group.SetPath(path);
  const bool read = ReadGroupFile(group, path, ui, log);
  AppendVisibleMembers(group, keys, names);
  return read;
}

}  // namespace tallyer
