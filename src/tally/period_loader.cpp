#include "tally/period_loader.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <system_error>
#include <thread>

#include "tally/day_walk.h"
#include "tally/page_advice.h"
#include "tally/tally_context.h"

namespace tallyer {
namespace {

// The size of a file, 0 when it cannot be read.
std::uintmax_t FileBytes(const std::filesystem::path& path) {
  std::error_code ec;
  const std::uintmax_t bytes = std::filesystem::file_size(path, ec);
  return ec ? 0 : bytes;
}

// The bytes of the month files of the period (the month file object is left
// pointing at the last of them; every load sets its month anew).
std::uintmax_t PeriodBytes(CMonthFile& monthFile, const std::vector<DateTime>& months) {
  std::uintmax_t total = 0;
  for (const DateTime& month : months) {
    monthFile.SetMonth(month);
    total += FileBytes(monthFile.Path());
  }
  return total;
}

// The first day of each month the period touches, in calendar order.
std::vector<DateTime> PeriodMonths(const DateTime& firstDate, const DateTime& lastDate) {
  std::vector<DateTime> months;
  CalendarParts listed;  // no month yet, so the first day always starts one
  listed.year = -2;
  ForEachPeriodDay(firstDate, lastDate, [&](const DateTime& cursor) {
    const CalendarParts day = cursor.Parts();
    if (day.year == listed.year && day.month == listed.month) return;
    listed = day;
    months.push_back(cursor);
  });
  return months;
}

// Reserves the run's schedule list once, from the size of the period's month
// files and the record size of the first month read: years of months would
// otherwise make the list grow, copy and fault in its records several times
// over. A file holds at most one record per 59 bytes, which bounds the guess
// whatever the files contain; a list that outgrows it simply grows.
bool ReserveOnce(std::vector<CSchedule>& list, std::size_t records, std::uintmax_t bytes,
                 std::uintmax_t left) {
  if (records == 0 || bytes == 0) return false;
  constexpr std::uintmax_t kSmallestRecord = 59;
  const double perByte = static_cast<double>(records) / static_cast<double>(bytes);
  const std::uintmax_t bound = left / kSmallestRecord;
  // A tenth more than the first month's density foretells, for months that run fuller.
  // Capped before the conversion: a file cut short after it was read can make the density absurd.
  const auto guess = static_cast<std::uintmax_t>(
      std::min(static_cast<double>(left) * perByte * 1.1, static_cast<double>(bound)));
  list.reserve(list.size() +
               static_cast<std::size_t>(std::min(std::max<std::uintmax_t>(guess, records), bound)));
  AdviseHugePages(list.data(), list.capacity() * sizeof(CSchedule));
  return true;
}

}  // namespace

std::size_t DefaultWorkerCount() {
  constexpr std::size_t kMost = 4;
  const std::size_t cores = std::thread::hardware_concurrency();
  return std::clamp<std::size_t>(cores, 1, kMost);
}

PeriodLoader::PeriodLoader(TallyContext& context, const DateTime& firstDate, const DateTime& lastDate,
                           const MonthFilter* filter)
    : context_(context), filter_(filter), months_(PeriodMonths(firstDate, lastDate)) {
  context_.ClearRun();
  if (filter_ == nullptr) bytesLeft_ = PeriodBytes(context_.monthFile, months_);
  // A month or two gain nothing from threads.
  const std::size_t count = std::min(context_.workers, months_.size());
  if (count > 1) {
    StartWorkers(count);
  } else {
    single_ = std::make_unique<MonthSlot>(filter_ == nullptr ? &context_.texts : nullptr);
    single_->file.SetGroup(&context_.group);
  }
}

PeriodLoader::~PeriodLoader() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  for (Worker& worker : workers_) worker.thread.join();
}

void PeriodLoader::StartWorkers(std::size_t count) {
  workers_.resize(count);
  for (Worker& worker : workers_) {
    // Kept records point into the pool of the worker that read them, which
    // lives as long as the run's schedules.
    if (filter_ != nullptr) continue;
    context_.workerTexts.push_back(std::make_unique<TextPool>());
    worker.texts = context_.workerTexts.back().get();
  }
  for (std::size_t w = 0; w < count; ++w) workers_[w].thread = std::thread([this, w] { Work(w); });
}

