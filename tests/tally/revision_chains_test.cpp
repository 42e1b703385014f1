#include "tally/revision_chains.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "data/cp932.h"
#include "run/notices.h"
#include "support/recording_ui.h"

namespace tallyer {
namespace {

using testing::RecordingUi;

struct Rec {
  std::uint32_t kind;
  std::uint32_t link;
};

std::vector<CSchedule> Month(const std::vector<Rec>& recs) {
  std::vector<CSchedule> out;
  for (const Rec& r : recs) {
    CSchedule s;
    s.position = static_cast<std::int32_t>(out.size());
    s.kindFlags = r.kind;
    s.link = r.link;
    out.push_back(s);
  }
  return out;
}

std::vector<bool> Superseded(const std::vector<CSchedule>& month) {
  std::vector<bool> out;
  for (const CSchedule& s : month) out.push_back(s.superseded);
  return out;
}

std::vector<std::uint32_t> Links(const std::vector<CSchedule>& month) {
  std::vector<std::uint32_t> out;
  for (const CSchedule& s : month) out.push_back(s.link);
  return out;
}

constexpr std::uint32_t kNo = CSchedule::kNoLink;

class RevisionChainsTest : public ::testing::Test {
 protected:
  std::vector<CSchedule> Resolve(const std::vector<Rec>& recs) {
    std::vector<CSchedule> month = Month(recs);
    // Told as the run driver tells it: the first faulty record, once per process.
    if (const auto faulty = ResolveChains(month, index))
      notice.Tell(FaultyLinkProblem(*faulty, "Team200506.sch"), ui);
    return month;
  }

