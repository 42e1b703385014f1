// Deterministic benchmark data: a large group with years of month files,
// written with the test-support writer of the scheduler's formats.
#include "bench/bench_data.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "data/cp932.h"
#include "support/archive_writer.h"
#include "support/calendar_text.h"
#include "support/temp_dir.h"

namespace tallyer::bench {
namespace {

using testing::GroupFileBuilder;
using testing::IsWorkingDay;
using testing::MonthFileBuilder;
using testing::ScheduleRecord;

constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return r | (g << 8) | (b << 16);
}

// The types of the type file, and two colours that it does not name.
struct TypeColor {
  const char* name;
  std::uint32_t r, g, b;
};
constexpr TypeColor kTypes[] = {
    {"会議", 255, 128, 128},   {"外出", 128, 192, 255}, {"訪問", 0, 128, 0},
    {"社内作業", 255, 255, 128}, {"休暇", 192, 192, 192}, {"出張", 128, 0, 128},
    {"研修", 0, 160, 160},     {"来客", 255, 160, 0},   {"ＷＥＢ会議", 96, 96, 255},
};
constexpr std::uint32_t kUnnamedColors[] = {Rgb(64, 64, 64), Rgb(255, 200, 200)};

// Activities and the colour (index into kTypes, or -1 - index into
// kUnnamedColors) that people give them. Those with a target are written
// "activity：target" or "activity（target）".
struct Activity {
  const char* text;
  int color;
  bool withTarget;
  int weight;  // how often it is picked, relative to the others
};
constexpr Activity kActivities[] = {
    {"定例会議", 0, false, 6},       {"部内会議", 0, false, 4},    {"営業会議", 0, true, 5},
    {"企画会議", 0, true, 3},        {"打ち合わせ", 0, true, 8},   {"ＭＴＧ", 0, true, 4},
    {"Ｗｅｂ会議", 8, true, 5},      {"外出", 1, true, 6},         {"訪問", 2, true, 8},
    {"商談", 2, true, 5},            {"資料作成", 3, true, 10},    {"見積書作成", 3, true, 4},
    {"メール対応", 3, false, 6},     {"経費精算", 3, false, 2},    {"設計レビュー", 3, true, 4},
    {"ＰＣセットアップ", 3, false, 1}, {"有給休暇", 4, false, 2},  {"通院", 4, false, 1},
    {"出張", 5, true, 2},            {"研修", 6, true, 2},         {"ｾﾐﾅｰ", 6, true, 1},
    {"来客対応", 7, true, 3},        {"残業　報告書", -1, false, 2}, {"（仮）打ち合わせ", -2, true, 2},
};
constexpr const char* kTargets[] = {
    "株式会社ＡＢＣ", "ＸＹＺ工業",   "みどり商事",     "ﾐﾄﾞﾘ商会",     "東都システム",
    "北斗物産",       "Ａｃｍｅ　Ｊａｐａｎ", "ＮＥＸＴ社", "大阪支店",     "名古屋営業所",
    "第２四半期",     "新製品Ａ",     "プロジェクトＺ", "ISO監査",       "予算",
    "採用面接",       "社内システム", "顧客満足度調査", "展示会",        "年度計画",
};

const char* const kFamilyNames[][2] = {
    {"田中", "tanaka"}, {"鈴木", "suzuki"}, {"佐藤", "sato"},   {"高橋", "takahashi"},
    {"伊藤", "ito"},    {"渡辺", "watanabe"}, {"山本", "yamamoto"}, {"中村", "nakamura"},
    {"小林", "kobayashi"}, {"加藤", "kato"}, {"吉田", "yoshida"}, {"山田", "yamada"},
    {"佐々木", "sasaki"}, {"山口", "yamaguchi"}, {"松本", "matsumoto"}, {"井上", "inoue"},
    {"木村", "kimura"}, {"林", "hayashi"},   {"清水", "shimizu"}, {"森", "mori"},
};
const char* const kGivenNames[] = {"一郎", "花子", "健太", "美咲", "大輔", "優子", "翔",
                                   "陽菜", "拓也", "さくら", "Ｊ．", "ﾕｳｷ"};

// A deterministic source of small choices (the engine of std::mt19937 is
// fixed by the standard; the distributions are not, so none is used).
class Dice {
 public:
  explicit Dice(std::uint32_t seed) : engine_(seed) {}
  int Below(int n) { return static_cast<int>(engine_() % static_cast<std::uint32_t>(n)); }
  bool Percent(int p) { return Below(1000) < p * 10; }
  bool PerMille(int p) { return Below(1000) < p; }

