#pragma once

#include <cstdint>
#include <string>

namespace tallyer {

// "\"#rrggbb\"" of a colour 0x00BBGGRR, quotes included.
std::string ColorText(std::uint32_t color);
// True when a type name on this colour is written in white.
bool UseWhiteText(std::uint32_t color);

}  // namespace tallyer
