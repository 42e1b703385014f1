#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "data/date_time.h"
#include "data/month_file.h"
#include "data/problem.h"
#include "data/text_pool.h"
#include "tally/member_result.h"
#include "tally/month_filter.h"

namespace tallyer {

class TallyContext;

// Loads the months a period touches, one month at a time and one step at a
// time, so that the caller can show a busy cursor while each file is read and
// while its chains are resolved, and tell of a faulty link as soon as it is
// found:
//
//   PeriodLoader loader(context, firstDate, lastDate[, &filter]);  // clears the previous run
//   while (!loader.Done()) {
//     loader.ReadMonth();
//     if (auto problem = loader.ResolveMonth()) ...;
//     ... loader.Results() ...                  // with a filter
//     loader.TakeMonth();
//   }
//
// Each calendar month from the month of firstDate up to the month of the last
// day visited is loaded once, in calendar order. Without a filter every
// month's records are appended to the context's schedules. With one, each
// month's records are filtered and split by member as soon as they are read,
// and left to the caller until TakeMonth, so that a run holds a few months at
// a time however long its period. With more than one worker
// (context.workers), worker threads read, resolve and filter the months
// ahead; the caller still takes them in calendar order, so the run's
// schedules and problems are the same whatever the number of workers and
// the timing.
class PeriodLoader {
 public:
  // `filter`, when given, must outlive the loader.
  PeriodLoader(TallyContext& context, const DateTime& firstDate, const DateTime& lastDate,
               const MonthFilter* filter = nullptr);
  ~PeriodLoader();
  PeriodLoader(const PeriodLoader&) = delete;
  PeriodLoader& operator=(const PeriodLoader&) = delete;

  bool Done() const { return next_ >= months_.size(); }
  // Reads the next month's file (with workers: waits until a worker has read
  // and resolved it).
  void ReadMonth();
  // Resolves its revision chains (and filters it); what the user is to be
  // told of its first faulty link, if it has one.
  std::optional<Problem> ResolveMonth();
  // With a filter: the month's schedules by listed member, until TakeMonth.
  const std::vector<MemberResult>& Results() { return Current().results; }
  // With a filter that sums: the month's sums, until TakeMonth.
  const MonthSums& Sums() { return Current().sums; }
  // With a filter: whether texts of months taken before this one may have
  // been freed, so that their addresses must no longer be trusted.
  bool TextsRenewed() const;
  // The first day of the month being loaded.
  const DateTime& Month() const { return months_[next_]; }
  // Without a filter: appends its records to the run's schedules. Moves to the next month.
  void TakeMonth();
  // The months of the period: its first day, then the first day of each next month.
  std::size_t MonthCount() const { return months_.size(); }

 private:
  // A month file, with a filter its schedules by member, and the pool of its
  // texts when the records are not kept (`shared` otherwise).
  struct MonthSlot {
    explicit MonthSlot(TextPool* shared) : file(shared != nullptr ? *shared : pool) {}
    TextPool pool;
    CMonthFile file;
    std::vector<MemberResult> results;
    MonthSums sums;
    std::uint64_t clears = 0;
    std::size_t id = 0;  // its place in its worker's turns  // texts freed by the loader when it was read
  };
  struct LoadedMonth {
    std::unique_ptr<MonthSlot> slot;
    std::optional<Problem> problem;
  };
  // A slot's pool is emptied when it holds more texts than this: damaged
  // files can make every text new, and months mostly repeat the same texts.
  static constexpr std::size_t kMostTexts = 1 << 14;
  // One worker thread: months w, w + n, w + 2n ... of the period, at most
  // kAhead of them read ahead of the caller, in at most kSlots slots (one
  // being the caller's), so that a run's memory does not depend on timing.
  struct Worker {
    TextPool* texts = nullptr;  // without a filter: owned by the context
    std::deque<LoadedMonth> ready;                 // in calendar order
    std::vector<std::unique_ptr<MonthSlot>> idle;  // taken, for reuse
    std::size_t made = 0;                          // slots made so far
    std::thread thread;
  };
  static constexpr std::size_t kAhead = 1;
  static constexpr std::size_t kSlots = 2;

  void StartWorkers(std::size_t count);
  void Work(std::size_t w);
  // Reads a month into a slot (emptying its pool when it has grown too large).
  void Read(MonthSlot& slot, const DateTime& month);
  // Resolves its chains and, with a filter, filters it.
  std::optional<Problem> Resolve(MonthSlot& slot) const;
  MonthSlot& Current();

  TallyContext& context_;
  const MonthFilter* filter_;
  std::unique_ptr<MonthSlot> single_;  // without workers
  std::atomic<std::uint64_t> clears_{0};  // pools emptied so far
  std::uint64_t seenClears_ = 0;          // as of the last month taken
  std::vector<DateTime> months_;  // the first day of each month, in calendar order
  std::size_t next_ = 0;
  std::uintmax_t bytesLeft_ = 0;  // of the month files not yet taken
  bool reserved_ = false;

  std::vector<Worker> workers_;  // none: the caller's thread does the work
  std::optional<LoadedMonth> current_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool stopping_ = false;
};

// How many workers a run uses: as many as cores, at most a handful.
std::size_t DefaultWorkerCount();

}  // namespace tallyer
