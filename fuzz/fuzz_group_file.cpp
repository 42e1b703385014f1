// Group files of any content: the reader must end in a problem or a group.
#include "data/group.h"
#include "fuzz_input.h"

using namespace tallyer;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static CGroup group;
  static const auto path = fuzz::WorkDir() / "input.group";
  fuzz::WriteInput(path, data, size);
  const auto problem = group.ReadFile(path);
  std::size_t total = group.name.size() + group.groupNote.size() + (problem ? problem->message.size() : 0);
  for (const CMember& m : group.Members()) total += m.name.size() + m.key.size() + m.IsVisible();
  return total == static_cast<std::size_t>(-1);
}
