// Damaged group and month files: cut at every byte, or holding absurd counts and
// lengths. They must end in the usual message or in fewer records, never in a
// crash, a hang or an allocation larger than the file.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <new>
#include <string>
#include <thread>

#include "data/cp932.h"
#include "data/group.h"
#include "data/month_file.h"
#include "run/diagnostic_log.h"
#include "run/group_loading.h"
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
    ReadGroupFile(group_, groupPath_, ui_, log_);
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
  CGroup group_;
  CMonthFile monthFile_{pool_};
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

// The largest length a prefix can claim, in the 0xFF 0xFFFF u32 form, narrow
// or after the wide marker, followed by a few bytes where the text would be.
std::string HugeText(bool wide) {
  ArchiveWriter w;
  if (wide) w.U8(0xFF).U16(0xFFFE);
  return std::move(w.U8(0xFF).U16(0xFFFF).U32(0xFFFFFFFFu).Raw("abcd")).Bytes();
}

TEST_F(DamagedFileTest, LargestStringLengthInEveryGroupStringEndsInTheMalformedMessage) {
  // Header up to the counts; M members, S strings, W words, GS group strings.
  auto head = [](const std::string& name, std::uint32_t m, std::uint32_t s, std::uint32_t gs) {
    return ArchiveWriter().U32(0).Raw(name).U32(m).U32(s).U32(1).U32(gs).U32(0);
  };
  for (const bool wide : {false, true}) {
    const std::string x = HugeText(wide);
    const std::string cases[] = {
        head(x, 1, 3, 0).Bytes(),                                         // the group name
        head("\x01g", 0, 3, 1).Raw(x).Bytes(),                            // the group note
        head("\x01g", 0, 3, 2).String("note").Raw(x).Bytes(),            // a group string read past
        head("\x01g", 1, 3, 0).String("A").Raw(x).Bytes(),               // a member key
        head("\x01g", 1, 7, 0).String("A").String("a").Raw(std::string(4, '\0')).Raw(x).Bytes(),
    };
    for (const std::string& bytes : cases) {
      SCOPED_TRACE(::testing::Message() << "wide " << wide << ", " << bytes.size() << " bytes");
      EXPECT_EQ(ReadGroup(bytes), 0);
      ExpectMalformed();
    }
  }
}

// A record up to its strings: lead word, layout (N words, T strings), kind,
// three date-times, colour and link.
ArchiveWriter RecordHead(std::uint32_t words, std::uint32_t strings) {
  ArchiveWriter w;
  w.U32(0).U32(words | strings << 16).U32(0).Date(0, 38504.375).Date(0, 38504.5).Date(0, 0).U32(0).U32(0xFFFFFFFF);
  return w;
}

TEST_F(DamagedFileTest, LargestStringLengthOrTwoWideMarkersEndTheMonthRecords) {
  const std::string good = MonthFileBuilder().Add(ScheduleRecord{.content = "ok"}).Build();
  const std::string twoMarkers = ArchiveWriter().U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFE).U8(1).U16('x').Bytes();
  for (const std::string& x : {HugeText(false), HugeText(true), twoMarkers}) {
    const std::string cases[] = {
        RecordHead(2, 3).Raw(x).Bytes(),                                 // the content
        RecordHead(2, 3).String("c").Raw(x).Bytes(),                     // the member key
        RecordHead(2, 5).String("c").String("k").Raw(x).Bytes(),         // a text read past
        RecordHead(2, 9).String("c").String("k").Raw(std::string(5, '\0')).Raw(x).Bytes(),
    };
    for (const std::string& bytes : cases) {
      SCOPED_TRACE(::testing::Message() << bytes.size() << " bytes");
      ASSERT_EQ(LoadMonth(good + bytes + good), 1);
      EXPECT_EQ(monthFile_.Item(0).content, "ok");
    }
  }
}

