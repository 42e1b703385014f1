#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "data/problem.h"

namespace tallyer {

// What goes into a report file: the bytes of a document or, for a library
// that can only write a file it is given the name of, the function that
// writes the file at the path it is handed (false when it could not).
struct ReportContent {
  std::string_view bytes;
  std::function<bool(const std::filesystem::path&)> writeNamedFile;
};

// The one writer of report files. The report goes to a new file beside the
// target, flushed to the disk, which then replaces the target, so that a
// failed write leaves the previous report as it was. A read-only target is
// refused; a replaced file keeps its permissions; a symbolic link is written
// through; devices and pipes, and a target in a folder that takes no new
// file, are written in place. Nothing when written, otherwise what the user
// is to be told (ReportFileErrorMessage, exclamation kind).
std::optional<Problem> WriteReportFile(const std::filesystem::path& target, const ReportContent& content);
inline std::optional<Problem> WriteReportFile(const std::filesystem::path& target, std::string_view bytes) {
  return WriteReportFile(target, ReportContent{bytes, {}});
}

// The message shown when the report file could not be written, by FileError
// cause, with the path in place of %1 (CP932).
std::string ReportFileErrorMessage(int cause, const std::filesystem::path& path);

}  // namespace tallyer
