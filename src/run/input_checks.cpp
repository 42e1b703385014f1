#include "run/input_checks.h"

#include <fstream>
#include <system_error>

#include "data/cp932.h"

namespace tallyer {

bool TypeFileReadable(const TallySettings& settings) {
  // The type file is otherwise read without a word when it cannot be: a
  // mistyped path would give a report without types that looks complete.
  if (settings.mode != kModeType || HasNoDirectorySeparator(settings.typeFilePath)) return true;
  std::error_code ec;
  if (std::filesystem::is_directory(settings.typeFilePath, ec)) return false;
  return std::ifstream(settings.typeFilePath, std::ios::binary).is_open();
}

std::string UnreadableTypeFileMessage(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return Utf8ToCp932("タイプ別色情報ファイル ") +
         Utf8ToCp932(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size())) +
         Utf8ToCp932(" を読めません。");
}

}  // namespace tallyer
