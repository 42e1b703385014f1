#include "report/temp_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include <fstream>
#include <ostream>
#include <random>
#include <system_error>

namespace tallyer {

bool CreateNewFile(const std::filesystem::path& path) {
#ifdef _WIN32
  // msvcrt ignores fopen's "x": CREATE_NEW is the exclusive creation there.
  const HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
#else
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  ::close(fd);
#endif
  return true;
}

TempFile::TempFile(const std::string& suffix) {
  std::error_code ec;
  const auto folder = std::filesystem::temp_directory_path(ec);
  if (ec) return;
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const auto candidate = folder / ("tallyer-" + std::to_string(random()) + suffix);
    // Fails when the name exists, so no other file is ever reused.
    if (CreateNewFile(candidate)) {
      path_ = candidate;
      return;
    }
  }
}

TempFile::~TempFile() {
  if (path_.empty()) return;
  std::error_code ec;
  std::filesystem::remove(path_, ec);
}

bool CopyFileTo(const std::filesystem::path& path, std::ostream& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  // Inserting an empty buffer would mark `out` failed although nothing went wrong.
  if (in.peek() == std::ifstream::traits_type::eof()) return in.eof() && static_cast<bool>(out);
  out << in.rdbuf();
  out.flush();
  return static_cast<bool>(out);
}

}  // namespace tallyer
