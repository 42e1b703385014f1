#pragma once

#include <filesystem>
#include <string>

#include "tally/tally_settings.h"

namespace tallyer {

// In the type mode, whether the type colour file that was given (not the hint
// text) can be opened for reading; an empty or malformed file is readable, a
// folder is not. Outside the type mode the file is not used: always true.
bool TypeFileReadable(const TallySettings& settings);

// "タイプ別色情報ファイル %1 を読めません。" with the path (CP932).
std::string UnreadableTypeFileMessage(const std::filesystem::path& path);

}  // namespace tallyer
