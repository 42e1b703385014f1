#include "cli_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstring>

#include "support/temp_dir.h"

extern char** environ;

namespace tallyer::testing {

CliProcessResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                            const std::filesystem::path& workDir,
                            const std::filesystem::path& tempDir,
                            const std::filesystem::path& captureDir) {
  std::vector<std::string> argStrings{program};
  argStrings.insert(argStrings.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (auto& a : argStrings) argv.push_back(a.data());
  argv.push_back(nullptr);

  std::vector<std::string> envStrings;
  for (char** e = environ; *e != nullptr; ++e) {
    if (std::strncmp(*e, "TMPDIR=", 7) == 0 || std::strncmp(*e, "XDG_STATE_HOME=", 15) == 0) {
      continue;
    }
    envStrings.emplace_back(*e);
  }
  envStrings.push_back("TMPDIR=" + tempDir.string());
  envStrings.push_back("XDG_STATE_HOME=" + tempDir.string());
  std::vector<char*> envp;
  for (auto& e : envStrings) envp.push_back(e.data());
  envp.push_back(nullptr);

  const auto outPath = captureDir / "stdout";
  const auto errPath = captureDir / "stderr";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addchdir_np(&actions, workDir.c_str());

  CliProcessResult result;
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return result;
  int status = 0;
  if (waitpid(pid, &status, 0) == pid && WIFEXITED(status)) result.exitStatus = WEXITSTATUS(status);
  result.out = ReadBytes(outPath);
  result.err = ReadBytes(errPath);
  return result;
}

}  // namespace tallyer::testing
