#include "run/group_loading.h"

#include "data/cp932.h"
#include "data/file_error.h"
#include "data/group.h"
#include "run/notices.h"
#include "run/ui_services.h"

namespace tallyer {
namespace {

// The window says which file it could not read: "ファイル %1 を読めませんでした。",
// a line end, then the reader's own message. That of a missing file names
// the file already and stays as it is.
Problem NamingTheFile(Problem problem, const std::filesystem::path& path) {
  if (problem.cause == kCauseFileNotFound) return problem;
  const std::u8string utf8 = path.u8string();
  problem.message = Utf8ToCp932("ファイル ") +
                    Utf8ToCp932(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size())) +
                    Utf8ToCp932(" を読めませんでした。") + "\n" + problem.message;
  return problem;
}

}  // namespace

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
  BusyCursor busy(ui);
  if (const auto problem = group.ReadFile(path)) {
    Tell(NamingTheFile(*problem, path), ui, log);
    // What was read before the damage is no group: it is neither listed nor kept.
    group.Clear();
    return false;
  }
  AppendVisibleMembers(group, keys, names);
  return true;
}

}  // namespace tallyer
