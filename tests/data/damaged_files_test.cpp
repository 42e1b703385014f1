// Damaged group and month files: cut at every byte, or holding absurd counts and
// lengths. They must end in the usual message or in fewer records, never in a
// crash, a hang or an allocation larger than the file.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "data/cp932.h"
#include "data/group.h"
#include "data/month_file.h"
#include "run/diagnostic_log.h"
#include "support/archive_writer.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"

namespace {

// The largest single allocation while a watch is on. Requests beyond any
// reasonable size fail at once in every test of this program, so that a reader
// that trusts a damaged length fails its test instead of exhausting the machine.
std::atomic<bool> watching{false};
std::atomic<std::size_t> largest{0};
constexpr std::size_t kRefused = std::size_t{1} << 28;

void* Allocate(std::size_t n) {
  if (n >= kRefused) throw std::bad_alloc();
  if (watching.load(std::memory_order_relaxed)) {
    std::size_t seen = largest.load(std::memory_order_relaxed);
    while (n > seen && !largest.compare_exchange_weak(seen, n)) {
    }
  }
  if (void* p = std::malloc(n == 0 ? 1 : n)) return p;
  throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t n) { return Allocate(n); }
void* operator new[](std::size_t n) { return Allocate(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace tallyer {
namespace {

using testing::ArchiveWriter;
using testing::GroupFileBuilder;
using testing::MemberRecord;
using testing::MonthFileBuilder;
using testing::RecordingUi;
using testing::ScheduleRecord;
using testing::TempDir;

// Everything the readers may allocate for a small damaged file stays below this.
constexpr std::size_t kAllocationBound = 1 << 20;

class AllocationWatch {
 public:
  AllocationWatch() {
    largest = 0;
    watching = true;
  }
  ~AllocationWatch() { watching = false; }
  std::size_t Largest() const { return largest; }
};

class DamagedFileTest : public ::testing::Test {
 protected:
  // Reads the bytes as a group file; the number of members kept.
  int ReadGroup(const std::string& bytes) {
    ui_.messages.clear();
    testing::WriteBytes(groupPath_, bytes);
    AllocationWatch watch;
    group_.ReadFile(groupPath_);
    EXPECT_LT(watch.Largest(), kAllocationBound);
    EXPECT_EQ(ui_.busyDepth, 0);
    return group_.Count();
  }

  int LoadMonth(const std::string& bytes) {
    testing::WriteBytes(monthFile_.Path(), bytes);
    const std::size_t messages = ui_.messages.size();
    AllocationWatch watch;
    monthFile_.Load();
    EXPECT_LT(watch.Largest(), kAllocationBound);
    EXPECT_EQ(ui_.messages.size(), messages);  // a month file never shows a message
    return monthFile_.Count();
  }

  void ExpectMalformed() {
    ASSERT_EQ(ui_.messages.size(), 1u);
    EXPECT_EQ(ui_.messages[0].text, Utf8ToCp932("ファイルの形式が正しくありません。"));
  }

  void SetUp() override {
    monthFile_.SetGroup(&group_);
    group_.SetMonthFile(&monthFile_);
    group_.SetPath(groupPath_);
    monthFile_.SetMonth(DateTime::FromParts(2005, 6, 1));
  }

  TempDir dir_;
  std::filesystem::path groupPath_ = dir_ / "team.group";
  RecordingUi ui_;
  TextPool pool_;
  DiagnosticLog log_{dir_ / "zanbo.log"};
  CGroup group_{ui_, log_};
  CMonthFile monthFile_{ui_, pool_};
};

TEST_F(DamagedFileTest, GroupCutAtEveryByteKeepsTheMembersBeforeTheCut) {
  GroupFileBuilder builder;
  builder.Name(Utf8ToCp932("開発"))
      .GroupStrings({"note", "x"})
      .GroupWords({315u << 16, 1})
      .StringCount(7)
      .WordCount(2)
      .Add(MemberRecord{.name = "A", .key = "a", .extraStrings = {"extra"}, .extraWords = {5}})
      .Add("B", "b", CMember::kDeleted)
      .Add(MemberRecord{.name = "C", .key = "c", .text6 = std::string(300, 'x')})
      .Add("D", "d");
  const std::string bytes = builder.Build();
  const std::size_t ends[] = {builder.MemberOffset(1), builder.MemberOffset(2), builder.MemberOffset(3),
                              builder.MemberOffset(4)};
  ASSERT_EQ(ends[3], bytes.size());
  for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
    // Complete members before the cut, the deleted B never counting.
    const int expected = (cut >= ends[0]) + (cut >= ends[2]);
    ASSERT_EQ(ReadGroup(bytes.substr(0, cut)), expected) << "cut at " << cut;
    ExpectMalformed();
  }
  EXPECT_EQ(ReadGroup(bytes), 3);
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(DamagedFileTest, AbsurdGroupCountsEndInTheMalformedMessage) {
  const std::uint32_t kHuge = 0xFFFFFFFF;
  const GroupFileBuilder base = GroupFileBuilder().Add("A", "a").Add("B", "b");
  const std::string cases[] = {
      GroupFileBuilder(base).MemberCount(kHuge).Build(),
      GroupFileBuilder(base).StringCount(kHuge).ExactRecords().Build(),
      GroupFileBuilder(base).WordCount(kHuge).ExactRecords().Build(),
      GroupFileBuilder(base).GroupStringCount(kHuge).Build(),
      GroupFileBuilder(base).GroupWordCount(kHuge).Build(),
      GroupFileBuilder(base).GroupStringCount(kHuge).GroupWordCount(kHuge).MemberCount(kHuge).Build(),
      // A name claiming 0xFFFFFFF0 bytes, then a wide name claiming 0x7FFFFFFF units.
      ArchiveWriter().U32(0).Length(0xFFFFFFF0u).Raw(std::string(64, 'n')).Bytes(),
      ArchiveWriter().U32(0).U8(0xFF).U16(0xFFFE).Length(0x7FFFFFFFu).Raw("ab").Bytes(),
      // A member whose key claims 65533 bytes in a file of a few dozen.
      ArchiveWriter().U32(0).String("g").U32(1).U32(3).U32(1).U32(0).U32(0).String("n").Length(65533).Bytes(),
      // Two wide markers in a row.
      ArchiveWriter().U32(0).U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFE).U8(1).U16('x').Bytes(),
  };
  for (const std::string& bytes : cases) {
    ReadGroup(bytes);
    ExpectMalformed();
  }
  // With M huge the members in the file are still kept.
  EXPECT_EQ(ReadGroup(GroupFileBuilder(base).MemberCount(kHuge).Build()), 2);
}

TEST_F(DamagedFileTest, MonthCutAtEveryByteLosesOnlyTheIncompleteRecord) {
  MonthFileBuilder builder;
  builder.Add(ScheduleRecord{.start = testing::At("2005-06-01 09:00"), .content = "a", .memberKey = "k"})
      .Add(ScheduleRecord{.content = std::string(300, 'c'), .extraWords = {1, 2}, .extraStrings = {"s"}})
      .Add(ScheduleRecord{.memberKey = "z", .wordCount = 0, .stringCount = 0});
  const std::string bytes = builder.Build();
  for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
    const int expected = (cut >= builder.EndOf(0)) + (cut >= builder.EndOf(1)) + (cut >= builder.EndOf(2));
    ASSERT_EQ(LoadMonth(bytes.substr(0, cut)), expected) << "cut at " << cut;
  }
}

TEST_F(DamagedFileTest, AbsurdMonthCountsAndLengthsEndTheRecords) {
  const std::string good = MonthFileBuilder().Add(ScheduleRecord{.content = "ok"}).Build();
  ArchiveWriter head;  // a record up to its strings, with the largest counts
  head.U32(0).U32(0xFFFFFFFF).U32(0).Date(0, 0).Date(0, 0).Date(0, 0).U32(0).U32(0);
  const std::string cases[] = {
      good + head.Bytes() + std::string(100, '\0'),
      good + MonthFileBuilder().Add(ScheduleRecord{.stringCount = 0xFFFF}).Build().substr(0, 80),
      good + ArchiveWriter(head).Raw(std::string(4 * 0xFFFD, '\0')).Length(0xFFFFFFF0u).Raw("abc").Bytes(),
      good + ArchiveWriter().U32(0).U32(2 | 3 << 16).U32(0).Date(0, 0).Date(0, 0).Date(0, 0).U32(0).U32(0)
                 .U8(0xFF).U16(0xFFFE).Length(0xFFFFFFFFu).Raw("xy").Bytes(),
  };
  for (const std::string& bytes : cases) {
    ASSERT_EQ(LoadMonth(bytes), 1);
    EXPECT_EQ(monthFile_.Item(0).content, "ok");
  }
}

TEST_F(DamagedFileTest, RandomBytesNeverBreakTheReaders) {
  // A fixed pseudo-random sequence, so that every run checks the same inputs.
  std::uint32_t state = 12345;
  auto next = [&] {
    state = state * 1103515245u + 12345u;
    return static_cast<unsigned char>(state >> 16);
  };
  const std::string valid = GroupFileBuilder().Add("A", "a").Add("B", "b").Build();
  for (int round = 0; round < 300; ++round) {
    std::string bytes = valid;
    for (int k = 0; k < 3; ++k) bytes[next() % bytes.size()] = static_cast<char>(next());
    ReadGroup(bytes);
    EXPECT_LE(ui_.messages.size(), 1u);
    LoadMonth(bytes + bytes);
  }
}

}  // namespace
}  // namespace tallyer
