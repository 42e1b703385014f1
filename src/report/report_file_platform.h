#pragma once

#include <filesystem>

#include "report/report_file.h"

// The file-system half of the report writer, one implementation per platform
// (report_file_posix.cpp, report_file_win32.cpp).
namespace tallyer::platform {

// Writes `content` to `target` as WriteReportFile describes: through a
// temporary file beside the target that replaces it once complete and
// synced, or in place where the target cannot be replaced. Returns a
// FileError cause: kCauseNone when the report was written.
int WriteReportFile(const std::filesystem::path& target, const ReportContent& content);

}  // namespace tallyer::platform
