#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tallyer {

// The most characters a worksheet cell holds.
inline constexpr std::size_t kCellTextLimit = 32767;

// A CP932 text as a workbook cell gets it: UTF-8, at most kCellTextLimit
// characters as the workbook library counts them, a NUL as U+FFFD (the
// library takes C strings). An underscore that would start an escape of the
// file format ("_x" and four hex digits, then "_" or a control character,
// which the library writes as such an escape) is written "_x005F_", so that
// spreadsheets show the text as it is.
std::string CellText(std::string_view cp932);

}  // namespace tallyer
