// Content buckets found by the address of a pooled text must still be told
// apart by the text itself.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "support/archive_writer.h"
#include "tally/buckets.h"

namespace tallyer {
namespace {

using testing::At;

class BucketLookupTest : public ::testing::Test {
 protected:
  void Add(std::string_view content, int minutes) {
    CSchedule s;
    s.start = At("2005-06-01 09:00");
    s.end = s.start.PlusDays(minutes / 1440.0);
    s.content = content;
    storage.push_back(s);
    result.schedules.push_back(&storage.back());
  }

  // "text count minutes" per bucket.
  std::vector<std::string> Rows() const {
    const Buckets<std::string_view> b = ContentBuckets(result);
    std::vector<std::string> rows;
    for (int i = 0; i < b.Size(); ++i) {
      const auto at = static_cast<std::size_t>(i);
      rows.push_back(std::string(b.keys[at]) + " " + std::to_string(b.counts[at]) + " " +
                     std::to_string(b.minutes[at]));
    }
    return rows;
  }

  std::deque<CSchedule> storage;
  MemberResult result;
};

TEST_F(BucketLookupTest, SameAddressDifferentLengthAndSameTextElsewhere) {
  const std::string meeting = "meeting", other = "meeting", empty;
  const std::string_view view = meeting;
  Add(view, 10);
  Add(view.substr(0, 4), 20);  // "meet", at the address of "meeting"
  Add(other, 30);               // "meeting" at another address
  Add(view.substr(0, 4), 40);
  Add(std::string_view(), 1);
  Add(empty, 2);                // empty text at an address
  Add(view.substr(4, 0), 3);    // empty text inside "meeting"
  Add(view, 50);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"meeting 3 90", "meet 2 60", " 3 6"}));
}

}  // namespace
}  // namespace tallyer
