#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "data/date_time.h"
#include "data/problem.h"

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
// day visited is loaded once, in calendar order.
class PeriodLoader {
 public:
  PeriodLoader(TallyContext& context, const DateTime& firstDate, const DateTime& lastDate);

  bool Done() const { return next_ >= months_.size(); }
  // Reads the next month's file into the month file object.
  void ReadMonth();
  // Resolves its revision chains; what the user is to be told of its first
  // faulty link, if it has one.
  std::optional<Problem> ResolveMonth();
  // Appends its records to the run's schedules and moves to the next month.
  void TakeMonth();

 private:
  TallyContext& context_;
  std::vector<DateTime> months_;  // the first day of each month, in calendar order
  std::size_t next_ = 0;
  std::uintmax_t bytesLeft_ = 0;  // of the month files not yet taken
  bool reserved_ = false;
};

}  // namespace tallyer
