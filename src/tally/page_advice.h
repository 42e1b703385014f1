#pragma once

#include <cstddef>

namespace tallyer {

// Asks the operating system to back a large, freshly reserved buffer with huge
// pages where it offers them on request. A run's schedule list is hundreds of
// megabytes written once; taking it 4 KiB page by page costs more than reading
// the month files. Only a hint: nothing changes where it is not available.
void AdviseHugePages(const void* data, std::size_t bytes);

}  // namespace tallyer
