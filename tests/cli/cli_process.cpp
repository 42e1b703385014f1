#include "cli_process.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#endif

#include <cstring>

#include "support/temp_dir.h"

#ifndef _WIN32
extern char** environ;
#endif

namespace tallyer::testing {

#ifdef _WIN32
namespace {

std::wstring Wide(const std::string& utf8) {
  const std::wstring w = std::filesystem::u8path(utf8).native();
  return w;
}

// One argument quoted by the rules CommandLineToArgvW reads back.
void AppendQuoted(std::wstring& line, const std::wstring& arg) {
  line.push_back(L'"');
  std::size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    line.push_back(c);
  }
  line.append(backslashes * 2, L'\\');
  line.push_back(L'"');
}

HANDLE Inheritable(const std::filesystem::path& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, disposition,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

CliProcessResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                            const std::filesystem::path& workDir,
                            const std::filesystem::path& tempDir,
                            const std::filesystem::path& captureDir) {
  std::wstring line;
  AppendQuoted(line, Wide(program));
  for (const auto& a : arguments) {
    line.push_back(L' ');
    AppendQuoted(line, Wide(a));
  }

  // The environment with TMP and TEMP (the temporary folder) pointing at tempDir.
  std::wstring env;
  if (wchar_t* block = GetEnvironmentStringsW()) {
    for (const wchar_t* e = block; *e != L'\0'; e += wcslen(e) + 1) {
      if (_wcsnicmp(e, L"TMP=", 4) == 0 || _wcsnicmp(e, L"TEMP=", 5) == 0) continue;
      env.append(e).push_back(L'\0');
    }
    FreeEnvironmentStringsW(block);
  }
  env.append(L"TMP=" + tempDir.native()).push_back(L'\0');
  env.append(L"TEMP=" + tempDir.native()).push_back(L'\0');
  env.push_back(L'\0');

  CliProcessResult result;
  const HANDLE in = Inheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
  const HANDLE out = Inheritable(captureDir / "stdout", GENERIC_WRITE, CREATE_ALWAYS);
  const HANDLE err = Inheritable(captureDir / "stderr", GENERIC_WRITE, CREATE_ALWAYS);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = in;
  si.hStdOutput = out;
  si.hStdError = err;
  PROCESS_INFORMATION pi{};
  const BOOL started =
      CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT,
                     env.data(), workDir.c_str(), &si, &pi);
  CloseHandle(in);
  CloseHandle(out);
  CloseHandle(err);
  if (!started) return result;
  WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD code = 0;
  if (GetExitCodeProcess(pi.hProcess, &code)) result.exitStatus = static_cast<int>(code);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  result.out = ReadBytes(captureDir / "stdout");
  result.err = ReadBytes(captureDir / "stderr");
  return result;
}
#else

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

#endif

}  // namespace tallyer::testing
