// Type colour files and colour texts of any content.
#include <string_view>

#include "data/type_colors.h"
#include "fuzz_input.h"

using namespace tallyer;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const auto path = fuzz::WorkDir() / "input.type";
  fuzz::WriteInput(path, data, size);
  CTypeColors types;
  types.Load(path);
  std::uint32_t mix = ParseColor(std::string_view(reinterpret_cast<const char*>(data), size));
  for (int i = 0; i < types.Count(); ++i) mix ^= types.ColorAt(i) + types.NameOf(types.ColorAt(i)).size();
  if (types.names.size() != types.colors.size()) __builtin_trap();
  if ((mix & 0xFF000000u) != 0 && types.Count() == 0) __builtin_trap();  // colours are 24-bit
  return 0;
}
