#include "tally/revision_chains.h"

#include <cstdint>
#include <optional>
#include <string>

#include "data/cp932.h"
#include "data/month_file.h"
#include "tally/tally_context.h"

namespace tallyer {
namespace {

class ChainResolver {
 public:
  ChainResolver(std::vector<CSchedule>& records, ChainIndex& chainIndex)
      : records_(records),
        chainIndex_(chainIndex),
        count_(static_cast<std::uint32_t>(records.size())),
        markedUpTo_(records.size(), 0),
        skip_(records.size(), kNone) {}

  // False for a faulty record, which is left as read.
  bool ResolveRecord(std::uint32_t position) {
    CSchedule& record = records_[position];
    const std::uint32_t link = record.link;
    if (link >= position && position != 0) return false;
    if ((record.Kind() == 1 || record.Kind() == 2) && link < count_) records_[link].superseded = true;
    const std::optional<std::uint32_t> root = FindRoot(link, position);
    if (!root) return true;  // the chain runs into a link naming no record
    record.link = *root;
    // Everything registered under the root is superseded; the values marked by
    // earlier revisions stay marked, so only the newer ones need a visit.
    const int key = static_cast<int>(*root);
    int pos = markedUpTo_[*root];
    for (int v = chainIndex_.Next(key, pos); v != -1; v = chainIndex_.Next(key, pos))
      records_[static_cast<std::size_t>(v)].superseded = true;
    markedUpTo_[*root] = pos;
    chainIndex_.Add(key, static_cast<int>(position));
    return true;
  }

 private:
  static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

  std::uint32_t Kind(std::uint32_t i) const { return records_[i].Kind(); }
  std::uint32_t Link(std::uint32_t i) const { return records_[i].link; }

  // The chain's root seen from `start`, or nothing when the search meets a
  // link naming no record. Every step the search takes moves to a later record
  // whose link no longer changes, so the steps are remembered (skip_) and a
  // later search jumps straight to where this one ended.
  std::optional<std::uint32_t> FindRoot(std::uint32_t start, std::uint32_t position) {
    if (start >= count_) return std::nullopt;
    if (Kind(start) == 0) return start;
    path_.clear();
    std::uint32_t i = start;
    std::optional<std::uint32_t> root;
    for (;;) {
      if (skip_[i] != kNone) {
        path_.push_back(i);
        i = skip_[i];
        continue;
      }
      const std::uint32_t j = Link(i);
      if (j == CSchedule::kNoLink) {
        root = i;
        break;
      }
      if (j >= count_) break;
      if (j >= Link(j) || Kind(j) == 0) {
        root = j;
        break;
      }
      // Only the first record of a month can start from a record not yet resolved.
      if (i != start || start < position) path_.push_back(i);
      i = j;
    }
    for (std::uint32_t x : path_) skip_[x] = i;
    return root;
  }

  std::vector<CSchedule>& records_;
  ChainIndex& chainIndex_;
  const std::uint32_t count_;
  std::vector<int> markedUpTo_;  // per root: its values already marked
  std::vector<std::uint32_t> skip_;
  std::vector<std::uint32_t> path_;
};

}  // namespace

std::optional<std::int32_t> ResolveChains(std::vector<CSchedule>& records, ChainIndex& chainIndex) {
  chainIndex.Clear();
  ChainResolver resolver(records, chainIndex);
  std::optional<std::int32_t> firstFaulty;
  for (std::size_t p = 0; p < records.size(); ++p) {
    if (records[p].Kind() == 0) continue;
    if (!resolver.ResolveRecord(static_cast<std::uint32_t>(p)) && !firstFaulty)
      firstFaulty = static_cast<std::int32_t>(p);
  }
  return firstFaulty;
}

std::optional<Problem> ResolveChains(CMonthFile& monthFile) {
  const std::optional<std::int32_t> faulty = ResolveChains(monthFile.Schedules(), monthFile.chainIndex);
  if (!faulty) return std::nullopt;
  return FaultyLinkProblem(*faulty, monthFile.Path());
}

Problem FaultyLinkProblem(std::int32_t position, const std::filesystem::path& monthFile) {
  return Problem{Utf8ToCp932("致命的なエラー'1'がインデックス" + std::to_string(position) +
                             "スケジュールで起きました。"),
                 MessageKind::kError, monthFile, 0, {}};
}

}  // namespace tallyer
