#pragma once

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

namespace tallyer {

class TallyContext;

// Loads the months a period touches, one month at a time and one step at a
// time, so that the caller can show a busy cursor while each file is read and
// while its chains are resolved, and tell of a faulty link as soon as it is
// found:
//
//   PeriodLoader loader(context, firstDate, lastDate, mode);  // clears the previous run
//   while (!loader.Done()) {
//     loader.ReadMonth();
//     if (auto problem = loader.ResolveMonth()) ...;
//     ... loader.Records() ...                  // kOneAtATime: the caller takes them
//     loader.TakeMonth();
//   }
//
// Each calendar month from the month of firstDate up to the month of the last
// day visited is loaded once, in calendar order. kKeepAll appends every
// month's records to the context's schedules; kOneAtATime leaves them to the
// caller until TakeMonth, and their texts only live until then too, so that
// a run holds a few months at a time however long its period. With more than
// one worker (context.workers), worker threads read and resolve the months
// ahead; the caller still takes them in calendar order, so the run's
// schedules and problems are the same whatever the number of workers and
// the timing.
class PeriodLoader {
 public:
  enum class Mode { kKeepAll, kOneAtATime };
  PeriodLoader(TallyContext& context, const DateTime& firstDate, const DateTime& lastDate,
               Mode mode = Mode::kKeepAll);
  ~PeriodLoader();
  PeriodLoader(const PeriodLoader&) = delete;
  PeriodLoader& operator=(const PeriodLoader&) = delete;

  bool Done() const { return next_ >= months_.size(); }
  // Reads the next month's file (with workers: waits until a worker has read
  // and resolved it).
  void ReadMonth();
  // Resolves its revision chains; what the user is to be told of its first
  // faulty link, if it has one.
  std::optional<Problem> ResolveMonth();
  // The month's records (kOneAtATime: for the caller to take or read until TakeMonth).
  std::vector<CSchedule>& Records() { return Current().Schedules(); }
  // The first day of the month being loaded.
  const DateTime& Month() const { return months_[next_]; }
  // kKeepAll: appends its records to the run's schedules. Moves to the next month.
  void TakeMonth();
  // The months of the period: its first day, then the first day of each next month.
  std::size_t MonthCount() const { return months_.size(); }

 private:
  // A month file and, when the run keeps one month at a time, the pool of
  // its texts, cleared before each month it reads.
  struct MonthSlot {
    explicit MonthSlot(TextPool* shared) : file(shared != nullptr ? *shared : pool) {}
    TextPool pool;
    CMonthFile file;
  };
  struct LoadedMonth {
    std::unique_ptr<MonthSlot> slot;
    std::optional<Problem> problem;
  };
  // One worker thread: months w, w + n, w + 2n ... of the period, at most
  // kAhead of them read ahead of the caller.
  struct Worker {
    TextPool* texts = nullptr;  // kKeepAll: owned by the context
    std::deque<LoadedMonth> ready;                // in calendar order
    std::vector<std::unique_ptr<MonthSlot>> idle;  // taken, for reuse
    std::thread thread;
  };
  static constexpr std::size_t kAhead = 2;

  void StartWorkers(std::size_t count);
  void Work(std::size_t w);
  // Loads a month into a slot and resolves its chains.
  std::optional<Problem> Load(MonthSlot& slot, const DateTime& month) const;
  CMonthFile& Current();

  TallyContext& context_;
  Mode mode_;
  std::unique_ptr<MonthSlot> single_;  // kOneAtATime without workers
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