 private:
  std::mt19937 engine_;
};

std::string Sjis(const std::string& utf8) { return Utf8ToCp932(utf8); }

struct Content {
  std::string text;  // CP932
  std::uint32_t color;
};

// The texts of the set of small records: empty or a word, about 70 bytes a record.
struct ShortText {
  const char* text;
  int color;  // as in Activity
  int weight;
};
constexpr ShortText kShortTexts[] = {
    {"", 0, 6}, {"会議", 0, 3}, {"外出", 1, 2}, {"訪問", 2, 2}, {"作業", 3, 4},
    {"休", 4, 1}, {"MTG", 0, 2}, {"", -1, 1},
};

// Every content text the members write, each listed as often as it is picked.
class ContentTable {
 public:
  explicit ContentTable(bool shortTexts) {
    if (shortTexts) {
      for (const ShortText& s : kShortTexts) {
        const std::uint32_t color = s.color >= 0 ? TypeRgb(s.color) : kUnnamedColors[-1 - s.color];
        distinct_.push_back(Content{Sjis(s.text), color});
        for (int i = 0; i < s.weight; ++i) picks_.push_back(distinct_.size() - 1);
      }
      return;
    }
    for (const Activity& a : kActivities) {
      const std::uint32_t color = a.color >= 0 ? TypeRgb(a.color) : kUnnamedColors[-1 - a.color];
      std::vector<std::string> texts;
      if (a.withTarget) {
        const bool colon = texts_ % 2 == 0;  // people write either form
        for (const char* t : kTargets)
          texts.push_back(colon ? std::string(a.text) + "：" + t : std::string(a.text) + "（" + t + "）");
        ++texts_;
      } else {
        texts.push_back(a.text);
      }
      for (const std::string& t : texts) {
        distinct_.push_back(Content{Sjis(t), color});
        for (int i = 0; i < a.weight; ++i) picks_.push_back(distinct_.size() - 1);
      }
    }
  }
  const Content& Pick(Dice& dice) const {
    return distinct_[picks_[static_cast<std::size_t>(dice.Below(static_cast<int>(picks_.size())))]];
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const Content& c : distinct_) texts.push_back(c.text);
    return texts;
  }

  static std::uint32_t TypeRgb(int i) {
    const TypeColor& t = kTypes[i];
    return Rgb(t.r, t.g, t.b);
  }

 private:
  std::vector<Content> distinct_;
  std::vector<std::size_t> picks_;
  std::size_t texts_ = 0;  // activities with a target so far
};

const ContentTable& Contents(bool shortTexts = false) {
  static const ContentTable table(false);
  static const ContentTable shortTable(true);
  return shortTexts ? shortTable : table;
}



class MonthWriter {
 public:
  MonthWriter(int year, int month) : year_(year), month_(month) {}

  DateTime At(int day, int minutes) const {
    const DateTime date = DateTime::FromParts(year_, month_, day);
    return date.PlusDays(minutes / 1440.0);  // minutes past 24:00 run into the next day
  }

  int Add(const BenchMember& m, int day, int from, int to, const Content& c, std::uint32_t flags) {
    ScheduleRecord r;
    r.flags = flags;
    r.start = At(day, from);
    r.end = At(day, to);
    r.date3 = At(day, 0);
    r.color = c.color;
    r.content = c.text;
    r.memberKey = m.key;
    return Append(std::move(r));
  }

  // An edit of record `target`: the scheduler appends the new version, kind 1,
  // linking the version it replaces (which may itself be a revision).
  int Revise(int target, int shiftMinutes, const Content* newContent) {
    ScheduleRecord r = records_[static_cast<std::size_t>(target)];
    r.kind = 1;
    r.link = static_cast<std::uint32_t>(target);
    r.start = r.start.PlusDays(shiftMinutes / 1440.0);
    r.end = r.end.PlusDays(shiftMinutes / 1440.0);
    if (newContent) {
      r.content = newContent->text;
      r.color = newContent->color;
    }
    return Append(std::move(r));
  }

  int Count() const { return static_cast<int>(records_.size()); }

  std::string Build() const {
    MonthFileBuilder builder;
    for (const auto& r : records_) builder.Add(r);
    return builder.Build();
  }

 private:
  int Append(ScheduleRecord r) {
    records_.push_back(std::move(r));
    return Count() - 1;
  }

  int year_, month_;
  std::vector<ScheduleRecord> records_;
};

// The K schedules of one member's working day: a morning and an afternoon
// block split in slots, now and then overlapping, once in a while overnight.
void PlanDay(MonthWriter& w, Dice& dice, const ContentTable& contents, const BenchMember& m, int day,
             int perDay, std::vector<int>& added) {
  int minute = 8 * 60 + 30 + 30 * dice.Below(2);
  for (int k = 0; k < perDay; ++k) {
    const Content& c = contents.Pick(dice);
    const std::uint32_t flags = dice.Percent(2) ? ScheduleRecord::kTentative : 0;
    int from = minute;
    int length = 30 + 30 * dice.Below(5);
    if (k == perDay - 1 && dice.PerMille(10)) {
      from = 22 * 60;  // night work, ending the next morning
      length = 4 * 60 + 30 * dice.Below(4);
    } else if (dice.Percent(10) && k > 0) {
      from -= 30;  // overlaps the previous schedule
    }
    added.push_back(w.Add(m, day, from, from + length, c, flags));
    minute = from + length + (k == perDay / 2 - 1 ? 60 : 30 * dice.Below(2));
  }
}

}  // namespace

