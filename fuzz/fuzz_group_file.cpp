// Group files of any content: the reader must end in a message or a group.
#include "data/group.h"
#include "fuzz_input.h"
#include "run/diagnostic_log.h"
#include "run/ui_services.h"

using namespace tallyer;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static NullUiServices ui;
  static DiagnosticLog log{std::filesystem::path()};  // no log file: logging stays off
  static CGroup group(ui, log);
  static const auto path = fuzz::WorkDir() / "input.group";
  fuzz::WriteInput(path, data, size);
  group.ReadFile(path);
  std::size_t total = group.name.size() + group.groupNote.size();
  for (const CMember& m : group.Members()) total += m.name.size() + m.key.size() + m.IsVisible();
  return total == static_cast<std::size_t>(-1);
}
