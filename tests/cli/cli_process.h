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

// Runs `program` with `arguments` in `workDir`. Its temporary files
// go to `tempDir` (TMPDIR) and its diagnostic log state to `tempDir` as well,
// so a run never touches the user's folders. Output is captured in files in
// `captureDir`; no pipes, so nothing can block.
CliProcessResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                            const std::filesystem::path& workDir,
                            const std::filesystem::path& tempDir,
                            const std::filesystem::path& captureDir);

// The same for the real tallyer-cli.
inline CliProcessResult RunCliProgram(const std::vector<std::string>& arguments,
                                      const std::filesystem::path& workDir,
                                      const std::filesystem::path& tempDir,
                                      const std::filesystem::path& captureDir) {
  return RunProgram(TALLYER_CLI_PROGRAM, arguments, workDir, tempDir, captureDir);
}

}  // namespace tallyer::testing