std::vector<BenchMember> BenchMembers(int count) {
  std::vector<BenchMember> members;
  constexpr int kFamilies = static_cast<int>(std::size(kFamilyNames));
  constexpr int kGiven = static_cast<int>(std::size(kGivenNames));
  for (int i = 0; i < count; ++i) {
    const auto& family = kFamilyNames[i % kFamilies];
    char key[32];
    std::snprintf(key, sizeof key, "%s%03d", family[1], i + 1);
    members.push_back(BenchMember{Sjis(std::string(family[0]) + " " + kGivenNames[(i * 7 + i / kFamilies) % kGiven]), key});
  }
  return members;
}

std::string BenchMonthFile(int year, int month, const std::vector<BenchMember>& members, int perDay,
                           std::size_t* records, bool shortTexts) {
  const ContentTable& contents = Contents(shortTexts);
  Dice dice(static_cast<std::uint32_t>(year * 100 + month) * 2654435761u +
            static_cast<std::uint32_t>(members.size()));
  MonthWriter w(year, month);
  std::vector<int> latest;   // per record: its newest version so far
  std::vector<int> revised;  // records already revised: chains grow from them
  for (int day = 1; day <= DaysInMonth(year, month); ++day) {
    if (!IsWorkingDay(year, month, day)) continue;
    for (const BenchMember& m : members) {
      std::vector<int> added;
      PlanDay(w, dice, contents, m, day, perDay, added);
      for (int p : added) {
        latest.resize(static_cast<std::size_t>(w.Count()), -1);
        latest[static_cast<std::size_t>(p)] = p;
      }
      // About one record in twenty is an edit of an earlier one of the month;
      // a third of the edits revise a record that was already revised.
      for (std::size_t i = 0; i < added.size(); ++i) {
        if (!dice.Percent(5)) continue;
        const int original = dice.Below(3) == 0 && !revised.empty()
                                 ? revised[static_cast<std::size_t>(dice.Below(static_cast<int>(revised.size())))]
                                 : dice.Below(w.Count());
        const int tip = latest[static_cast<std::size_t>(original)];
        const int shift = 30 * (dice.Below(5) - 2);
        const Content* changed = dice.Below(4) == 0 ? &contents.Pick(dice) : nullptr;
        const int revision = w.Revise(tip, shift, changed);
        latest.resize(static_cast<std::size_t>(w.Count()), -1);
        latest[static_cast<std::size_t>(original)] = revision;
        latest[static_cast<std::size_t>(revision)] = revision;
        revised.push_back(original);
      }
    }
  }
  if (records) *records = static_cast<std::size_t>(w.Count());
  return w.Build();
}

std::string BenchGroupFile(const std::vector<BenchMember>& members) {
  GroupFileBuilder group;
  group.Name(Sjis("本社 全部署")).GroupStrings({Sjis("性能測定用のグループ")}).SchedulerVersion(315);
  for (const BenchMember& m : members) group.Add(m.name, m.key);
  return group.Build();
}

std::string BenchTypeFile() {
  std::string text = "nopalette\r\n";
  for (const TypeColor& t : kTypes) {
    text += Sjis(t.name) + "\t" + std::to_string(t.r) + "," + std::to_string(t.g) + "," +
            std::to_string(t.b) + "\r\n";
  }
  return text;
}

std::vector<std::string> BenchContents() { return Contents().Texts(); }

void WriteBenchData(const std::filesystem::path& folder, int memberCount, int years, int perDay,
                    bool shortTexts) {
  const std::vector<BenchMember> members = BenchMembers(memberCount);
  testing::WriteBytes(folder / "bench.group", BenchGroupFile(members));
  testing::WriteBytes(folder / "bench.type", BenchTypeFile());
  std::string counts;
  for (int year = kFirstYear; year < kFirstYear + years; ++year) {
    for (int month = 1; month <= 12; ++month) {
      std::size_t records = 0;
      const std::string bytes = BenchMonthFile(year, month, members, perDay, &records, shortTexts);
      testing::WriteBytes(BenchMonthPath(folder, year, month), bytes);
      counts += BenchMonthPath({}, year, month).string() + "\t" + std::to_string(records) + "\n";
    }
  }
  // Written last: its presence tells that the whole set was written.
  testing::WriteBytes(folder / "bench.counts", counts);
}

std::filesystem::path BenchMonthPath(const std::filesystem::path& folder, int year, int month) {
  char name[32];
  std::snprintf(name, sizeof name, "bench%d%02d.sch", year, month);
  return folder / name;
}

}  // namespace tallyer::bench
