#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>

namespace tallyer {

// A new, empty file in the system's temporary folder, removed with the object.
// A format that can only write named files goes to standard output through
// one of these.
class TempFile {
 public:
  explicit TempFile(const std::string& suffix);
  ~TempFile();
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  // Empty when no file could be created.
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Creates `path` as a new, empty file; false when it exists already or
// cannot be created.
bool CreateNewFile(const std::filesystem::path& path);

// Copies the bytes of the file to `out`; false when either side fails.
bool CopyFileTo(const std::filesystem::path& path, std::ostream& out);

}  // namespace tallyer
