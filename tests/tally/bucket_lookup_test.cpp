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
  void Add(PooledText content, int minutes) {
    CSchedule s;
    s.start = At("2005-06-01 09:00");
    s.end = s.start.PlusDays(minutes / 1440.0);
    s.content = content;
    storage.push_back(s);
    result.schedules.push_back(&storage.back());
  }

  // "text count minutes" per bucket.
  std::vector<std::string> Rows() const {
    const Buckets<std::string> b = ContentBuckets(result);
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

TEST_F(BucketLookupTest, SameTextElsewhereAndTextsThatBeginAlike) {
  const std::string meeting = "meeting", other = "meeting", meet = "meet", empty, alsoEmpty;
  Add(meeting, 10);
  Add(meet, 20);
  Add(other, 30);  // "meeting" held by another string
  Add(meet, 40);
  Add(PooledText(), 1);  // the empty text, no storage at all
  Add(empty, 2);         // the empty text, held by a string
  Add(alsoEmpty, 3);
  Add(meeting, 50);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"meeting 3 90", "meet 2 60", " 3 6"}));
}

}  // namespace
}  // namespace tallyer
