#include "tally/buckets.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "data/cp932.h"
#include "data/type_colors.h"
#include "support/archive_writer.h"

namespace tallyer {
namespace {

using testing::At;

class BucketsTest : public ::testing::Test {
 protected:
  // A schedule of `minutes` minutes from 09:00 with the given colour and content.
  void Add(std::uint32_t color, int minutes, PooledText content = {}) {
    CSchedule s;
    s.start = At("2005-06-01 09:00");
    s.end = s.start.PlusDays(minutes / 1440.0);
    s.color = color;
    s.content = content;
    storage.push_back(s);
    result.schedules.push_back(&storage.back());
  }
  static CTypeColors Types(std::vector<std::uint32_t> colors) {
    CTypeColors t;
    for (std::size_t i = 0; i < colors.size(); ++i) t.names.push_back("type" + std::to_string(i));
    t.colors = std::move(colors);
    return t;
  }

  std::deque<CSchedule> storage;
  MemberResult result;
};

TEST_F(BucketsTest, ColoursWithoutTableAreAscending) {
  Add(0x0000FF, 30);
  Add(0xFF0000, 20);
  Add(0x0000FF, 10);
  Add(0x00FF00, 0);
  const auto b = ColorBuckets(result, nullptr);
  EXPECT_EQ(b.keys, (std::vector<std::uint32_t>{0x0000FF, 0x00FF00, 0xFF0000}));
  EXPECT_EQ(b.minutes, (std::vector<long long>{40, 0, 20}));
  EXPECT_EQ(b.counts, (std::vector<int>{2, 1, 1}));
}

TEST_F(BucketsTest, NoSchedulesNoTableNoBuckets) {
  EXPECT_EQ(ColorBuckets(result, nullptr).Size(), 0);
  EXPECT_EQ(ContentBuckets(result).Size(), 0);
}

TEST_F(BucketsTest, TableColoursComeFirstInTableOrderEvenWhenUnused) {
  const CTypeColors types = Types({0x00FFFF, 0x000001, 0x00FF00});
  const auto empty = ColorBuckets(result, &types);
  EXPECT_EQ(empty.keys, (std::vector<std::uint32_t>{0x00FFFF, 0x000001, 0x00FF00}));
  EXPECT_EQ(empty.minutes, (std::vector<long long>{0, 0, 0}));
  EXPECT_EQ(empty.counts, (std::vector<int>{0, 0, 0}));

  Add(0x00FF00, 15);
  Add(0x0000AA, 5);  // not in the table
  Add(0x000002, 7);  // not in the table, smaller
  Add(0x00FF00, 15);
  const auto b = ColorBuckets(result, &types);
  EXPECT_EQ(b.keys, (std::vector<std::uint32_t>{0x00FFFF, 0x000001, 0x00FF00, 0x000002, 0x0000AA}));
  EXPECT_EQ(b.minutes, (std::vector<long long>{0, 0, 30, 7, 5}));
  EXPECT_EQ(b.counts, (std::vector<int>{0, 0, 2, 1, 1}));
}

TEST_F(BucketsTest, DuplicateTableColourKeepsBothBucketsAndFillsTheFirst) {
  const CTypeColors types = Types({0x000010, 0x000020, 0x000010});
  Add(0x000010, 45);
  Add(0x000010, 15);
  const auto b = ColorBuckets(result, &types);
  EXPECT_EQ(b.keys, (std::vector<std::uint32_t>{0x000010, 0x000020, 0x000010}));
  EXPECT_EQ(b.minutes, (std::vector<long long>{60, 0, 0}));
  EXPECT_EQ(b.counts, (std::vector<int>{2, 0, 0}));
}

TEST_F(BucketsTest, EmptyTableGivesTheSameBucketsAsNoTable) {
  const CTypeColors types = Types({});
  Add(0xFF0000, 10);
  Add(0x0000FF, 20);
  const auto withTable = ColorBuckets(result, &types);
  const auto without = ColorBuckets(result, nullptr);
  EXPECT_EQ(withTable.keys, without.keys);
  EXPECT_EQ(withTable.minutes, without.minutes);
  EXPECT_EQ(withTable.counts, without.counts);
}

TEST_F(BucketsTest, ZeroLengthSchedulesCountButAddNoMinutes) {
  const std::string a = "a";
  Add(0x000001, 0, a);
  const auto colors = ColorBuckets(result, nullptr);
  EXPECT_EQ(colors.counts, (std::vector<int>{1}));
  EXPECT_EQ(colors.minutes, (std::vector<long long>{0}));
  EXPECT_EQ(ContentBuckets(result).counts, (std::vector<int>{1}));
}

TEST_F(BucketsTest, ContentsInOrderOfFirstOccurrenceAsStored) {
  const std::string meeting = Utf8ToCp932("会議"), out = Utf8ToCp932("外出");
  const std::string wide = Utf8ToCp932("ＡＢＣ");
  const std::string meetingCopy = meeting;  // equal text, other storage
  const std::string abc = "abc", empty;
  Add(1, 60, meeting);
  Add(1, 30, out);
  Add(2, 15, meetingCopy);
  Add(1, 5, PooledText());  // the empty text, no storage at all
  Add(1, 1, wide);
  Add(1, 2, abc);
  Add(1, 3, empty);  // the empty text again, held by a string
  Add(3, 4, meeting);
  const auto b = ContentBuckets(result);
  EXPECT_EQ(b.keys, (std::vector<std::string>{meeting, out, "", wide, "abc"}));
  EXPECT_EQ(b.minutes, (std::vector<long long>{79, 30, 8, 1, 2}));
  EXPECT_EQ(b.counts, (std::vector<int>{3, 1, 2, 1, 1}));
}

}  // namespace
}  // namespace tallyer
