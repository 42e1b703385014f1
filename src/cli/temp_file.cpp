#include "cli/temp_file.h"

#include <cstdio>
#include <fstream>
#include <ostream>
#include <random>
#include <system_error>

namespace tallyer::cli {

TempFile::TempFile(const std::string& suffix) {
  std::error_code ec;
  const auto folder = std::filesystem::temp_directory_path(ec);
  if (ec) return;
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const auto candidate = folder / ("tallyer-cli-" + std::to_string(random()) + suffix);
    // "x": fails when the name exists, so no other file is ever reused.
#ifdef _WIN32
    std::FILE* f = _wfopen(candidate.c_str(), L"wbx");
#else
    std::FILE* f = std::fopen(candidate.c_str(), "wbx");
#endif
    if (f != nullptr) {
      std::fclose(f);
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

}  // namespace tallyer::cli
