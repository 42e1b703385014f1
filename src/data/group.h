#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "data/problem.h"

namespace tallyer {

class CGroup;
class CMonthFile;

// One member of a group. Texts are CP932.
struct CMember {
  static constexpr std::uint32_t kHidden = 0x20;
  static constexpr std::uint32_t kDeleted = 0x40;

  std::string name;
  std::string key;  // schedules name their member by this text
  std::string text3, text4, text5, text6;
  std::uint32_t flags = 0;
  const CGroup* group = nullptr;

  const std::string& DisplayName() const { return name; }
  bool IsVisible() const { return (flags & (kHidden | kDeleted)) == 0; }
};

// A group file (*.group): the group's name and its members in file order
// (members flagged deleted are not kept).
class CGroup {
 public:
  static constexpr std::uint32_t kDefaultVersion = 6;

  CGroup() = default;
  CGroup(const CGroup&) = delete;
  CGroup& operator=(const CGroup&) = delete;

  // Loads the group; an empty path reloads from the current path. Nothing
  // when it was read whole, otherwise what the user is to be told; the
  // members read before a malformed spot stay.
  std::optional<Problem> ReadFile(const std::filesystem::path& path);
  void SetPath(const std::filesystem::path& path);
  void Clear() { members_.clear(); }

  std::string GetName() const { return name; }
  int Count() const { return static_cast<int>(members_.size()); }
  const CMember& Item(int i) const { return members_[static_cast<std::size_t>(i)]; }
  const std::vector<CMember>& Members() const { return members_; }

  // The month file whose path follows this group's path; set by the owner.
  void SetMonthFile(CMonthFile* monthFile) { monthFile_ = monthFile; }
  CMonthFile* MonthFile() const { return monthFile_; }
  const std::filesystem::path& Path() const { return path_; }

  std::string name;
  std::string groupNote;
  std::uint32_t leadWord = 0;
  std::uint32_t version = kDefaultVersion;

 private:
  void ReadContents(class ArchiveReader& reader);

  CMonthFile* monthFile_ = nullptr;
  std::filesystem::path path_;
  std::vector<CMember> members_;
};

// The key and display name of every visible member, in group order.
void AppendVisibleMembers(const CGroup& group, std::vector<std::string>& keys,
                          std::vector<std::string>& names);

}  // namespace tallyer
