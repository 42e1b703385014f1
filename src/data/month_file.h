#pragma once

#include <filesystem>
#include <vector>

#include "data/chain_index.h"
#include "data/date_time.h"
#include "data/schedule.h"
#include "data/text_pool.h"

namespace tallyer {

class CGroup;

// The schedule file of one month, found beside the group file
// (Team.group, June 2005 -> Team200506.sch).
class CMonthFile {
 public:
  explicit CMonthFile(TextPool& texts);
  CMonthFile(const CMonthFile&) = delete;
  CMonthFile& operator=(const CMonthFile&) = delete;

  void SetGroup(const CGroup* group) { group_ = group; }
  void SetMonth(const DateTime& month);
  void UpdatePath();
  // Reads every complete record of the file at Path(); a missing or unreadable
  // file gives fewer or no records, silently.
  void Load();
  void Clear() { schedules_.clear(); }
  void Add(CSchedule record);

  int Count() const { return static_cast<int>(schedules_.size()); }
  CSchedule& Item(int i) { return schedules_[static_cast<std::size_t>(i)]; }
  const CSchedule& Item(int i) const { return schedules_[static_cast<std::size_t>(i)]; }
  std::vector<CSchedule>& Schedules() { return schedules_; }
  const std::filesystem::path& Path() const { return path_; }
  const DateTime& Month() const { return month_; }

  ChainIndex chainIndex;

 private:
  TextPool* texts_;
  const CGroup* group_ = nullptr;
  std::filesystem::path path_;
  DateTime month_;
  std::vector<CSchedule> schedules_;
  std::vector<char> bytes_;  // the file as read, its storage reused month after month
};

// The month file path for a group path: everything before the last '.',
// then "%d%02d.sch" of year and month.
std::filesystem::path MonthFilePath(const std::filesystem::path& groupPath, int year, int month);

}  // namespace tallyer