TEST_F(DamagedFileTest, GroupOfWideTextsCutAtEveryByteKeepsTheMembersBeforeTheCut) {
  ArchiveWriter w;
  w.U32(0).WideUtf8("開発").U32(2).U32(3).U32(1).U32(1).U32(0).WideUtf8("メモ");
  // text3 in the long form the shortest writer never uses.
  w.WideUtf8("田中").WideUtf8("tanaka").U8(0xFF).U16(0xFFFF).U32(2).Raw("t3").U32(0);
  const std::size_t secondMember = w.Size();
  // A wide name in the long form: "鈴木" as two UTF-16 units.
  w.U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFF).U32(2).U16(0x9234).U16(0x6728).String("k2").String("").U32(0);
  const std::string bytes = w.Bytes();
  for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
    const int expected = cut >= secondMember;
    ASSERT_EQ(ReadGroup(bytes.substr(0, cut)), expected) << "cut at " << cut << " of " << bytes.size();
    ExpectMalformed();
  }
  ASSERT_EQ(ReadGroup(bytes), 2);
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(group_.name, Utf8ToCp932("開発"));
  EXPECT_EQ(group_.groupNote, Utf8ToCp932("メモ"));
  EXPECT_EQ(group_.Item(0).name, Utf8ToCp932("田中"));
  EXPECT_EQ(group_.Item(0).text3, "t3");
  EXPECT_EQ(group_.Item(1).name, Utf8ToCp932("鈴木"));
  EXPECT_EQ(group_.Item(1).key, "k2");
}

TEST_F(DamagedFileTest, MonthBeingAppendedKeepsEveryCompleteRecordWhereverTheCutFalls) {
  // Wide texts, the long length forms and extra counts: a cut inside a
  // marker, a length, a date-time or the counts drops that record only.
  ArchiveWriter w;
  std::vector<std::size_t> ends;
  w.Raw(RecordHead(2, 3).WideUtf8("会議").WideUtf8("k1").String("").Bytes());
  ends.push_back(w.Size());
  w.Raw(RecordHead(4, 6).U32(7).U32(8).U8(0xFF).U16(0xFFFF).U32(1).Raw("c").U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFF)
            .U32(2).U16('k').U16('2').WideUtf8("三").String("").String("").WideUtf8("六").Bytes());
  ends.push_back(w.Size());
  w.Raw(RecordHead(2, 3).String("c3").String("k3").WideUtf8("").Bytes());
  ends.push_back(w.Size());
  const std::string bytes = w.Bytes();
  for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
    const int expected = (cut >= ends[0]) + (cut >= ends[1]) + (cut >= ends[2]);
    ASSERT_EQ(LoadMonth(bytes.substr(0, cut)), expected) << "cut at " << cut;
  }
  EXPECT_EQ(monthFile_.Item(0).content, Utf8ToCp932("会議"));
  EXPECT_EQ(monthFile_.Item(0).memberKey, "k1");
  EXPECT_EQ(monthFile_.Item(1).content, "c");
  EXPECT_EQ(monthFile_.Item(1).memberKey, "k2");
  EXPECT_EQ(monthFile_.Item(2).memberKey, "k3");
}

TEST_F(DamagedFileTest, MonthLoadedWhileAnotherWriterAppendsGivesACompletePrefixOfItsRecords) {
  // The scheduler appending while we read: every load, wherever the writer is,
  // must give the records written so far in order and intact, and no others.
  MonthFileBuilder builder;
  constexpr int kRecords = 3000;
  for (int i = 0; i < kRecords; ++i) {
    builder.Add(ScheduleRecord{.start = testing::At("2005-06-01 09:00"),
                               .content = std::string(static_cast<std::size_t>(i % 300), 'c'),
                               .memberKey = std::to_string(i),
                               .extraStrings = {std::string(static_cast<std::size_t>(i % 7), 'x')}});
  }
  const std::string bytes = builder.Build();
  const std::size_t firstPart = builder.EndOf(9) + 5;  // ten records and a piece of the next
  testing::WriteBytes(monthFile_.Path(), bytes.substr(0, firstPart));

  std::atomic<bool> done{false};
  std::thread writer([&] {
    std::ofstream out(monthFile_.Path(), std::ios::binary | std::ios::app);
    for (std::size_t at = firstPart; at < bytes.size(); at += 777) {
      out.write(bytes.data() + at, static_cast<std::streamsize>(std::min<std::size_t>(777, bytes.size() - at)));
      out.flush();
    }
    done = true;
  });
  auto expectPrefix = [&] {
    monthFile_.Clear();
    pool_.Clear();
    monthFile_.Load();
    ASSERT_GE(monthFile_.Count(), 10);
    for (int i = 0; i < monthFile_.Count(); ++i) {
      ASSERT_EQ(monthFile_.Item(i).memberKey.View(), std::to_string(i));
      ASSERT_EQ(monthFile_.Item(i).content.View().size(), static_cast<std::size_t>(i % 300));
    }
  };
  int loads = 0;
  while (!done) {
    expectPrefix();
    ++loads;
  }
  writer.join();
  expectPrefix();
  EXPECT_EQ(monthFile_.Count(), kRecords);
  EXPECT_TRUE(ui_.messages.empty());
  RecordProperty("loads while written", loads);
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