  RecordingUi ui;
  FaultyLinkNotice notice;
  ChainIndex index;
};

TEST_F(RevisionChainsTest, RevisionsOfRevisionsLeaveOnlyTheLastCountable) {
  const auto month = Resolve({{0, kNo}, {1, 0}, {1, 1}});
  EXPECT_EQ(Superseded(month), (std::vector<bool>{true, true, false}));
  EXPECT_EQ(Links(month), (std::vector<std::uint32_t>{kNo, 0, 0}));
  EXPECT_EQ(index.CountOf(0), 2);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(RevisionChainsTest, KindTwoSupersedesItsTargetLikeKindOne) {
  const auto month = Resolve({{0, kNo}, {2, 0}, {0x1002, 1}});
  EXPECT_EQ(Superseded(month), (std::vector<bool>{true, true, false}));
}

TEST_F(RevisionChainsTest, OtherKindsSupersedeOnlyWhatIsRegisteredUnderTheRoot) {
  // Record 1 (kind 3) leaves its target alone; record 2 (kind 3) supersedes
  // record 1, registered under root 0 before it, but still not record 0.
  const auto month = Resolve({{0, kNo}, {3, 0}, {3, 0}, {0xFF, 1}});
  EXPECT_EQ(Superseded(month), (std::vector<bool>{false, true, true, false}));
  EXPECT_EQ(Links(month), (std::vector<std::uint32_t>{kNo, 0, 0, 0}));
}

TEST_F(RevisionChainsTest, ChainsOfDifferentRootsStayApart) {
  const auto month = Resolve({{0, kNo}, {0, kNo}, {3, 0}, {3, 1}, {3, 2}});
  EXPECT_EQ(Superseded(month), (std::vector<bool>{false, false, true, false, false}));
  EXPECT_EQ(Links(month), (std::vector<std::uint32_t>{kNo, kNo, 0, 1, 0}));
}

TEST_F(RevisionChainsTest, RootSearchStopsAtAMissingLinkOrABackwardLink) {
  // Record 1 has no link of its own: it is the root of record 2's chain.
  auto month = Resolve({{0, kNo}, {3, kNo}});
  EXPECT_EQ(Links(month)[1], kNo);  // faulty (-1 is never smaller), left as read
  ui.messages.clear();
  notice = {};
  month = Resolve({{3, kNo}, {1, 0}});
  EXPECT_EQ(Links(month), (std::vector<std::uint32_t>{kNo, 0}));
  EXPECT_EQ(Superseded(month), (std::vector<bool>{true, false}));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(RevisionChainsTest, FaultyLinkIsShownOnceAndTheRecordCountsAsRead) {
  auto month = Resolve({{0, kNo}, {1, 5}, {1, 0}});
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, Utf8ToCp932("致命的なエラー'1'がインデックス1スケジュールで起きました。"));
  EXPECT_EQ(ui.messages[0].kind, MessageKind::kError);
  EXPECT_EQ(Superseded(month), (std::vector<bool>{true, false, false}));
  EXPECT_EQ(Links(month), (std::vector<std::uint32_t>{kNo, 5, 0}));
  EXPECT_EQ(index.CountOf(0), 1);

  // Later faulty records, in this month or the next, show nothing more.
  month = Resolve({{0, kNo}, {0, kNo}, {1, 2}, {1, kNo}});
  EXPECT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(Superseded(month), (std::vector<bool>{false, false, false, false}));
}

// The resolution itself tells nothing: it returns the first faulty record,
// whose message the run driver shows.
TEST_F(RevisionChainsTest, ReturnsTheFirstFaultyRecordOfTheMonth) {
  std::vector<CSchedule> month = Month({{0, kNo}, {0, kNo}, {1, 0}, {3, 7}, {1, 4}, {2, 9}});
  EXPECT_EQ(ResolveChains(month, index), std::optional<std::int32_t>(3));
  month = Month({{0, kNo}, {1, 0}});
  EXPECT_EQ(ResolveChains(month, index), std::nullopt);
  const Problem problem = FaultyLinkProblem(3, "/data/Team200506.sch");
  EXPECT_EQ(problem.message, Utf8ToCp932("致命的なエラー'1'がインデックス3スケジュールで起きました。"));
  EXPECT_EQ(problem.kind, MessageKind::kError);
  EXPECT_EQ(problem.file, "/data/Team200506.sch");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(RevisionChainsTest, FirstRecordMayLinkAnywhereWithoutComplaint) {
  // Linking to itself: registered under itself, its own kind 1 marks it.
  auto month = Resolve({{1, 0}, {3, 0}});
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(Superseded(month), (std::vector<bool>{true, false}));
  EXPECT_EQ(Links(month), (std::vector<std::uint32_t>{0, 0}));
  EXPECT_EQ(index.CountOf(0), 2);
}

TEST_F(RevisionChainsTest, LinksNamingNoRecordAreNeverFollowed) {
  // Record 0 names record 7 of a 3-record month: nothing to mark, no root.
  auto month = Resolve({{1, 7}, {1, 0}, {3, 1}});
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(Links(month), (std::vector<std::uint32_t>{7, 0, 1}));
  // Record 1 still supersedes its direct target, record 2 supersedes record 1;
  // neither is registered because their chains run into the missing record.
  EXPECT_EQ(Superseded(month), (std::vector<bool>{true, false, false}));
  EXPECT_EQ(index.CountOf(0), 0);
  EXPECT_EQ(index.CountOf(7), 0);

  // Through a faulty record that names a record beyond the end.
  month = Resolve({{0, kNo}, {3, 40}, {1, 1}});
  EXPECT_EQ(Links(month), (std::vector<std::uint32_t>{kNo, 40, 1}));
  EXPECT_EQ(Superseded(month), (std::vector<bool>{false, true, false}));
  EXPECT_EQ(ui.messages.size(), 1u);  // for record 1's forward link only
}

// The resolution as defined, step by step, with a full scan of the index.
struct Reference {
  std::vector<CSchedule>& r;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> pairs;
  bool faulty = false;

  std::optional<std::uint32_t> Root(std::uint32_t i) const {
    const std::uint32_t n = static_cast<std::uint32_t>(r.size());
    if (i >= n) return std::nullopt;
    if (r[i].Kind() == 0) return i;
    for (;;) {
      const std::uint32_t j = r[i].link;
      if (j == kNo) return i;
      if (j >= n) return std::nullopt;
      if (j >= r[j].link || r[j].Kind() == 0) return j;
      i = j;
    }
  }

  void Run() {
    for (std::uint32_t p = 0; p < r.size(); ++p) {
      if (r[p].Kind() == 0) continue;
      const std::uint32_t l = r[p].link;
      if (l >= p && p != 0) {
        faulty = true;
        continue;
      }
      if ((r[p].Kind() == 1 || r[p].Kind() == 2) && l < r.size()) r[l].superseded = true;
      const auto root = Root(l);
      if (!root) continue;
      r[p].link = *root;
      for (const auto& [k, v] : pairs)
        if (k == *root) r[v].superseded = true;
      pairs.emplace_back(*root, p);
    }
  }
};

TEST_F(RevisionChainsTest, AgreesWithTheStepByStepDefinitionOnRandomMonths) {
  std::mt19937 rng(2024);
  for (int round = 0; round < 3000; ++round) {
    const std::uint32_t n = 1 + rng() % 40;
    std::vector<Rec> recs;
    for (std::uint32_t p = 0; p < n; ++p) {
      const std::uint32_t kind = rng() % 3 == 0 ? 0 : 1 + rng() % 3;
      std::uint32_t link;
      switch (rng() % 8) {
        case 0: link = kNo; break;
        case 1: link = rng() % (n + 4); break;  // anywhere, beyond the end too
        case 2: link = p + rng() % 3; break;    // itself or forward
        default: link = p == 0 ? 0 : rng() % p;
      }
      recs.push_back({kind, link});
    }
    std::vector<CSchedule> expected = Month(recs);
    Reference ref{expected, {}};
    ref.Run();
    notice = {};
    ui.messages.clear();
    const auto month = Resolve(recs);
    ASSERT_EQ(Superseded(month), Superseded(expected)) << "round " << round;
    ASSERT_EQ(Links(month), Links(expected)) << "round " << round;
    ASSERT_EQ(ui.messages.size(), ref.faulty ? 1u : 0u) << "round " << round;
  }
}

TEST_F(RevisionChainsTest, LongForwardChainsResolveLikeTheDefinition) {
  // Faulty records chained forward on odd positions, revisions of the chain's
  // start on even ones: every root search walks the whole chain.
  const std::uint32_t n = 2001;
  std::vector<Rec> recs{{0, kNo}};
  for (std::uint32_t p = 1; p < n; ++p) recs.push_back(p % 2 ? Rec{3, p + 2} : Rec{3, 1});
  std::vector<CSchedule> expected = Month(recs);
  Reference ref{expected, {}};
  ref.Run();
  const auto month = Resolve(recs);
  EXPECT_EQ(Superseded(month), Superseded(expected));
  EXPECT_EQ(Links(month), Links(expected));
}

TEST_F(RevisionChainsTest, LinksAtTheEndsOfTheirRangeResolveLikeTheDefinition) {
  // Each link put on the first, a middle and the last record of a small month,
  // under every revision kind, over chains that would otherwise resolve.
  const std::uint32_t n = 5;
  for (const std::uint32_t kind : {1u, 2u, 3u}) {
    for (const std::uint32_t at : {0u, 2u, n - 1}) {
      for (const std::uint32_t link : {0xFFFFFFFEu, 0xFFFFFFFFu, n, n + 1, at}) {
        std::vector<Rec> recs{{0, kNo}, {1, 0}, {3, 1}, {2, 2}, {1, 3}};
        recs[at] = {kind, link};
        std::vector<CSchedule> expected = Month(recs);
        Reference ref{expected, {}};
        ref.Run();
        notice = {};
        ui.messages.clear();
        const auto month = Resolve(recs);
        SCOPED_TRACE(::testing::Message() << "kind " << kind << " at " << at << " link " << link);
        EXPECT_EQ(Superseded(month), Superseded(expected));
        EXPECT_EQ(Links(month), Links(expected));
        EXPECT_EQ(ui.messages.size(), ref.faulty ? 1u : 0u);
      }
    }
  }
}

TEST_F(RevisionChainsTest, ChainAsLongAsTheMonthLeavesOnlyItsLastRecord) {
  // 20000 records, each revising the one before: resolved without recursion
  // and without walking the chain again for every record.
  constexpr std::uint32_t n = 20000;
  for (const std::uint32_t kind : {1u, 3u}) {
    std::vector<Rec> recs{{0, kNo}};
    for (std::uint32_t p = 1; p < n; ++p) recs.push_back({kind, p - 1});
    const auto month = Resolve(recs);
    std::vector<bool> superseded(n, true);
    superseded.back() = false;
    superseded[0] = kind == 1;  // a kind 3 revision leaves its direct target, the root, alone
    EXPECT_EQ(Superseded(month), superseded);
    std::vector<std::uint32_t> links(n, 0);
    links[0] = kNo;
    EXPECT_EQ(Links(month), links);
    EXPECT_EQ(index.CountOf(0), static_cast<int>(n - 1));
    EXPECT_TRUE(ui.messages.empty());
  }
}

}  // namespace
}  // namespace tallyer
