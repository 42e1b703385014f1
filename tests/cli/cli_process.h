#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tallyer::testing {

// What one run of the command-line program left behind.
struct CliProcessResult {
  int exitStatus = -1;  // -1 when the program did not exit normally
  std::string out;      // standard output, bytes as written
  std::string err;      // standard error
};

// Runs the real tallyer-cli with `arguments` in `workDir`. Its temporary files
// go to `tempDir` (TMPDIR) and its diagnostic log state to `tempDir` as well,
// so a run never touches the user's folders. Output is captured in files in
// `captureDir`; no pipes, so nothing can block.
CliProcessResult RunCliProgram(const std::vector<std::string>& arguments,
                               const std::filesystem::path& workDir,
                               const std::filesystem::path& tempDir,
                               const std::filesystem::path& captureDir);

}  // namespace tallyer::testing
