#include "run/protected_files.h"

#include <system_error>

#include "data/cp932.h"
#include "data/month_file.h"
#include "tally/tally_settings.h"

namespace tallyer {
namespace {

namespace fs = std::filesystem;
using Native = fs::path::string_type;
using Char = fs::path::value_type;

bool IsDigit(Char c) { return c >= '0' && c <= '9'; }

// Whether `rest` is what the month-file rule puts after the group's name:
// the year as a plain number, the month as two digits, ".sch".
bool IsMonthSuffix(const Native& rest) {
  static const Native kSch = fs::path(".sch").native();
  if (rest.size() < 3 + kSch.size() || rest.compare(rest.size() - kSch.size(), kSch.size(), kSch) != 0)
    return false;
  const std::size_t digits = rest.size() - kSch.size();
  for (std::size_t i = 0; i < digits; ++i) {
    if (!IsDigit(rest[i])) return false;
  }
  const int month = (rest[digits - 2] - '0') * 10 + (rest[digits - 1] - '0');
  return rest[0] != '0' && month >= 1 && month <= 12;
}

// The file a chain of symbolic links ends at (or the path itself); a loop
// ends after as many links as a system follows.
fs::path FollowLinks(fs::path path) {
  std::error_code ec;
  for (int hops = 0; hops < 40 && fs::is_symlink(path, ec); ++hops) {
    const fs::path to = fs::read_symlink(path, ec);
    if (ec) break;
    path = to.is_absolute() ? to : path.parent_path() / to;
  }
  return path;
}

}  // namespace

bool HasSchedulerFileName(const fs::path& path) {
  const Native name = path.filename().native();
  for (const char* ending : {".group", ".sch", ".type"}) {
    const std::size_t n = std::char_traits<char>::length(ending);
    if (name.size() < n) continue;
    bool same = true;
    for (std::size_t i = 0; i < n && same; ++i) {
      Char c = name[name.size() - n + i];
      if (c >= 'A' && c <= 'Z') c = static_cast<Char>(c - 'A' + 'a');
      same = c == static_cast<Char>(ending[i]);
    }
    if (same) return true;
  }
  return false;
}

std::vector<fs::path> ExistingMonthFiles(const fs::path& groupPath) {
  // Every month file is the group path up to its last '.' followed by the
  // month: one sample gives the folder and the common start of the names.
  const fs::path sample = MonthFilePath(groupPath, 2000, 1);
  const Native start = sample.filename().native().substr(
      0, sample.filename().native().size() - fs::path("200001.sch").native().size());
  const fs::path folder = sample.has_parent_path() ? sample.parent_path() : fs::path(".");
  std::vector<fs::path> files;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const Native name = it->path().filename().native();
    if (name.size() > start.size() && name.compare(0, start.size(), start) == 0 &&
        IsMonthSuffix(name.substr(start.size()))) {
      files.push_back(it->path());
    }
  }
  return files;
}

ProtectedFiles::ProtectedFiles(const fs::path& groupPath, const fs::path& typeFilePath) {
  if (!groupPath.empty() && groupPath != kHintPath) {
    files_.push_back(groupPath);
    for (fs::path& month : ExistingMonthFiles(groupPath)) files_.push_back(std::move(month));
  }
  if (!typeFilePath.empty() && typeFilePath != kHintPath) files_.push_back(typeFilePath);
}

bool ProtectedFiles::Protects(const fs::path& target) const {
  if (HasSchedulerFileName(target) || HasSchedulerFileName(FollowLinks(target))) return true;
  for (const fs::path& file : files_) {
    // Identity, not spelling: equivalent follows links and sees hard links;
    // a target that does not exist is no file of the run.
    std::error_code ec;
    if (fs::equivalent(target, file, ec) && !ec) return true;
  }
  return false;
}

std::string ProtectedTargetMessage(const fs::path& target) {
  const std::u8string utf8 = target.u8string();
  return Utf8ToCp932(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size())) +
         Utf8ToCp932(" は集計に使うファイルなので上書きできません。");
}

}  // namespace tallyer
