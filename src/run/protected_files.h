#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tallyer {

// The files a report must never replace: the scheduler's own files and the
// files a run reads. Every writer of a report asks before it writes, so a
// mistyped target cannot destroy a group's data.
class ProtectedFiles {
 public:
  // The group file, every existing month file of the group (its folder is
  // listed once) and the type colour file, unless a path is still the hint
  // text. Paths are taken as given, relative ones from the current folder.
  ProtectedFiles(const std::filesystem::path& groupPath, const std::filesystem::path& typeFilePath);

  // Whether writing a report to `target` could replace one of them or any
  // file of the scheduler: a name ending in ".group", ".sch" or ".type" (in any
  // letter case, existing or not, also the name the target's symbolic links
  // lead to), or the same file as one of the protected files however it is
  // spelled (relative, absolute, through "..", a symbolic or a hard link).
  bool Protects(const std::filesystem::path& target) const;

 private:
  std::vector<std::filesystem::path> files_;
};

// Whether the file name ends in ".group", ".sch" or ".type", in any letter case.
bool HasSchedulerFileName(const std::filesystem::path& path);

// The existing month files of the group, by the month-file path rule, found
// by one listing of their folder.
std::vector<std::filesystem::path> ExistingMonthFiles(const std::filesystem::path& groupPath);

// "%1 は集計に使うファイルなので上書きできません。" with the target as given (CP932).
std::string ProtectedTargetMessage(const std::filesystem::path& target);

}  // namespace tallyer
