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

// Loads the months a period touches into a context, one month at a time and
// one step at a time, so that the caller can show a busy cursor while each
// file is read and while its chains are resolved, and tell of a faulty link
// as soon as it is found:
//
//   PeriodLoader loader(context, firstDate, lastDate);  // clears the previous run
//   while (!loader.Done()) {
//     loader.ReadMonth();
//     if (auto problem = loader.ResolveMonth()) ...;
//     loader.TakeMonth();
//   }
//
// Each calendar month from the month of firstDate up to the month of the last
// day visited is loaded once, in calendar order. With more than one worker
// (context.workers), worker threads read and resolve the months ahead, each
// into its own month files and text pool; the caller still takes them in
// calendar order, so the run's schedules and problems are the same whatever
// the number of workers and the timing.
class PeriodLoader {
 public:
  PeriodLoader(TallyContext& context, const DateTime& firstDate, const DateTime& lastDate);
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
  // Appends its records to the run's schedules and moves to the next month.
  void TakeMonth();

 private:
  struct LoadedMonth {
    std::unique_ptr<CMonthFile> file;
    std::optional<Problem> problem;
  };
  // One worker thread: months w, w + n, w + 2n ... of the period, at most
  // kAhead of them read ahead of the caller.
  struct Worker {
    TextPool* texts = nullptr;  // owned by the context
    std::deque<LoadedMonth> ready;                  // in calendar order
    std::vector<std::unique_ptr<CMonthFile>> idle;  // taken, for reuse
    std::thread thread;
  };
  static constexpr std::size_t kAhead = 2;

  void StartWorkers(std::size_t count);
  void Work(std::size_t w);
  CMonthFile& Current();

  TallyContext& context_;
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