void PeriodLoader::Work(std::size_t w) {
  Worker& worker = workers_[w];
  // The slots take turns, so that a run uses as many of them, and as much
  // memory, whatever the timing.
  std::size_t turn = 0;
  for (std::size_t m = w; m < months_.size(); m += workers_.size(), ++turn) {
    const std::size_t wanted = turn % kSlots;
    std::unique_ptr<MonthSlot> slot;
    {
      std::unique_lock lock(mutex_);
      const auto idle = [&] {
        return std::find_if(worker.idle.begin(), worker.idle.end(),
                            [&](const std::unique_ptr<MonthSlot>& s) { return s->id == wanted; });
      };
      changed_.wait(lock, [&] {
        return stopping_ || (worker.ready.size() < kAhead && (worker.made == wanted || idle() != worker.idle.end()));
      });
      if (stopping_) return;
      if (worker.made == wanted) {
        ++worker.made;
      } else {
        const auto it = idle();
        slot = std::move(*it);
        worker.idle.erase(it);
      }
    }
    if (!slot) {
      slot = std::make_unique<MonthSlot>(worker.texts);
      slot->id = wanted;
      slot->file.SetGroup(&context_.group);
    }
    Read(*slot, months_[m]);
    std::optional<Problem> problem = Resolve(*slot);
    LoadedMonth loaded{std::move(slot), std::move(problem)};
    {
      const std::lock_guard lock(mutex_);
      worker.ready.push_back(std::move(loaded));
    }
    changed_.notify_all();
  }
}

void PeriodLoader::Read(MonthSlot& slot, const DateTime& month) {
  // The slot's records of its previous month were taken before it came back.
  if (filter_ != nullptr && slot.pool.Size() > kMostTexts) {
    slot.pool.Clear();
    clears_.fetch_add(1);
  }
  slot.file.SetMonth(month);
  slot.file.Load();
  slot.clears = clears_.load();
}

std::optional<Problem> PeriodLoader::Resolve(MonthSlot& slot) const {
  std::optional<Problem> problem = ResolveChains(slot.file);
  if (filter_ != nullptr) filter_->Apply(slot.file.Schedules(), slot.results, slot.sums);
  return problem;
}

PeriodLoader::MonthSlot& PeriodLoader::Current() { return workers_.empty() ? *single_ : *current_->slot; }

bool PeriodLoader::TextsRenewed() const {
  const MonthSlot& slot = workers_.empty() ? *single_ : *current_->slot;
  return slot.clears != seenClears_;
}

void PeriodLoader::ReadMonth() {
  if (workers_.empty()) {
    Read(*single_, months_[next_]);
    return;
  }
  Worker& worker = workers_[next_ % workers_.size()];
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return !worker.ready.empty(); });
  current_ = std::move(worker.ready.front());
  worker.ready.pop_front();
  lock.unlock();
  changed_.notify_all();
}

std::optional<Problem> PeriodLoader::ResolveMonth() {
  if (workers_.empty()) return Resolve(*single_);
  return std::move(current_->problem);
}

void PeriodLoader::TakeMonth() {
  MonthSlot& slot = Current();
  if (filter_ == nullptr) {
    std::vector<CSchedule>& records = slot.file.Schedules();
    const std::uintmax_t bytes = FileBytes(slot.file.Path());
    if (!reserved_) reserved_ = ReserveOnce(context_.schedules, records.size(), bytes, bytesLeft_);
    bytesLeft_ -= std::min(bytesLeft_, bytes);
    context_.schedules.insert(context_.schedules.end(), std::make_move_iterator(records.begin()),
                              std::make_move_iterator(records.end()));
  }
  seenClears_ = slot.clears;
  for (MemberResult& r : slot.results) r.schedules.clear();
  slot.file.Clear();
  if (!workers_.empty()) {
    // Back to its worker, for a later month.
    Worker& worker = workers_[next_ % workers_.size()];
    const std::lock_guard lock(mutex_);
    worker.idle.push_back(std::move(current_->slot));
    current_.reset();
  }
  ++next_;
}

}  // namespace tallyer
