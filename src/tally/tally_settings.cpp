#include "tally/tally_settings.h"

namespace tallyer {

// Native paths are UTF-8 here (and UTF-16 on Windows), never CP932.
const std::filesystem::path kHintPath =
    std::filesystem::u8path("右のボタンをクリックして選択して下さい。");

bool HasNoDirectorySeparator(const std::filesystem::path& path) {
  // A chosen file always comes with its folder; on Linux '\\' is an ordinary
  // character, but the hint text holds neither separator.
  const auto& native = path.native();
  using Char = std::filesystem::path::value_type;
  return native.find(static_cast<Char>('/')) == native.npos &&
         native.find(static_cast<Char>('\\')) == native.npos;
}

}  // namespace tallyer
